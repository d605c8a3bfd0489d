#pragma once

#include <cstdint>

#include "app/periphery/build_config.h"
#include "app/shell/build_label.h"

namespace kovalin::app {

// This build as yymmdd, the form of the version file's "yymmdd" (set at configure time).
inline constexpr std::int32_t BuildNumber = build_config::kBuildNumber;

inline constexpr char kProductName[] = "Kovalin";
inline constexpr char kVersionText[] = "Version 20E (x32)";

}  // namespace kovalin::app
