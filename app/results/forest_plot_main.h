#pragma once

namespace kovalin::app {

// True when kovalin-plot is asked for the forest plot of one comparison
// (--compare or --subjects among its arguments).
bool IsForestPlotCall(int argc, char** argv);

// kovalin-plot --compare X1 .. X8 | --subjects FILE --a COL --b COL --gold COL
// [--positive CODES] [--negative CODES] [--names A,B] [--npv] [--alpha A]
// [--epsilon E] [--methods LIST] [--out PICTURE.svg|.png]: the 21 intervals of
// the PPV difference and ratio (and of the NPVs with --npv) as a forest plot.
// Exit status 0 done, 1 the picture could not be written, 2 bad input.
int ForestPlotMain(int argc, char** argv);

}  // namespace kovalin::app
