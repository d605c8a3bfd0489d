#include "engine/forest_svg.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/missing.h"
#include "engine/text_format.h"

namespace kovalin {

namespace {

constexpr int kWidth = 900;
constexpr int kMargin = 16;
constexpr int kHeadingHeight = 40;
constexpr int kRowHeight = 22;
constexpr int kPanelTitle = 26;  // the title above the rows
constexpr int kPanelAxis = 36;   // the axis and its labels below them
constexpr int kLabelWidth = 70;
constexpr int kValueWidth = 230;

bool Usable(double x) { return !IsMissing(x) && std::isfinite(x); }

// A coordinate with two decimals, whatever the locale.
std::string At(double x) { return Trim(Fixed(x, 1, 2)); }

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Value(double x) { return Usable(x) ? Trim(Fixed(x, 1, 4)) : "N/A"; }

// A tick's text: as few decimals as the step needs.
std::string TickText(double t, int decimals) { return Trim(Fixed(t + 0.0, 1, decimals)); }  // no "-0"

std::pair<double, double> RangeOf(const tForestPanel& panel) {
  double lo = panel.noDifference, hi = panel.noDifference;
  for (const tForestRow& r : panel.rows)
    for (const double x : {r.estimate, r.lower, r.upper})
      if (Usable(x)) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  const double pad = hi > lo ? 0.05 * (hi - lo) : 0.1;
  return {lo - pad, hi + pad};
}

// Ticks at 1, 2 or 5 times a power of ten, about five of them, and the
// decimals their texts need.
std::pair<std::vector<double>, int> TicksOf(double lo, double hi) {
  const double raw = (hi - lo) / 5;
  const double exponent = std::floor(std::log10(raw));
  const double power = std::pow(10.0, exponent);
  double step = 10 * power;
  for (const double m : {1.0, 2.0, 5.0})
    if (m * power >= raw) {
      step = m * power;
      break;
    }
  std::vector<double> ticks;
  for (double k = std::ceil(lo / step); k * step <= hi && ticks.size() < 12; k += 1)
    ticks.push_back(k * step);
  const int decimals = exponent >= 0 ? 0 : static_cast<int>(std::min(10.0, -exponent));
  return {ticks, decimals};
}

int PanelHeight(const tForestPanel& panel) {
  return kPanelTitle + static_cast<int>(panel.rows.size()) * kRowHeight + kPanelAxis;
}

void Text(std::string& svg, double x, double y, const std::string& text, const char* extra = "") {
  svg += "<text x=\"" + At(x) + "\" y=\"" + At(y) + "\"" + extra + ">" + Escaped(text) + "</text>\n";
}

void Line(std::string& svg, double x1, double y1, double x2, double y2, const char* style) {
  svg += "<line x1=\"" + At(x1) + "\" y1=\"" + At(y1) + "\" x2=\"" + At(x2) + "\" y2=\"" + At(y2) +
         "\" " + style + "/>\n";
}

void Panel(std::string& svg, double top, const tForestPanel& panel) {
  const double left = kMargin;
  const double plotLeft = left + kLabelWidth;
  const double plotRight = kWidth - kMargin - kValueWidth;
  Text(svg, left, top + 14, panel.title, " font-weight=\"bold\"");
  const double rowsTop = top + kPanelTitle;
  const double bottom = rowsTop + static_cast<double>(panel.rows.size()) * kRowHeight;
  const auto [lo, hi] = RangeOf(panel);
  auto xOf = [&, lo = lo, hi = hi](double v) { return plotLeft + (v - lo) / (hi - lo) * (plotRight - plotLeft); };

  const double zero = xOf(panel.noDifference);
  Line(svg, zero, rowsTop - 4, zero, bottom, "stroke=\"#808080\" stroke-dasharray=\"4,3\"");
  for (std::size_t i = 0; i < panel.rows.size(); ++i) {
    const tForestRow& r = panel.rows[i];
    const double y = rowsTop + (static_cast<double>(i) + 0.5) * kRowHeight;
    Text(svg, left, y + 4, r.label);
    Text(svg, plotRight + 12, y + 4,
         Value(r.estimate) + "  (" + Value(r.lower) + ", " + Value(r.upper) + ")");
    if (Usable(r.lower) && Usable(r.upper)) {
      const char* bar = "stroke=\"#1f4e9a\" stroke-width=\"2\"";
      Line(svg, xOf(r.lower), y, xOf(r.upper), y, bar);
      Line(svg, xOf(r.lower), y - 4, xOf(r.lower), y + 4, bar);
      Line(svg, xOf(r.upper), y - 4, xOf(r.upper), y + 4, bar);
    } else {
      Text(svg, plotLeft + 4, y + 4, "interval N/A", " fill=\"#808080\"");
    }
    if (Usable(r.estimate))
      svg += "<rect x=\"" + At(xOf(r.estimate) - 4) + "\" y=\"" + At(y - 4) +
             "\" width=\"8\" height=\"8\" fill=\"#c0392b\"/>\n";
  }
  Line(svg, plotLeft, bottom, plotRight, bottom, "stroke=\"#000000\"");
  const auto [ticks, decimals] = TicksOf(lo, hi);
  for (const double t : ticks) {
    Line(svg, xOf(t), bottom, xOf(t), bottom + 4, "stroke=\"#000000\"");
    Text(svg, xOf(t), bottom + 17, TickText(t, decimals), " text-anchor=\"middle\"");
  }
}

}  // namespace

int ForestPlotWidth() { return kWidth; }

int ForestPlotHeight(const tForestPlot& plot) {
  int height = kHeadingHeight + 2 * kMargin;
  for (const tForestPanel& panel : plot.panels) height += PanelHeight(panel);
  return height;
}

std::string ForestPlotSvg(const tForestPlot& plot) {
  const int width = ForestPlotWidth();
  const int height = ForestPlotHeight(plot);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + std::to_string(width) +
      "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + " " +
      std::to_string(height) + "\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"12\">\n";
  svg += "<title>" + Escaped(plot.heading) + "</title>\n";
  svg += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(width) + "\" height=\"" +
         std::to_string(height) + "\" fill=\"#ffffff\"/>\n";
  Text(svg, kMargin, kMargin + 16, plot.heading, " font-size=\"15\" font-weight=\"bold\"");
  double top = kMargin + kHeadingHeight;
  for (const tForestPanel& panel : plot.panels) {
    Panel(svg, top, panel);
    top += PanelHeight(panel);
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace kovalin
