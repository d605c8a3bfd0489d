#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/paired_types.h"

namespace kovalin {

// Where a stopped seeded run goes on. Every record's samples follow from the seed
// and its row, so running rows from..last and appending their lines to the lines
// kept gives the file an uninterrupted run writes, byte for byte.
struct tContinuePlan {
  tSimulationType kind = tSimulationType::SimCI;
  int first = 1;               // the run's rows
  int last = 1;
  int from = 1;                // the first record that did not finish
  std::int32_t samples = 1;
  std::uint32_t seed = 0;
  std::string header;
  std::vector<std::string> keptLines;  // record lines of rows first..from-1
  std::vector<std::string> keptNotes;  // their log notes ("Record k: ...")
  // The stopped run's settings lines that decide its numbers (methods, alpha).
  std::vector<std::string> settings;
};

// Reads a stopped run's output text and log lines: nothing, and error saying
// why, when the run was not seeded, completed, or its files do not agree.
std::optional<tContinuePlan> PlanContinue(const std::string& outputText,
                                          const std::vector<std::string>& log,
                                          std::string& error);

// The log line of a continued run.
std::string ContinuedLine(int from);

// The lines of a text whose every line ends in CR LF; nothing when one does not.
std::optional<std::vector<std::string>> CrLfLines(const std::string& text);

}  // namespace kovalin
