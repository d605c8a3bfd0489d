#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/command.h"
#include "cli/tests/cli_test_support.h"

namespace kovalin::cli {
namespace {

using testing_support::SplitLines;

using testing_support::Cli;
using testing_support::CliRun;

class AnalyzeCommandTest : public testing_support::TempFolderTest {};

TEST_F(AnalyzeCommandTest, RawRecordsAsTheResultsDocumentHoldsThem) {
  const std::string file = Write("raw.txt", testing_support::kRawTable);
  const CliRun r = Cli({"analyze", file, "--methods", "d,LR"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = SplitLines(r.out, "\n");
  EXPECT_EQ(lines[0], ">Input: line 1 to line 2");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], std::string(59, '-'));
  EXPECT_EQ(lines[3], "> Input: Record\t1\tID:\t11");
  // The worked example's d line, with the value of no difference as reference.
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "\td             \t       -0.0854\t        0.0542\t       -0.1915\t"
                      "        0.0208\t        0.2123\t        2.4853\t        9.6957*"
                      "          0.00 T"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "> Input: Record\t2\tID:\t12"), lines.end());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(59, '-')), 2);
}

TEST_F(AnalyzeCommandTest, DecimalsWidenTheCellTables) {
  const std::string file = Write("raw.txt", testing_support::kRawTable);
  const CliRun r = Cli({"analyze", file, "--rows", "1", "--decimals", "6", "--methods", "d"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Cell tables use the simulation width, decimals + 6 = 12.
  EXPECT_NE(r.out.find(" X[1]:         30.0 (+++)\t"), std::string::npos);
  EXPECT_NE(r.out.find("\xC2\xB7Se\t    0.840000\t    0.680000\t"), std::string::npos);
}

TEST_F(AnalyzeCommandTest, RawRecordAsJson) {
  const std::string file = Write("raw.txt", testing_support::kRawTable);
  const CliRun r = Cli({"analyze", file, "--rows", "1-1", "--methods", "dp,F1R", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 1u);
  EXPECT_EQ(j[0]["row"], 1);
  EXPECT_EQ(j[0]["id"], 11);
  EXPECT_EQ(j[0]["kind"], "raw");
  EXPECT_EQ(j[0]["record"]["n"], 100);
  EXPECT_NEAR(j[0]["measures"]["se_a"].get<double>(), 0.84, 1e-12);
  EXPECT_NEAR(j[0]["measures"]["or_neg"].get<double>(), 9.6, 1e-12);
  ASSERT_EQ(j[0]["methods"].size(), 2u);
  EXPECT_EQ(j[0]["methods"][0]["label"], "dp");
  EXPECT_NEAR(j[0]["methods"][0]["ci"]["lower"].get<double>(), -0.196669, 1e-6);
  EXPECT_FALSE(j[0].contains("sample"));
}

TEST_F(AnalyzeCommandTest, RecordsThatCannotBeAnalysedCarryTheirProblemInJson) {
  const std::string raw = Write("raw.txt",
                                "Id\tX[1]\tX[2]\tX[3]\tX[4]\tX[5]\tX[6]\tX[7]\tX[8]\r\n"
                                "1\t30\t12\t\t4\t6\t10\t2\t32\r\n");
  auto j = nlohmann::json::parse(Cli({"analyze", raw, "--json"}).out);
  EXPECT_EQ(j[0]["problem"], "cell X[3] is empty or missing (-999)");
  EXPECT_TRUE(j[0]["measures"].is_null());
  EXPECT_TRUE(j[0]["methods"].empty());
  const std::string par = Write("par.txt",
                                "Id\tPA\tPB\tNA\tNB\tP\tOpos\tOneg\tn\r\n"
                                "1\t0.8\t0.7\t0.9\t0.85\t0.3\t4\t2\t-1\r\n"
                                "2\t0.8\t0.7\t0.9\t0.85\t0.3\t4\t2\t9.5\r\n");
  j = nlohmann::json::parse(Cli({"analyze", par, "--json", "--seed", "1"}).out);
  EXPECT_EQ(j[0]["problem"], "the sample size n (-1) is not a whole number from 1 to 2147483647");
  EXPECT_TRUE(j[0]["sample"].is_null());
  EXPECT_TRUE(j[0]["methods"].empty());
  EXPECT_EQ(j[1]["note"], "the sample size n (9.5) is truncated to 9");
  int drawn = 0;
  for (const auto& c : j[1]["sample"]) drawn += c.get<int>();
  EXPECT_EQ(drawn, 9);
}

TEST_F(AnalyzeCommandTest, ParameterRecordsAsJson) {
  const std::string file = Write("par.txt", testing_support::kParameterTable);
  const CliRun r = Cli({"analyze", file, "--rows", "1-3", "--seed", "42", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 3u);
  EXPECT_EQ(j[0]["kind"], "parameters");
  EXPECT_EQ(j[0]["solutions"], 1);
  double sum = 0;
  for (const auto& p : j[0]["probabilities"]) sum += p.get<double>();
  EXPECT_NEAR(sum, 1, 1e-9);
  int drawn = 0;
  for (const auto& c : j[0]["sample"]) drawn += c.get<int>();
  EXPECT_EQ(drawn, 100);
  EXPECT_EQ(j[0]["methods"].size(), 21u);
  EXPECT_NEAR(j[0]["measures"]["se_a"].get<double>(), 0.761905, 1e-6);
  // Row 3 has no valid cell probabilities: nothing drawn, nothing inferred.
  EXPECT_EQ(j[2]["solutions"], 0);
  EXPECT_TRUE(j[2]["sample"].is_null());
  EXPECT_TRUE(j[2]["methods"].empty());
}

TEST_F(AnalyzeCommandTest, SeedRepeatsTheSampleOfAParameterRecord) {
  const std::string file = Write("par.txt", testing_support::kParameterTable);
  const CliRun a = Cli({"analyze", file, "--seed", "9"});
  const CliRun b = Cli({"analyze", file, "--seed", "9"});
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out.find("Number of solutions: 0\n  * These parameters give no valid cell "
                       "probabilities: no sample is drawn\n"),
            std::string::npos);
}

TEST_F(AnalyzeCommandTest, BadInputIsOneLineWithStatusTwo) {
  const std::string par = Write("par.txt", testing_support::kParameterTable);
  const std::string other = Write("other.txt", "SA\tSB\r\n0.8\t0.7\r\n");
  const std::string rawText = Write("rawtext.txt",
                                    "Id\tX[1]\tX[2]\tX[3]\tX[4]\tX[5]\tX[6]\tX[7]\tX[8]\r\n"
                                    "1\t30\t12\t4\t4\t6\t10\t2\t32\r\n"
                                    "2\t10\t5\tfive\t10\t2\t8\t8\t52\r\n");
  const std::string empty = Write("empty.txt", "Id\tPA\tPB\tNA\tNB\tP\tOpos\tOneg\tn\r\n");
  const std::vector<std::vector<std::string>> cases = {
      {"analyze", other},
      {"analyze", empty},
      {"analyze", rawText},
      {"analyze", empty, "--json"},
      {"analyze", par, "--rows", "0-2"},
      {"analyze", par, "--rows", "3-9"},
      {"analyze", par, "--rows", "x"},
      {"analyze", par, "--seed", "-1"},
      {"analyze", par, "--alpha", "0.2"},
      {"analyze", par, "--bogus"},
      {"analyze", Path("missing.txt")},
      {"analyze"},
  };
  for (const auto& args : cases) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("analyze: ", 0), 0u) << r.err;
  }
  EXPECT_NE(Cli({"analyze", par, "--rows", "3-9"}).err.find("1 to 4"), std::string::npos);
  const std::string textError = Cli({"analyze", rawText}).err;
  EXPECT_NE(textError.find("\"X[3]\""), std::string::npos) << textError;
  EXPECT_NE(textError.find("five"), std::string::npos) << textError;
}

}  // namespace
}  // namespace kovalin::cli
