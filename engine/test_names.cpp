#include "engine/test_names.h"

namespace kovalin {

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool HasControlCharacter(std::string_view s) {
  for (const char c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

}  // namespace

std::optional<tTestNames> ParseTestNames(std::string_view text, std::string& error) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos) {
    error = "'" + std::string(text) + "' should be two names separated by one comma (\"Mammography,MRI\")";
    return std::nullopt;
  }
  tTestNames names{std::string(Trimmed(text.substr(0, comma))),
                   std::string(Trimmed(text.substr(comma + 1)))};
  if (names.a.empty() || names.b.empty()) {
    error = "'" + std::string(text) + "' leaves a test without a name";
    return std::nullopt;
  }
  if (HasControlCharacter(names.a) || HasControlCharacter(names.b)) {
    error = "'" + std::string(text) + "' holds a control character";
    return std::nullopt;
  }
  return names;
}

std::string TestNamesLine(const tTestNames& names) {
  return "> Tests: A = " + names.A() + ", B = " + names.B();
}

}  // namespace kovalin
