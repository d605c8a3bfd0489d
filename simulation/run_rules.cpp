#include "simulation/run_rules.h"

#include "simulation/input_form_rec.h"

namespace kovalin {

namespace {

// Records, and no text where numbers are read.
std::optional<std::string> ContentRule(const tRecordSource& table) {
  if (const auto text = TextInNumberColumn(table))
    return "column \"" + text->column + "\" holds the text \"" + text->text +
           "\" where numbers are expected";
  if (table.RowCount() < 1) return "the table has no records";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> AlphaLevelRule(double alpha) {
  if (alpha == 0.10 || alpha == 0.05 || alpha == 0.01) return std::nullopt;
  return "is not one of the levels 0.10, 0.05 and 0.01";
}

std::optional<std::string> EpsilonRule(double epsilon) {
  if (epsilon >= 0 && epsilon <= 1) return std::nullopt;
  return "is not a number from 0 to 1";
}

std::optional<std::string> DecimalsRule(long long decimals) {
  if (decimals >= 1 && decimals <= 14) return std::nullopt;
  return "is not a whole number from 1 to 14";
}

std::optional<std::string> SampleCountRule(long long samples) {
  if (samples >= 1 && samples <= kMaxNumSamples) return std::nullopt;
  return "is not a whole number from 1 to " + std::to_string(kMaxNumSamples);
}

std::optional<std::string> JobsRule(long long jobs) {
  if (jobs >= 1 && jobs <= kMaxJobs) return std::nullopt;
  return "is not a whole number from 1 to " + std::to_string(kMaxJobs);
}

std::optional<std::string> RowRangeRule(long long first, long long last, int rowCount) {
  if (first >= 1 && last <= rowCount && first <= last) return std::nullopt;
  return "is not a range within rows 1 to " + std::to_string(rowCount);
}

std::optional<std::string> AnalysisTableRule(const tRecordSource& table) {
  const tRecordTableKind kind = RecordTableKind(table);
  if (kind != tRecordTableKind::rawData && kind != tRecordTableKind::paramsVP)
    return "neither a raw-data table (columns X[1] to X[8]) nor a VP/OR/P parameter table "
           "(column PA)";
  return ContentRule(table);
}

std::optional<std::string> SimulationTableRule(const tRecordSource& table) {
  if (RecordTableKind(table) != tRecordTableKind::paramsVP)
    return "not a VP/OR/P parameter table (a simulation needs the columns PA, PB, NA, NB, P, "
           "Opos, Oneg and n)";
  return ContentRule(table);
}

}  // namespace kovalin
