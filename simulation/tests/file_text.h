#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kovalin::testing_support {

// A new, empty folder below the system's temporary folder, named by a prefix and
// a random number, so that test programs running side by side never share one.
inline std::filesystem::path MakeTempDir(const std::string& prefix) {
  std::random_device rd;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / (prefix + std::to_string(rd()));
  std::filesystem::create_directories(dir);
  return dir;
}

// A file's bytes as they are (an absent file reads as empty).
inline std::string ReadFile(const std::filesystem::path& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The lines of a CR LF text. A last line without its line end is kept, marked
// "<no line end>", so that a file cut short shows in a comparison.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace kovalin::testing_support
