#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/command.h"

namespace kovalin::cli::testing_support {

// What one in-process run of kovalin-cli returned and printed.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// A temporary folder for the table files and outputs of one test.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() / ("kovalin_cli_" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return Path(name);
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path dir_;
};

inline std::vector<std::string> SplitLines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t at = text.find(end, start);
    if (at == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, at - start));
    start = at + end.size();
  }
  return lines;
}

inline const char* kParameterTable =
    "Id\tPA\tPB\tNA\tNB\tP\tOpos\tOneg\tn\r\n"
    "1\t0.8\t0.7\t0.9\t0.85\t0.3\t4\t2\t100\r\n"
    "2\t0.7\t0.7\t0.9\t0.9\t0.25\t2\t2\t100\r\n"
    "3\t0.2\t0.7\t0.9\t0.85\t0.3\t2\t2\t100\r\n"
    "4\t0.75\t0.6\t0.85\t0.8\t0.4\t1\t1\t200\r\n";

inline const char* kRawTable =
    "Id\tX[1]\tX[2]\tX[3]\tX[4]\tX[5]\tX[6]\tX[7]\tX[8]\r\n"
    "11\t30\t12\t4\t4\t6\t10\t2\t32\r\n"
    "12\t10\t5\t5\t10\t2\t8\t8\t52\r\n";

}  // namespace kovalin::cli::testing_support
