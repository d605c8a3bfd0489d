#include "engine/npv_methods.h"

#include "engine/record_report.h"
#include "engine/text_document.h"

namespace kovalin {

tInputData ReversedInput(const tInputData& input) {
  tInputData reversed = input;
  for (std::size_t i = 1; i <= 8; ++i) {
    reversed.N[i] = input.N[9 - i];
    reversed.V[i] = input.V[9 - i];
  }
  return reversed;
}

tCells ReversedCells(const tCells& X) {
  tCells reversed = X;
  for (std::size_t i = 1; i <= 8; ++i) reversed[i] = X[9 - i];
  return reversed;
}

void CalculateNpv(tMethodSet& methods, const tInputData& input) {
  methods.CalculateActive(ReversedInput(input));
}

void AppendNpvReport(tTextDocument& memo, tMethodSet& npvMethods, double dRef, double rRef,
                     int decimals, const tTestNames& names) {
  memo.AppendLine("");
  memo.AppendLine("[4] NEGATIVE PREDICTIVE VALUES");
  memo.AppendLine("- The methods on the table with every result and the disease status reversed");
  const std::string a = "NPV(" + names.A() + ")";
  const std::string b = "NPV(" + names.B() + ")";
  AppendMethodSummaries(memo, npvMethods, dRef, rRef, decimals, "DIFFERENCES: " + a + " - " + b,
                        "RATIOS: " + a + " / " + b);
}

}  // namespace kovalin
