// --extended and the new JSON figures of compare and analyze. The figures are
// those of engine/tests/extended_reference.py for DTComPair's Paired1 table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/tests/cli_test_support.h"
#include "engine/text_format.h"

namespace kovalin::cli {
namespace {

using testing_support::Cli;
using testing_support::CliRun;
using testing_support::SplitLines;

const std::vector<std::string> kPaired1 = {"319", "78", "22", "32", "31", "53", "22", "155"};

std::vector<std::string> Compare(std::vector<std::string> extra, std::vector<std::string> cells = kPaired1) {
  std::vector<std::string> args = {"compare"};
  args.insert(args.end(), cells.begin(), cells.end());
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// The trimmed tab-separated fields of the first line that begins with prefix.
std::vector<std::string> Fields(const std::string& text, const std::string& prefix) {
  for (const std::string& line : SplitLines(text, "\n")) {
    if (line.rfind(prefix, 0) != 0) continue;
    std::vector<std::string> fields;
    for (const std::string& f : SplitLines(line, "\t")) fields.push_back(Trim(f));
    return fields;
  }
  return {};
}

const nlohmann::json& Named(const nlohmann::json& list, const std::string& name) {
  for (const auto& c : list)
    if (c["name"] == name) return c;
  throw std::runtime_error("no comparison " + name);
}

TEST(ExtendedCompare, AppendsTheBlockAfterTheUnchangedReport) {
  const CliRun plain = Cli(Compare({"--methods", "d,LR"}));
  const CliRun extended = Cli(Compare({"--methods", "d,LR", "--extended"}));
  ASSERT_EQ(extended.status, 0) << extended.err;
  ASSERT_EQ(extended.out.compare(0, plain.out.size(), plain.out), 0);
  EXPECT_EQ(extended.out.substr(plain.out.size(), 43), "\n[3] ACCURACY OF EACH TEST AND COMPARISONS\n");
  EXPECT_EQ(Fields(extended.out, "Se A-B    \tMcNemar "),
            (std::vector<std::string>{"Se A-B", "McNemar", "0.1242", "0.0214", "0.0822", "0.1661",
                                      "X2(1)", "31.3600", "<0.0001", "<0.0001"}));
  EXPECT_EQ(Fields(extended.out, "rDLR- A/B "),
            (std::vector<std::string>{"rDLR- A/B", "Log ratio", "0.5769", "0.1374", "0.4407",
                                      "0.7551", "z", "-4.0044", "0.0001", "0.0002"}));
  EXPECT_EQ(Fields(extended.out, "PPV       \t    B"),
            (std::vector<std::string>{"PPV", "B", "0.8655", "0.0172", "0.8318", "0.8992", "0.8282",
                                      "0.8957"}));
  // The p-values of the methods' own tests: chi-square tails of their statistics.
  EXPECT_EQ(Fields(extended.out, "d         \t"),
            (std::vector<std::string>{"d", "5.6999", "0.0170", "46.1102", "<0.0001"}));
}

TEST(ExtendedCompare, UsesTheCellsAsGivenNotTheCorrectedOnes) {
  // Zero cells: the methods add epsilon, the extended figures do not.
  const CliRun r = Cli(Compare({"--extended", "--methods", "d"}, {"20", "0", "0", "5", "0", "0", "3", "40"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const auto ppvA = Fields(r.out, "PPV       \t    A");
  ASSERT_GE(ppvA.size(), 3u);
  EXPECT_EQ(ppvA[2], "1.0000");
  EXPECT_EQ(ppvA[3], "N/A");  // no Wald SE at a proportion of 1
  const auto se = Fields(r.out, "Se A-B    \tMcNemar ");
  ASSERT_GE(se.size(), 9u);
  EXPECT_EQ(se[7], "N/A");
  EXPECT_EQ(Fields(r.out, "Se A-B    \tExact binomial")[8], "1.0000");
  EXPECT_EQ(Fields(r.out, "DLR+      \t    A")[2], "N/A");
}

TEST(ExtendedCompare, JsonCarriesAccuracyComparisonsAndTestPValues) {
  const CliRun r = Cli(Compare({"--json", "--methods", "d,Rp"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const auto& d = j["methods"][0];
  const double it = d["individual_test"]["statistic"].get<double>();
  const double gt = d["global_test"]["statistic"].get<double>();
  EXPECT_NEAR(d["individual_test"]["p_value"].get<double>(), std::erfc(std::sqrt(it / 2)), 1e-15);
  EXPECT_NEAR(d["global_test"]["p_value"].get<double>(), std::exp(-gt / 2), 1e-15);

  const auto& ppvB = j["accuracy"]["B"]["ppv"];
  EXPECT_NEAR(ppvB["intervals"]["wilson"]["lower"].get<double>(), 0.82823968312971503, 1e-9);
  const auto& rdlr = Named(j["comparisons"], "rdlr_neg");
  EXPECT_EQ(rdlr["orientation"], "A/B");
  EXPECT_EQ(rdlr["distribution"], "normal");
  EXPECT_NEAR(rdlr["p_value"].get<double>(), 6.2176265168332816e-5, 1e-9 * 6.2e-5);
  EXPECT_NEAR(rdlr["p_holm"].get<double>(), 0.00024870506067333126, 1e-9 * 2.5e-4);
  EXPECT_NEAR(rdlr["interval"]["lower"].get<double>(), 0.44071359886621314, 1e-9);
  const auto& exact = Named(j["comparisons"], "se_exact");
  EXPECT_TRUE(exact["statistic"].is_null());
  EXPECT_TRUE(exact["p_holm"].is_null());
  EXPECT_TRUE(exact["interval"].is_null());
  EXPECT_EQ(Named(j["comparisons"], "sp_mcnemar")["df"], 1);
}

TEST(ExtendedCompare, NewFiguresOnlyWithExtendedAndHolmFamilyByOption) {
  // --json alone is as before: the fourteen comparisons, no new keys.
  const auto plain = nlohmann::json::parse(Cli(Compare({"--json", "--methods", "d"})).out);
  EXPECT_EQ(plain["comparisons"].size(), 14u);
  EXPECT_FALSE(plain.contains("summary"));
  EXPECT_FALSE(plain["accuracy"]["A"]["sensitivity"]["intervals"].contains("exact"));

  const CliRun r = Cli(Compare({"--json", "--extended", "--holm", "global", "--methods", "d"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["holm_family"], "global");
  EXPECT_EQ(j["summary"].size(), 6u);
  EXPECT_NEAR(j["rpv_covariance"].get<double>(), 0.00040245778097586856, 1e-9 * 4e-4);  // pv.rpv's Sigma
  EXPECT_TRUE(j["accuracy"]["prevalence"]["intervals"].contains("yu"));
  const auto& global = Named(j["comparisons"], "pv_wald");
  EXPECT_TRUE(global["global"].get<bool>());
  EXPECT_EQ(global["df"], 2);
  EXPECT_TRUE(global["orientation"].is_null());
  // Paired1 has 712 subjects: Se is tested by McNemar with correction in
  // testCompareR's family.
  EXPECT_TRUE(Named(j["comparisons"], "se_wald")["p_holm_global"].is_null());
  EXPECT_FALSE(Named(j["comparisons"], "se_mcnemar_cc")["p_holm_global"].is_null());
  EXPECT_TRUE(Named(j["comparisons"], "se_tango")["p_value"].is_null());

  const CliRun text = Cli(Compare({"--extended", "--holm", "global", "--methods", "d"}));
  EXPECT_NE(text.out.find("# Summary at level 0.05, Holm's adjustment over the global tests"),
            std::string::npos);
  EXPECT_EQ(Fields(text.out, "Se,Sp     \tWald")[9], "<0.0001");
  const CliRun bad = Cli(Compare({"--extended", "--holm", "stepdown"}));
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "compare: --holm: 'stepdown' is not measures or global\n");
}

class ExtendedAnalyze : public testing_support::TempFolderTest {};

TEST_F(ExtendedAnalyze, EveryRecordEndsWithItsBlockAndNothingElseChanges) {
  const std::string file = Write("raw.txt", testing_support::kRawTable);
  const CliRun plain = Cli({"analyze", file, "--methods", "d,LR"});
  const CliRun extended = Cli({"analyze", file, "--methods", "d,LR", "--extended"});
  ASSERT_EQ(extended.status, 0) << extended.err;
  // Cutting each block (from its empty line to the next record's rule) gives
  // the plain report back, line for line.
  const auto lines = SplitLines(extended.out, "\n");
  std::vector<std::string> kept;
  int blocks = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i + 1 < lines.size() && lines[i].empty() &&
        lines[i + 1] == "[3] ACCURACY OF EACH TEST AND COMPARISONS") {
      ++blocks;
      while (i < lines.size() && lines[i] != std::string(59, '-')) ++i;
      if (i == lines.size()) break;
    }
    kept.push_back(lines[i]);
  }
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(kept, SplitLines(plain.out, "\n"));
  // The second record's block: 5 - 5 discordant diseased give McNemar 0.
  const auto se = Fields(extended.out.substr(extended.out.rfind("[3] ACCURACY")), "Se A-B    \tMcNemar ");
  ASSERT_GE(se.size(), 9u);
  EXPECT_EQ(se[7], "0.0000");
  EXPECT_EQ(se[8], "1.0000");
}

TEST_F(ExtendedAnalyze, ParameterRecordJsonComparesTheDrawnSample) {
  const std::string file = Write("params.txt", testing_support::kParameterTable);
  const CliRun r = Cli({"analyze", file, "--rows", "1", "--seed", "7", "--json", "--methods", "d"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rec = nlohmann::json::parse(r.out)[0];
  const double b = rec["sample"][1].get<double>();
  const double c = rec["sample"][2].get<double>();
  const auto& mcnemar = Named(rec["comparisons"], "se_mcnemar");
  if (b + c > 0)
    EXPECT_NEAR(mcnemar["statistic"].get<double>(), (b - c) * (b - c) / (b + c), 1e-12);
  else
    EXPECT_TRUE(mcnemar["statistic"].is_null());
  const double tpA = rec["sample"][0].get<double>() + b;
  const double m1 = tpA + c + rec["sample"][3].get<double>();
  EXPECT_NEAR(rec["accuracy"]["A"]["sensitivity"]["estimate"].get<double>(), tpA / m1, 1e-15);
}

}  // namespace
}  // namespace kovalin::cli
