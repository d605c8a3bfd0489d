#pragma once

namespace kovalin::app {

// The label of this build, shown in the main window's status bar and, in square
// brackets, in the about box.
inline constexpr char BuildLabel[] = "23/02/22/ 20E x32";

}  // namespace kovalin::app
