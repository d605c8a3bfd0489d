#include "simulation/sim_continue.h"

#include <charconv>
#include <cmath>

#include "simulation/run_settings.h"

namespace kovalin {

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The whole number that starts text at pos; nothing when there is none.
std::optional<long long> NumberAt(const std::string& text, std::size_t pos) {
  long long value = 0;
  if (pos >= text.size()) return std::nullopt;
  const auto r = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (r.ec != std::errc()) return std::nullopt;
  return value;
}

std::optional<long long> NumberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) return std::nullopt;
  return NumberAt(text, at + label.size());
}

// The record number at the start of a line (the first field, right-aligned).
std::optional<long long> LineRow(const std::string& line) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(line.data() + start, line.data() + line.size(), value);
  if (r.ec != std::errc() || !(value >= 1 && value <= 2147483647.0) ||
      std::floor(value) != value)
    return std::nullopt;
  return static_cast<long long>(value);
}

}  // namespace

std::optional<std::vector<std::string>> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return std::nullopt;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string ContinuedLine(int from) {
  return "- Continued from record " + std::to_string(from) +
         ": the records before it are those of the stopped run";
}

std::optional<tContinuePlan> PlanContinue(const std::string& outputText,
                                          const std::vector<std::string>& log,
                                          std::string& error) {
  auto fail = [&error](std::string why) -> std::optional<tContinuePlan> {
    error = std::move(why);
    return std::nullopt;
  };
  if (log.size() < 7) return fail("its log is not a simulation log");
  tContinuePlan plan;
  if (StartsWith(log[0], "Simulation of confidence intervals"))
    plan.kind = tSimulationType::SimCI;
  else if (StartsWith(log[0], "Simulation of Individual Homogeneity Tests"))
    plan.kind = tSimulationType::simIT;
  else if (StartsWith(log[0], "Simulation of Global Homogeneity Tests"))
    plan.kind = tSimulationType::simGT;
  else
    return fail("its log is not a simulation log");
  if (StartsWith(log.back(), "Complete ["))
    return fail("its run is complete: there is nothing to continue");
  if (!StartsWith(log.back(), "Canceled [Rec: "))
    return fail("its log does not end with a stop (\"Canceled [Rec: ...\")");

  std::optional<long long> first, last, samples, seed;
  for (const std::string& line : log) {
    if (StartsWith(line, "- Records: from ")) {
      first = NumberAfter(line, "from ");
      last = NumberAfter(line, " to ");
    } else if (StartsWith(line, "- Samples per record: ")) {
      samples = NumberAfter(line, ": ");
    } else if (StartsWith(line, "- Random seed: ")) {
      seed = NumberAfter(line, ": ");
    } else if (SettingDecidesNumbers(line)) {
      plan.settings.push_back(line);
    }
  }
  if (!seed)
    return fail("its run drew from the clock, not from a seed: it cannot be continued to "
                "the file an uninterrupted run writes");
  if (!first || !last || !samples || *first < 1 || *last < *first || *last > 2147483647 ||
      *samples < 1 || *samples > 2147483647 || *seed < 0 || *seed > 4294967295LL)
    return fail("its log does not give the records, samples and seed of the run");
  const auto stoppedAt = NumberAfter(log.back(), "Canceled [Rec: ");
  if (!stoppedAt || *stoppedAt < *first || *stoppedAt > *last)
    return fail("its log's last line names no record of the run");
  plan.first = static_cast<int>(*first);
  plan.last = static_cast<int>(*last);
  plan.samples = static_cast<std::int32_t>(*samples);
  plan.seed = static_cast<std::uint32_t>(*seed);
  // The record the stop line names is run again whether or not it finished: its
  // samples follow from the seed, so a finished one gives the same line again.
  plan.from = static_cast<int>(*stoppedAt);

  const auto lines = CrLfLines(outputText);
  if (!lines || lines->empty() || !StartsWith((*lines)[0], "Rec"))
    return fail("it is not a simulation output file");
  plan.header = (*lines)[0];
  long long expected = plan.first;
  for (std::size_t i = 1; i < lines->size(); ++i) {
    const auto row = LineRow((*lines)[i]);
    if (!row) return fail("line " + std::to_string(i + 1) + " has no record number");
    if (*row != expected)
      return fail("row " + std::to_string(*row) + " follows row " + std::to_string(expected - 1));
    ++expected;
    if (*row < plan.from) plan.keptLines.push_back((*lines)[i]);
  }
  if (static_cast<long long>(plan.keptLines.size()) != plan.from - plan.first)
    return fail("it holds the lines of rows " + std::to_string(plan.first) + " to " +
                std::to_string(expected - 1) + ", but its log stops at record " +
                std::to_string(plan.from));
  for (const std::string& line : log) {
    if (!StartsWith(line, "Record ")) continue;
    const auto row = NumberAt(line, 7);
    if (row && *row >= plan.first && *row < plan.from) plan.keptNotes.push_back(line);
  }
  return plan;
}

}  // namespace kovalin
