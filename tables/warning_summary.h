#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kovalin {

// How many warnings a list shows before it says how many more there are.
inline constexpr std::size_t kWarningsShown = 20;

// A list of warnings as a person reads it: the first `shown` entries, each cut
// to 300 characters (a line of binary bytes or a long text stays one line),
// then "and N more" when there are more. The command line and the desktop
// show the same summary.
std::vector<std::string> SummarizeWarnings(const std::vector<std::string>& warnings,
                                           std::size_t shown = kWarningsShown);

}  // namespace kovalin
