#pragma once

#include <nlohmann/json.hpp>

#include "engine/method_set.h"
#include "engine/paired_types.h"

namespace kovalin::cli {

// A number, or null when it is missing (-999 or NaN) or not finite.
nlohmann::ordered_json NumberOrNull(double x);

// The measures of both tests under the names prevalence, se_a, ..., or_neg, n.
nlohmann::ordered_json MeasuresJson(const medidas2T& m, double n);

// One calculated method: index, label, type, h, error codes, corrected data,
// measures, estimate, interval and both tests.
nlohmann::ordered_json MethodJson(const t2BDM& m);

// The active methods of a run, in index order.
nlohmann::ordered_json ActiveMethodsJson(tMethodSet& methods);

}  // namespace kovalin::cli
