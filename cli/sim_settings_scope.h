#pragma once

#include "engine/app_options.h"

namespace kovalin::cli {

// Restores the process-wide analysis options and the simulation number format
// when a command ends, so that a command run in-process leaves no trace.
class tSimSettingsScope {
 public:
  tSimSettingsScope()
      : options_(AppOptions), decimals_(SimOutDecimals), width_(SimOutWidth) {}
  ~tSimSettingsScope() {
    AppOptions = options_;
    SimOutDecimals = decimals_;
    SimOutWidth = width_;
  }
  tSimSettingsScope(const tSimSettingsScope&) = delete;
  tSimSettingsScope& operator=(const tSimSettingsScope&) = delete;

 private:
  tConf_rec options_;
  int decimals_;
  int width_;
};

}  // namespace kovalin::cli
