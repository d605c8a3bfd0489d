#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/command.h"
#include "cli/tests/cli_test_support.h"
#include "engine/app_options.h"
#include "tables/csv_number.h"

namespace kovalin::cli {
namespace {

using testing_support::Cli;
using testing_support::CliRun;

std::vector<std::string> Example(std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"compare", "30", "12", "4", "4", "6", "10", "2", "32"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CompareCommand, SummaryOfTheWorkedExample) {
  const CliRun r = Cli(Example());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u + 4 + 2 + 19);
  EXPECT_EQ(lines[1], "[1] DIFFERENCES:");
  EXPECT_EQ(lines[3],
            "\td             \t       -0.0854\t        0.0542\t       -0.1915\t        0.0208"
            "\t        0.2123\t        2.4853\t        9.6957*          0.00 T");
  EXPECT_EQ(lines[7], "[2] RATIOS:");
}

TEST(CompareCommand, SixDecimalsShowTheWorkedFigures) {
  const CliRun r = Cli(Example({"--decimals", "6", "--methods", "dp,LR,R,Fd,F1R"}));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* figure : {"-0.196669", "0.025897", "2.261647", "0.894523", "0.070968",
                             "0.778363", "1.028019", "0.778450", "1.027904", "-0.204023",
                             "0.022264", "2.307246", "0.775681", "1.027661", "10.222880*"})
    EXPECT_NE(r.out.find(figure), std::string::npos) << figure;
  EXPECT_EQ(r.out.find("\td "), std::string::npos);  // d is not listed
}

TEST(CompareCommand, FullReportsComeBeforeTheSummary) {
  const CliRun r = Cli(Example({"--full", "--methods", "d"}));
  ASSERT_EQ(r.status, 0);
  const auto full = r.out.find("# Method d");
  const auto summary = r.out.find("\tMethod ");
  ASSERT_NE(full, std::string::npos);
  ASSERT_NE(summary, std::string::npos);
  EXPECT_LT(full, summary);
}

TEST(CompareCommand, JsonCarriesEveryResult) {
  const CliRun r = Cli(Example({"--json", "--methods", "d,F1R"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["input"]["cells"].size(), 8u);
  EXPECT_EQ(j["input"]["alpha"], 0.05);
  EXPECT_EQ(j["measures"]["n"], 100);
  EXPECT_DOUBLE_EQ(j["measures"]["or_neg"].get<double>(), 9.6);
  EXPECT_DOUBLE_EQ(j["measures"]["ppv_a"].get<double>(), 42.0 / 58);
  ASSERT_EQ(j["methods"].size(), 2u);
  const auto& d = j["methods"][0];
  EXPECT_EQ(d["index"], 1);
  EXPECT_EQ(d["label"], "d");
  EXPECT_EQ(d["type"], "difference");
  EXPECT_NEAR(d["variance"].get<double>(), 0.002934, 5e-7);
  EXPECT_NEAR(d["ci"]["lower"].get<double>(), -0.191544, 5e-7);
  EXPECT_NEAR(d["global_test"]["statistic"].get<double>(), 9.695702, 5e-7);
  EXPECT_EQ(d["global_test"]["significant"], true);
  const auto& f1r = j["methods"][1];
  EXPECT_EQ(f1r["type"], "ratio");
  EXPECT_TRUE(f1r["se"].is_null());
  EXPECT_TRUE(f1r["individual_test"]["statistic"].is_null());
}

TEST(CompareCommand, JsonNumbersRoundTripExactly) {
  const CliRun r = Cli({"compare", "0.1", "12", "4", "4", "6", "10", "2", "32", "--json"});
  ASSERT_EQ(r.status, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["input"]["cells"][0].get<double>(), 0.1);
  EXPECT_EQ(j["methods"][0]["data"][0].get<double>(), 0.1);
}

TEST(CompareCommand, TinyCellsAreReadAsTheTableReaderReadsThem) {
  // Subnormal values and underflow to 0; an overflow is still no number.
  const std::vector<std::string> cells = {"1e-308", "4.9e-324", "1e-400", "2.5e-320"};
  const CliRun r = Cli({"compare", cells[0], cells[1], cells[2], cells[3], "6", "10", "2", "32", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    double table = -1;
    ASSERT_TRUE(ParseCsvNumber(cells[i], table));
    EXPECT_EQ(j["input"]["cells"][i].get<double>(), table) << cells[i];
  }
  EXPECT_GT(j["input"]["cells"][0].get<double>(), 0);
  EXPECT_EQ(Cli({"compare", "1e309", "1", "1", "1", "1", "1", "1", "1"}).status, 2);
}

TEST(CompareCommand, ZeroCellWithoutEpsilonFailsOnlyThatMethod) {
  const CliRun r = Cli({"compare", "0", "12", "4", "4", "6", "10", "2", "32", "--epsilon", "0",
                     "--methods", "d,da", "--json"});
  ASSERT_EQ(r.status, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["methods"][0]["error_code"], 500);
  EXPECT_EQ(j["methods"][0]["error_count"], 1);
  EXPECT_TRUE(j["methods"][0]["estimate"].is_null());
  EXPECT_EQ(j["methods"][1]["error_code"], 0);
}

TEST(CompareCommand, OptionsDoNotLeakIntoTheProcess) {
  const tConf_rec before = AppOptions;
  Cli(Example({"--decimals", "7", "--alpha", "0.01"}));
  EXPECT_EQ(AppOptions.decimals, before.decimals);
  EXPECT_EQ(AppOptions.alfa_level, before.alfa_level);
}

struct BadInput {
  std::vector<std::string> args;
  const char* mentions;
};

class CompareBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(CompareBadInput, OneLineOnStderrNothingOnStdout) {
  const CliRun r = Cli(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(GetParam().mentions), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareBadInput,
    ::testing::Values(BadInput{{"compare", "1", "2", "3", "4", "5", "6", "7"}, "got 7"},
                      BadInput{{"compare", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "got 9"},
                      BadInput{{"compare", "1", "2", "x3", "4", "5", "6", "7", "8"}, "'x3'"},
                      BadInput{{"compare", "1", "2", "3", "nan", "5", "6", "7", "8"}, "'nan'"},
                      BadInput{{"compare", "1", "2", "3", "4", "-5", "6", "7", "8"}, "negative"},
                      BadInput{Example({"--methods", "d,XY"}), "'XY'"},
                      BadInput{Example({"--alpha", "0.02"}), "'0.02'"},
                      BadInput{Example({"--epsilon", "1.5"}), "'1.5'"},
                      BadInput{Example({"--decimals", "15"}), "'15'"},
                      BadInput{Example({"--decimals", "2.5"}), "'2.5'"},
                      BadInput{Example({"--verbose"}), "--verbose"},
                      BadInput{Example({"--alpha"}), "--alpha"}));

TEST(Cli, UnknownCommandIsAUsageError) {
  const CliRun r = Cli({"frobnicate"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("frobnicate"), std::string::npos);
  EXPECT_EQ(Cli({}).status, 2);
  EXPECT_EQ(Cli({"--help"}).status, 0);
}

}  // namespace
}  // namespace kovalin::cli
