#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "cli/command.h"
#include "cli/tests/cli_test_support.h"

namespace kovalin::cli {
namespace {

using testing_support::Cli;
using testing_support::CliRun;

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("kovalin-cli-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
    return File(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

const std::string kExamples = std::string(KOVALIN_SOURCE_DIR) + "/examples/";

TEST(TableCommand, ShippedParameterTableAsJson) {
  const CliRun r = Cli({"table", kExamples + "parameters_vp.mrd", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "VP/OR/P parameters");
  EXPECT_EQ(j["delimiter"], "tab");
  ASSERT_EQ(j["columns"].size(), 9u);
  EXPECT_EQ(j["columns"][1]["name"], "PA");
  EXPECT_EQ(j["columns"][1]["decimals"], 4);
  EXPECT_EQ(j["columns"][8]["decimals"], 0);
  EXPECT_EQ(j["columns"][0]["scale"], "interval");
  ASSERT_GE(j["rows"].size(), 3u);
  EXPECT_DOUBLE_EQ(j["rows"][0][1].get<double>(), 0.8014);
  EXPECT_TRUE(j["warnings"].empty());
}

TEST(TableCommand, TextShowsKindColumnsAndGridTexts) {
  const CliRun r = Cli({"table", kExamples + "raw_data.mrd"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Kind: Raw Data\n"), std::string::npos);
  EXPECT_NE(r.out.find("  2\tX[1]\tdecimals 0\tinterval\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n1\t30\t12\t4\t4\t6\t10\t2\t32\n"), std::string::npos);
}

TEST(TableCommand, CellsAsNumbersNullsAndLabels) {
  TempFolder dir;
  const std::string path = dir.Write("mixed.csv", "Id,Result,PA\r\n1,pos,0.5\r\n2,,0.25\r\n3,neg,\r\n");
  const CliRun r = Cli({"table", path, "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "VP/OR/P parameters");
  EXPECT_EQ(j["delimiter"], "comma");
  EXPECT_EQ(j["columns"][1]["scale"], "nominal");
  EXPECT_EQ(j["rows"][0][1]["label"], "pos");
  EXPECT_TRUE(j["rows"][1][1].is_null());
  EXPECT_EQ(j["rows"][2][1]["label"], "neg");
  EXPECT_TRUE(j["rows"][2][2].is_null());
  EXPECT_EQ(j["rows"][1][2], 0.25);
  // A forced delimiter that is not in the file gives one column.
  const CliRun forced = Cli({"table", path, "--delimiter", "semicolon", "--json"});
  ASSERT_EQ(forced.status, 0);
  EXPECT_EQ(nlohmann::json::parse(forced.out)["columns"].size(), 1u);
}

TEST(TableCommand, BadInputIsOneLineOnStderrAndStatusTwo) {
  TempFolder dir;
  const std::vector<std::vector<std::string>> cases = {
      {"table", dir.File("missing.mrd")},
      {"table", kExamples + "raw_data.mrd", "--delimiter", "pipe"},
      {"table", kExamples + "raw_data.mrd", "--colour"},
      {"table"},
      {"export", dir.File("missing.mrd"), dir.File("out.mrd")},
      {"export", kExamples + "raw_data.mrd", dir.File("out.mrd"), "--delimiter", "colon"},
      {"freq", dir.File("missing.xml")},
      {"freq", kExamples + "raw_data.mrd"},  // not XML
      // Files that are not tables: no text, binary bytes, a header and nothing under it.
      {"table", dir.Write("empty.txt", "")},
      {"table", dir.Write("bytes.bin", std::string("\x7f\x45\x4c\x46\x02\x01\x00\x00", 8))},
      {"table", dir.Write("letter.txt", "Dear Ann, the results are in.\r\n")},
  };
  for (const auto& args : cases) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, kExitUsage) << args[1];
    EXPECT_EQ(r.out, "") << args[1];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_NE(Cli({"table", dir.File("missing.mrd")}).err.find("missing.mrd"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mrd")));
}

class ExportCommandDelimiters : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ExportCommandDelimiters, WritesTheExportFormatAndReadsBack) {
  TempFolder dir;
  const std::string out = dir.File("copy.mrd");
  const CliRun r = Cli({"export", kExamples + "parameters_vp.mrd", out, "--delimiter", GetParam().first});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = TempFolder::Read(out);
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            std::string("Id") + GetParam().second + "PA" + GetParam().second + "PB" + GetParam().second + "NA" +
                GetParam().second + "NB" + GetParam().second + "P" + GetParam().second + "Opos" +
                GetParam().second + "Oneg" + GetParam().second + "n");
  EXPECT_NE(text.find(std::string(14, ' ') + "0.8014" + GetParam().second), std::string::npos);
  const auto original = nlohmann::json::parse(Cli({"table", kExamples + "parameters_vp.mrd", "--json"}).out);
  auto copy = nlohmann::json::parse(Cli({"table", out, "--json"}).out);
  EXPECT_EQ(copy["delimiter"], GetParam().first);
  EXPECT_EQ(copy["rows"], original["rows"]);
  EXPECT_EQ(copy["columns"], original["columns"]);
}

INSTANTIATE_TEST_SUITE_P(Delimiters, ExportCommandDelimiters,
                         ::testing::Values(std::make_pair("tab", "\t"), std::make_pair("semicolon", ";"),
                                           std::make_pair("comma", ","), std::make_pair("blank", " ")));

TEST(ExportCommand, DefaultIsTabAndTheShippedFileIsReproduced) {
  TempFolder dir;
  const std::string out = dir.File("raw.mrd");
  ASSERT_EQ(Cli({"export", kExamples + "raw_data.mrd", out}).status, 0);
  EXPECT_EQ(TempFolder::Read(out), TempFolder::Read(kExamples + "raw_data.mrd"));
  const CliRun failed = Cli({"export", kExamples + "raw_data.mrd", dir.File("no/such/raw.mrd")});
  EXPECT_EQ(failed.status, kExitFailure);
  EXPECT_EQ(failed.out, "");
}

TEST(ExportCommand, MissingCellsLabelsAndEveryDigitAreWrittenBack) {
  TempFolder dir;
  const std::string in = dir.Write("mixed.txt", "Id;PA;Group\n1;;g1\n2;0.8333333333333334;g2\n3;NA;g1\n");
  const std::string out = dir.File("out.txt");
  const CliRun r = Cli({"export", in, out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(TempFolder::Read(out),
            "Id\tPA\tGroup\r\n"
            "                   1\t                  NA\tg1\r\n"
            "                   2\t  0.8333333333333334\tg2\r\n"
            "                   3\t                  NA\tg1\r\n");
  EXPECT_EQ(r.err, "export: warning: " + in +
                       ":2:2: column \"PA\": an empty field is read as a missing cell (2 missing cells in "
                       "this column, the first here)\n");
  // A table of numbers only exports without a word.
  EXPECT_EQ(Cli({"export", kExamples + "raw_data.mrd", dir.File("raw.mrd")}).err, "");
}

const std::string kXml =
    "<dataset text=\"Kovalin_data\">\r\n  <table>\r\n    <title>Study A</title>\r\n    <dim>\r\n"
    "      <dimrows>2</dimrows>\r\n      <dimcols>3</dimcols>\r\n    </dim>\r\n    <labels>\r\n"
    "      <lblrows>R</lblrows>\r\n      <lblcols>C</lblcols>\r\n    </labels>\r\n"
    "    <sampling>2</sampling>\r\n    <cells>\r\n";

std::string XmlCells(const std::vector<std::string>& vals) {
  std::string s;
  int k = 0;
  for (int r = 1; r <= 2; ++r) {
    for (int c = 1; c <= 3; ++c) {
      s += "      <cell>\r\n        <row>" + std::to_string(r) + "</row>\r\n        <col>" + std::to_string(c) +
           "</col>\r\n        <val>" + vals[static_cast<std::size_t>(k++)] + "</val>\r\n      </cell>\r\n";
    }
  }
  return s + "    </cells>\r\n  </table>\r\n</dataset>\r\n";
}

TEST(FreqCommand, PrintsTableWithMarginsAndWritesItAgain) {
  TempFolder dir;
  const std::string file = kXml + XmlCells({"12", "5", "1", "3", "20", "0"});
  const std::string in = dir.Write("study.xml", file);
  const std::string out = dir.File("again.xml");
  const CliRun r = Cli({"freq", in, "--write", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Title: Study A\nRows: 2 (label R)\nColumns: 3 (label C)\nSampling: 2\n"
            "                 C(1)       C(2)       C(3)      Total\n"
            "      R(1)         12          5          1         18\n"
            "      R(2)          3         20          0         23\n"
            "     Total         15         25          1         41\n");
  EXPECT_EQ(TempFolder::Read(out), file);
  const auto j = nlohmann::json::parse(Cli({"freq", in, "--json"}).out);
  EXPECT_EQ(j["cols"], 3);
  EXPECT_EQ(j["cells"][1][1], 20);
  EXPECT_EQ(j["row_totals"][0], 18);
  EXPECT_EQ(j["col_totals"][2], 1);
  EXPECT_EQ(j["total"], 41);
  EXPECT_EQ(j["sampling"], 2);
}

TEST(FreqCommand, ReportsValuesThatAreNotNumbers) {
  TempFolder dir;
  const std::string in = dir.Write("bad.xml", kXml + XmlCells({"12", "abc", "1", "3", "20", "0"}));
  const CliRun r = Cli({"freq", in, "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["warnings"].size(), 1u);
  EXPECT_NE(j["warnings"][0].get<std::string>().find("cell 2 (row 1, col 2)"), std::string::npos);
  EXPECT_EQ(j["cells"][0][1], 0);
}

}  // namespace
}  // namespace kovalin::cli
