#pragma once

namespace kovalin::app {

// QApplication sets the C library's locale from the environment, and the core
// writes and reads numbers with the C library (grids, delimited files, the XML
// data file, reports). Under a locale with a decimal comma every number would
// then be written with a comma ("8,5E-01" in a grid, "0,85" in a saved file).
// Called right after the QApplication is made: numbers keep the point, while
// the rest of the locale (texts, collation) stays the user's.
void KeepPointDecimalNumbers();

}  // namespace kovalin::app
