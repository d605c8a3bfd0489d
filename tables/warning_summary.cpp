#include "tables/warning_summary.h"

#include "tables/text_utils.h"

namespace kovalin {

std::vector<std::string> SummarizeWarnings(const std::vector<std::string>& warnings, std::size_t shown) {
  constexpr int kLongest = 300;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < warnings.size() && i < shown; ++i) {
    const std::string& w = warnings[i];
    lines.push_back(Utf8Length(w) > kLongest ? Utf8Prefix(w, kLongest) + "..." : w);
  }
  if (warnings.size() > shown) lines.push_back("and " + std::to_string(warnings.size() - shown) + " more");
  return lines;
}

}  // namespace kovalin
