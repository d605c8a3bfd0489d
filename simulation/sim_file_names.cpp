#include "simulation/sim_file_names.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/number_text.h"

namespace kovalin {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Position just after the last separator (0 when there is none).
std::size_t FilePartStart(const std::string& name) {
  for (std::size_t i = name.size(); i > 0; --i)
    if (IsSeparator(name[i - 1])) return i;
  return 0;
}

bool IsAllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string FileExtension(const std::string& name) {
  const std::size_t start = FilePartStart(name);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < start) return "";
  return name.substr(dot);
}

std::string WithDefaultExtension(const std::string& name) {
  return FileExtension(name).empty() ? name + ".txt" : name;
}

std::string PathWithoutExt(const std::string& name) {
  const std::size_t start = FilePartStart(name);
  const std::string ext = FileExtension(name);
  if (ext.empty()) return name;
  const std::size_t at = name.find(ext, start);
  return name.substr(0, at);
}

namespace {

// One more than the highest number after the prefix among the files named like
// pattern in its folder; 1 when there is none.
long long NextNumberValue(const std::string& pattern) {
  const std::string ext = FileExtension(pattern);
  const std::string stem = PathWithoutExt(pattern);
  const std::size_t start = FilePartStart(stem);
  const std::string folder = stem.substr(0, start);
  const std::string prefix = stem.substr(start);

  std::vector<std::string> names;
  std::error_code ec;
  const std::filesystem::path dir =
      folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string file = it->path().filename().string();
    if (file.size() < prefix.size() + ext.size()) continue;
    if (file.compare(0, prefix.size(), prefix) != 0) continue;
    if (file.compare(file.size() - ext.size(), ext.size(), ext) != 0) continue;
    names.push_back(file);
  }
  std::sort(names.begin(), names.end());

  long long number = 1;
  for (const std::string& file : names) {
    const std::string rest = PathWithoutExt(file);
    if (rest.size() <= prefix.size()) continue;
    const std::string digits = rest.substr(prefix.size());
    // Nine digits at most, so that the number and its successor stay in range.
    if (!IsAllDigits(digits) || digits.size() > 9) continue;
    const long long value = ParseWholeNumber(digits).value_or(0);
    if (value >= number) number = value + 1;
  }
  return number;
}

std::string ZeroPadded(long long number, int width) {
  std::string text = std::to_string(number);
  const auto w = static_cast<std::size_t>(std::max(width, 0));
  if (text.size() < w) text.insert(0, w - text.size(), '0');
  return text;
}

}  // namespace

std::string NextFileNumber(const std::string& pattern, int width) {
  const std::string text = ZeroPadded(NextNumberValue(pattern), width);
  return text.substr(text.size() - static_cast<std::size_t>(std::max(width, 0)));
}

std::string SequencedFileName(const std::string& name, const std::string& tag, int width) {
  const std::string ext = FileExtension(name);
  const std::string stem = PathWithoutExt(name) + tag;
  const std::string pattern = stem + ext;
  const std::string cut = stem + NextFileNumber(pattern, width) + ext;
  // Past 9999 the cut number names an earlier run's file: that file is kept
  // and the number is written whole instead.
  std::error_code ec;
  if (!std::filesystem::exists(cut, ec)) return cut;
  return stem + ZeroPadded(NextNumberValue(pattern), width) + ext;
}

std::string LogFileName(const std::string& outputName) {
  return PathWithoutExt(outputName) + ".log.txt";
}

std::string AbbreviatePath(const std::string& path, int head, int tail) {
  const long long len = static_cast<long long>(path.size());
  if (head < 0 || tail < 0 || len <= static_cast<long long>(head) + tail + 3) return path;
  std::string headPart = path.substr(0, static_cast<std::size_t>(head));
  const std::size_t lastSep = headPart.find_last_of("/\\");
  if (lastSep != std::string::npos) headPart.resize(lastSep + 1);
  std::string tailPart =
      path.substr(static_cast<std::size_t>(len - 1 - tail), static_cast<std::size_t>(tail));
  const std::size_t firstSep = tailPart.find_first_of("/\\");
  if (firstSep != std::string::npos) tailPart.erase(0, firstSep);
  return headPart + "..." + tailPart;
}

}  // namespace kovalin
