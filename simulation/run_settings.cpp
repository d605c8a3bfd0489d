#include "simulation/run_settings.h"

#include <charconv>
#include <chrono>
#include <ctime>

#include "engine/method_set.h"

#ifndef KOVALIN_VERSION
#define KOVALIN_VERSION "unknown"
#endif

namespace kovalin {

namespace {

// Shortest text that reads back as the same double, with a point whatever the locale.
std::string Shortest(double v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

std::string UtcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char buffer[32];
  const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", &utc);
  return std::string(buffer, n);
}

bool StartsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

}  // namespace

std::vector<std::string> RunSettingsLines(const std::array<bool, kMethodCount + 1>& methods,
                                          const tConf_rec& options, long long workers) {
  std::string list;
  for (int i = 1; i <= kMethodCount; ++i) {
    if (!methods[static_cast<std::size_t>(i)]) continue;
    if (!list.empty()) list += ", ";
    list += MethodLabel(i);
  }
  return {"- Methods: " + (list.empty() ? std::string("none") : list),
          "- Alpha: " + Shortest(options.alfa_level) + ", epsilon: " + Shortest(options.epsilon),
          "- Workers: " + std::to_string(workers),
          std::string("- Program: Kovalin ") + KOVALIN_VERSION,
          "- Started: " + UtcNow()};
}

bool SettingDecidesNumbers(const std::string& line) {
  return StartsWith(line, "- Methods: ") || StartsWith(line, "- Alpha: ");
}

bool IsSettingLine(const std::string& line) { return StartsWith(line, "- "); }

}  // namespace kovalin
