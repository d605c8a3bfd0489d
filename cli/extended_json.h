#pragma once

#include <nlohmann/json.hpp>

#include "engine/accuracy.h"

namespace kovalin::cli {

// "accuracy": for tests A and B, each measure's estimate, se and intervals by
// method (Wald and Wilson for the proportions, log for the likelihood ratios,
// whose se is that of the logarithm).
nlohmann::ordered_json AccuracyJson(const tCells& X, double alpha);

// "comparisons": name, measure, method, orientation, estimate, se, statistic,
// distribution, df, p_value, p_holm and the interval where one exists.
nlohmann::ordered_json ComparisonsJson(const tCells& X, double alpha);

}  // namespace kovalin::cli
