#include "engine/forest_data.h"

#include <cmath>

namespace kovalin {

namespace {

void AddPanels(tForestPlot& plot, tMethodSet& methods, const std::string& measure,
               const tTestNames& names) {
  const std::string a = measure + "(" + names.A() + ")";
  const std::string b = measure + "(" + names.B() + ")";
  tForestPanel differences{a + " - " + b, 0.0, {}};
  tForestPanel ratios{a + " / " + b, 1.0, {}};
  methods.ForEachActive([&](t2BDM& m) {
    tForestRow row{m.method_Name, m.Params.Estimate.value, m.Params.CI.Inf, m.Params.CI.Sup};
    (m.IsDifference() ? differences : ratios).rows.push_back(std::move(row));
  });
  for (tForestPanel* panel : {&differences, &ratios})
    if (!panel->rows.empty()) plot.panels.push_back(std::move(*panel));
}

}  // namespace

tForestPlot ForestPlotOf(tMethodSet& ppv, tMethodSet* npv, const tTestNames& names,
                         double alpha) {
  tForestPlot plot;
  const long percent = std::lround(100 * (1 - alpha));
  plot.heading = (names.given() ? names.A() + " (A) against " + names.B() + " (B)"
                                : std::string("Test A against test B")) +
                 ", " + std::to_string(percent) + "% intervals of the 21 methods";
  AddPanels(plot, ppv, "PPV", names);
  if (npv) AddPanels(plot, *npv, "NPV", names);
  return plot;
}

}  // namespace kovalin
