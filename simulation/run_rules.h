#pragma once

#include <optional>
#include <string>

#include "simulation/record_source.h"

namespace kovalin {

// The rules every front end checks before it starts an analysis or a simulation,
// so that the command line and the desktop refuse the same inputs with the same
// words. Each gives nothing when the input passes. The value rules give the
// reason as it follows the value ("'0.2' is not one of ..."); the table rules
// give the whole reason, to follow the table's name.

// The three alpha levels of the options: 0.10, 0.05 and 0.01.
std::optional<std::string> AlphaLevelRule(double alpha);
// The continuity correction epsilon: 0 to 1.
std::optional<std::string> EpsilonRule(double epsilon);
// The decimals of the reports: 1 to 14.
std::optional<std::string> DecimalsRule(long long decimals);
// The samples per record of a simulation: 1 to 2147483647.
std::optional<std::string> SampleCountRule(long long samples);
// The worker threads of a simulation: 1 to kMaxJobs.
inline constexpr int kMaxJobs = 1024;
std::optional<std::string> JobsRule(long long jobs);
// Rows first..last inside a table of rowCount rows.
std::optional<std::string> RowRangeRule(long long first, long long last, int rowCount);

// A table the analysis can read: raw data or VP/OR/P parameters, with records and
// numbers (not text) in the columns it reads as numbers.
std::optional<std::string> AnalysisTableRule(const tRecordSource& table);
// A table a simulation can read: VP/OR/P parameters, with records and numbers.
std::optional<std::string> SimulationTableRule(const tRecordSource& table);

}  // namespace kovalin
