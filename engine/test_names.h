#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kovalin {

// The names a user gives tests A and B ("Mammography", "MRI"). With no names
// every report prints exactly what it prints without this feature.
struct tTestNames {
  std::string a, b;
  bool given() const { return !a.empty() || !b.empty(); }
  // The name of test A (B), or "A" ("B") when none was given.
  std::string A() const { return a.empty() ? "A" : a; }
  std::string B() const { return b.empty() ? "B" : b; }
};

// Reads "Mammography,MRI": two non-empty names separated by one comma, blanks
// around each removed. On failure, nothing and a reason naming the text.
std::optional<tTestNames> ParseTestNames(std::string_view text, std::string& error);

// The line that opens a report whose tests have names:
// "> Tests: A = Mammography, B = MRI".
std::string TestNamesLine(const tTestNames& names);

}  // namespace kovalin
