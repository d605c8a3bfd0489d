// What the R glue files share: missing values as NA, and the process-wide
// options set for one call and put back after it, whatever way it ends.
#pragma once

#include <Rcpp.h>

#include <cmath>

#include "engine/app_options.h"
#include "engine/missing.h"

namespace kovalin {

// The engine's missing value and infinities become NA.
inline double RValue(double x) { return IsMissing(x) || !std::isfinite(x) ? NA_REAL : x; }

class tScopedAppOptions {
 public:
  explicit tScopedAppOptions(const tConf_rec& options)
      : saved_(AppOptions), decimals_(SimOutDecimals), width_(SimOutWidth) {
    AppOptions = options;
  }
  ~tScopedAppOptions() {
    AppOptions = saved_;
    SimOutDecimals = decimals_;
    SimOutWidth = width_;
  }
  tScopedAppOptions(const tScopedAppOptions&) = delete;
  tScopedAppOptions& operator=(const tScopedAppOptions&) = delete;

 private:
  tConf_rec saved_;
  int decimals_;
  int width_;
};

}  // namespace kovalin
