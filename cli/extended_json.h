#pragma once

#include <nlohmann/json.hpp>

#include "engine/accuracy.h"
#include "engine/extended_report.h"

namespace kovalin::cli {

// "accuracy": for tests A and B, each measure's estimate, se and intervals by
// method (Wald and Wilson for the proportions, log for the likelihood ratios,
// whose se is that of the logarithm). With extended, also the exact and Yu
// intervals, the prevalence, the ratios' own se and Martin Andres interval,
// and Youden's index.
nlohmann::ordered_json AccuracyJson(const tCells& X, double alpha, bool extended = false);

// "comparisons": name, measure, method, orientation, estimate, se, statistic,
// distribution, df, p_value, p_holm and the interval where one exists. With
// extended, every comparison of the extended block, each also with global,
// p_holm_global and not_tested.
nlohmann::ordered_json ComparisonsJson(const tCells& X, double alpha, bool extended = false);

// What --extended adds to a result that holds "accuracy" and "comparisons":
// their extended forms, "rpv_covariance", "holm_family" and "summary" (the
// sentences of the block, numbers with the given decimals).
void AddExtendedJson(nlohmann::ordered_json& result, const tCells& X, double alpha, int decimals,
                     const tExtendedOptions& options);

}  // namespace kovalin::cli
