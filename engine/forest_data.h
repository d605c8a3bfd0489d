#pragma once

#include <string>
#include <vector>

#include "engine/method_set.h"
#include "engine/test_names.h"

namespace kovalin {

// One method's line in a forest plot: its estimate and interval (missing
// values stay missing; the plot says "N/A" for them).
struct tForestRow {
  std::string label;  // the method's label ("d", "Fd", "R1a", ...)
  double estimate = 0;
  double lower = 0;
  double upper = 0;
};

// One panel: the intervals of every active method of one kind (differences or
// ratios) for one predictive value, with the line of no difference.
struct tForestPanel {
  std::string title;    // "PPV(A) - PPV(B)", "NPV(Mammography) / NPV(MRI)"
  double noDifference;  // 0 for differences, 1 for ratios
  std::vector<tForestRow> rows;  // in method order
};

// The forest plot of one analysis.
struct tForestPlot {
  std::string heading;  // what was compared: "Mammography (A) against MRI (B), 95% intervals"
  std::vector<tForestPanel> panels;
};

// The panels of the PPV methods (difference methods, then ratio methods) and,
// when npv is given, of the NPV methods, from methods that have calculated.
// A panel without an active method is left out.
tForestPlot ForestPlotOf(tMethodSet& ppv, tMethodSet* npv, const tTestNames& names,
                         double alpha);

}  // namespace kovalin
