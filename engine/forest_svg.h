#pragma once

#include <string>

#include "engine/forest_data.h"

namespace kovalin {

// The forest plot as an SVG document (plain SVG 1.1 that SVG Tiny renderers
// also draw): the heading, then each panel with its title, one line per
// method (the interval as a bar with end ticks, the estimate as a square, and
// "estimate  (lower, upper)" on the right, or "interval N/A"), the dashed line
// of no difference and the axis with its ticks. Numbers are written without
// the locale; texts are escaped.
std::string ForestPlotSvg(const tForestPlot& plot);

// Width and height of that picture in pixels.
int ForestPlotWidth();
int ForestPlotHeight(const tForestPlot& plot);

}  // namespace kovalin
