#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "simulation/record_source.h"

namespace kovalin::cli {

// A record-table file loaded for the analyze and simulate commands.
class tRecordFile {
 public:
  // Loads the file; on failure error() names the file and the reason.
  explicit tRecordFile(const std::string& path);
  ~tRecordFile();
  tRecordFile(const tRecordFile&) = delete;
  tRecordFile& operator=(const tRecordFile&) = delete;

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  // "PATH:LINE:FIELD: message" for what the import kept apart.
  const std::vector<std::string>& warnings() const { return warnings_; }
  const tRecordSource& records() const { return *source_; }
  tRecordTableKind kind() const { return kind_; }

 private:
  struct tStore;
  std::unique_ptr<tStore> store_;
  std::unique_ptr<tRecordSource> source_;
  bool ok_ = false;
  std::string error_;
  std::vector<std::string> warnings_;
  tRecordTableKind kind_ = tRecordTableKind::other;
};

// "A-B" or "A" as a range of rows within 1..rowCount; on failure a message
// naming the option and its value.
std::optional<std::pair<int, int>> ParseRowRange(const std::string& text, int rowCount,
                                                 std::string& error);

// A seed from 0 to 4294967295; on failure a message naming the value.
std::optional<std::uint32_t> ParseSeed(const std::string& text, std::string& error);

}  // namespace kovalin::cli
