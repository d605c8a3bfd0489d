#include "cli/record_file.h"

#include "cli/arguments.h"
#include "simulation/grid_record_source.h"
#include "simulation/run_rules.h"
#include "tables/table_loader.h"

namespace kovalin::cli {

struct tRecordFile::tStore {
  tRecordTableFile file;
};

tRecordFile::tRecordFile(const std::string& path) : store_(std::make_unique<tStore>()) {
  store_->file = LoadRecordTable(path);
  if (!store_->file.ok) {
    error_ = store_->file.error;
    return;
  }
  ok_ = true;
  warnings_ = store_->file.warnings;
  source_ = std::make_unique<tGridRecordSource>(store_->file.table);
  kind_ = RecordTableKind(*source_);
}

tRecordFile::~tRecordFile() = default;

std::optional<std::pair<int, int>> ParseRowRange(const std::string& text, int rowCount,
                                                 std::string& error) {
  const std::size_t dash = text.find('-', 1);
  const auto first = ParseInteger(dash == std::string::npos ? text : text.substr(0, dash));
  const auto last = dash == std::string::npos ? first : ParseInteger(text.substr(dash + 1));
  if (!first || !last) {
    error = "--rows: '" + text + "' is not a row or a range of rows A-B";
    return std::nullopt;
  }
  if (const auto broken = RowRangeRule(*first, *last, rowCount)) {
    error = "--rows: '" + text + "' " + *broken;
    return std::nullopt;
  }
  return std::pair{static_cast<int>(*first), static_cast<int>(*last)};
}

std::optional<std::uint32_t> ParseSeed(const std::string& text, std::string& error) {
  const auto value = ParseInteger(text);
  if (!value || *value < 0 || *value > 4294967295LL) {
    error = "--seed: '" + text + "' is not a whole number from 0 to 4294967295";
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(*value);
}

}  // namespace kovalin::cli
