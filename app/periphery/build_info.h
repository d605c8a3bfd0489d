#pragma once

#include <cstdint>

#include "app/periphery/build_config.h"

namespace kovalin::app {

// The label of this build, shown in the main window's status bar and, in square
// brackets, in the about box.
inline constexpr char BuildLabel[] = "23/02/22/ 20E x32";
// This build as yymmdd, the form of the version file's "yymmdd" (set at configure time).
inline constexpr std::int32_t BuildNumber = build_config::kBuildNumber;

inline constexpr char kProductName[] = "Kovalin";
inline constexpr char kVersionText[] = "Version 20E (x32)";

}  // namespace kovalin::app
