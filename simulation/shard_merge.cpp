#include "simulation/shard_merge.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "simulation/run_clock.h"
#include "simulation/run_settings.h"

namespace kovalin {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The lines of a text whose every line ends in CR LF; nothing when one does not.
std::optional<std::vector<std::string>> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(kLineEnd, start);
    if (end == std::string::npos) return std::nullopt;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The record number at the start of a line: the first field, right-aligned.
std::optional<long long> RecordNumber(const std::string& line, char delimiter) {
  std::size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  std::size_t end = line.find(delimiter, start);
  if (delimiter != ' ') end = std::min(end, line.find(' ', start));
  if (end == std::string::npos) end = line.size();
  double value = 0;
  const auto [ptr, ec] = std::from_chars(line.data() + start, line.data() + end, value);
  if (ec != std::errc() || ptr != line.data() + end) return std::nullopt;
  if (!(value >= 1 && value <= 2147483647.0) || std::floor(value) != value) return std::nullopt;
  return static_cast<long long>(value);
}

// The width and decimals of the first field, as the number format wrote it.
std::pair<std::size_t, std::size_t> NumberShape(const std::string& line, char delimiter) {
  std::size_t end = line.find(delimiter, line.find_first_not_of(' '));
  if (end == std::string::npos) end = line.size();
  const std::size_t point = line.find('.');
  const std::size_t decimals = point < end ? end - point - 1 : 0;
  return {end, decimals};
}

struct tShard {
  const tShardFile* file = nullptr;
  std::vector<std::string> lines;  // the header, then the record lines
  long long first = 0;
  long long last = 0;
  // Its log: the settings (title, samples, seed), the record notes and the end.
  std::vector<std::string> settings;
  // The lines of how the run was made (methods, alpha, workers, program, start).
  std::vector<std::string> made;
  std::vector<std::string> notes;
  std::string endLine;
  std::optional<double> seconds;  // its duration line
};

std::string Rows(const tShard& s) {
  return "rows " + std::to_string(s.first) + " to " + std::to_string(s.last);
}

// Reads a shard's log as the run wrote it: title, output file, table size,
// records, samples, the seed when there was one, record notes, "Saved", the end.
std::optional<std::string> ReadLog(tShard& shard) {
  const std::string& name = shard.file->name;
  if (!shard.file->log) return name + ": its log file is missing";
  const auto log = CrLfLines(*shard.file->log);
  if (!log || log->size() < 7) return name + ": its log file is not a simulation log";
  const std::vector<std::string>& l = *log;
  const std::string records = "- Records: from " + std::to_string(shard.first) + " to " +
                              std::to_string(shard.last) + " (" +
                              std::to_string(shard.last - shard.first + 1) + " records)";
  if (!StartsWith(l[1], "Generated output file: ") || !StartsWith(l[2], "Output table: ") ||
      !StartsWith(l[4], "- Samples per record: "))
    return name + ": its log file is not a simulation log";
  if (l[3] != records) return name + ": its log says \"" + l[3] + "\" but the file holds " + Rows(shard);
  std::size_t next = 5;
  shard.settings = {l[0], l[4]};
  if (StartsWith(l[5], "- Random seed: ")) {
    shard.settings.push_back(l[5]);
    ++next;
  } else {
    shard.settings.push_back("");
  }
  // How the run was made; the lines that decide its numbers must agree.
  while (next < l.size() && IsSettingLine(l[next])) {
    shard.made.push_back(l[next]);
    if (SettingDecidesNumbers(l[next])) shard.settings.push_back(l[next]);
    ++next;
  }
  const std::string saved = "Saved " + std::to_string(shard.last - shard.first + 1) + " records";
  const std::string& end = l.back();
  if (!StartsWith(end, "Complete [") || l[l.size() - 2] != saved)
    return name + ": its run did not complete (its log ends \"" + end + "\")";
  std::size_t notesEnd = l.size() - 2;
  const std::string duration = "Duration: ";
  if (notesEnd > next && StartsWith(l[notesEnd - 1], duration)) {
    const std::string& d = l[notesEnd - 1];
    double seconds = 0;
    const char* first = d.data() + duration.size();
    const auto r = std::from_chars(first, d.data() + d.size(), seconds);
    if (r.ec == std::errc()) shard.seconds = seconds;
    --notesEnd;
  }
  if (notesEnd < next) notesEnd = next;
  shard.notes.assign(l.begin() + static_cast<std::ptrdiff_t>(next),
                     l.begin() + static_cast<std::ptrdiff_t>(notesEnd));
  shard.endLine = end;
  return std::nullopt;
}

}  // namespace

tShardMerge MergeShards(const std::vector<tShardFile>& files, const std::string& outName) {
  tShardMerge merged;
  auto refuse = [&merged](std::string why) {
    merged.error = std::move(why);
    return merged;
  };
  if (files.empty()) return refuse("no shard files given");

  std::vector<tShard> shards;
  char delimiter = '\t';
  for (const tShardFile& file : files) {
    tShard shard;
    shard.file = &file;
    auto lines = CrLfLines(file.text);
    if (!lines || lines->empty() || !StartsWith((*lines)[0], "Rec") || (*lines)[0].size() < 4)
      return refuse(file.name + ": not a simulation output file");
    shard.lines = std::move(*lines);
    if (shards.empty()) {
      delimiter = shard.lines[0][3];
    } else if (shard.lines[0] != shards.front().lines[0]) {
      return refuse(file.name + ": its header differs from the header of " +
                    shards.front().file->name);
    }
    if (shard.lines.size() < 2) return refuse(file.name + ": it holds no records");
    // The header does not show the number format; the first field does.
    if (!shards.empty() && NumberShape(shard.lines[1], delimiter) !=
                               NumberShape(shards.front().lines[1], delimiter))
      return refuse(file.name + ": its numbers are written with other decimals than those of " +
                    shards.front().file->name);
    for (std::size_t i = 1; i < shard.lines.size(); ++i) {
      const auto row = RecordNumber(shard.lines[i], delimiter);
      if (!row) return refuse(file.name + ": line " + std::to_string(i + 1) + " has no record number");
      if (i == 1) {
        shard.first = *row;
      } else if (*row != shard.last + 1) {
        return refuse(file.name + ": row " + std::to_string(*row) + " follows row " +
                      std::to_string(shard.last));
      }
      shard.last = *row;
    }
    if (const auto e = ReadLog(shard)) return refuse(*e);
    if (!shards.empty() && shard.settings != shards.front().settings)
      return refuse(file.name + ": its log's kind, samples, seed, methods or alpha differ from those of " +
                    shards.front().file->name);
    shards.push_back(std::move(shard));
  }

  std::stable_sort(shards.begin(), shards.end(),
                   [](const tShard& a, const tShard& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < shards.size(); ++i) {
    const tShard& a = shards[i - 1];
    const tShard& b = shards[i];
    if (b.first <= a.last)
      return refuse(b.file->name + ": its " + Rows(b) + " overlap " + Rows(a) + " of " +
                    a.file->name);
    if (b.first > a.last + 1)
      return refuse("rows " + std::to_string(a.last + 1) + " to " + std::to_string(b.first - 1) +
                    " are missing between " + a.file->name + " and " + b.file->name);
  }

  const tShard& head = shards.front();
  const long long first = head.first;
  const long long last = shards.back().last;
  const long long records = last - first + 1;
  const std::string& header = head.lines[0];
  const long long cols =
      header.empty() ? 0 : std::count(header.begin(), header.end(), delimiter) + 1;
  merged.text = header + kLineEnd;
  for (const tShard& s : shards)
    for (std::size_t i = 1; i < s.lines.size(); ++i) merged.text += s.lines[i] + kLineEnd;

  std::vector<std::string> log = {head.settings[0],
                                  "Generated output file: " + outName,
                                  "Output table: " + std::to_string(records) + " rows x " +
                                      std::to_string(cols) + " cols.",
                                  "- Records: from " + std::to_string(first) + " to " +
                                      std::to_string(last) + " (" + std::to_string(records) +
                                      " records)",
                                  head.settings[1]};
  if (!head.settings[2].empty()) log.push_back(head.settings[2]);
  log.insert(log.end(), head.made.begin(), head.made.end());
  for (const tShard& s : shards) log.insert(log.end(), s.notes.begin(), s.notes.end());
  // The parts' durations added up: the work the study took, wherever it ran.
  double seconds = 0;
  bool timed = true;
  for (const tShard& s : shards) {
    timed = timed && s.seconds.has_value();
    seconds += s.seconds.value_or(0);
  }
  if (timed) log.push_back(DurationLine(seconds));
  log.push_back("Saved " + std::to_string(records) + " records");
  log.push_back(shards.back().endLine);
  for (const std::string& line : log) merged.log += line + kLineEnd;
  return merged;
}

}  // namespace kovalin
