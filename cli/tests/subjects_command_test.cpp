// Subject-level files, test names and the NPV comparison on the command line.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/tests/cli_test_support.h"

namespace kovalin::cli {
namespace {

using testing_support::Cli;
using testing_support::CliRun;
using testing_support::SplitLines;

const std::vector<std::string> kExample = {"30", "12", "4", "4", "6", "10", "2", "32"};

// The worked example one subject a line (codes in several writings), with a
// row of each kind that must be left out: lines 3, 5 and 7 of the file.
std::string ExampleSubjects() {
  const char* codes[9] = {"", "pos;+;yes", "1;0;1", "neg;pos;TRUE", "0;-;1",
                          "1;1;0", "POSITIVE;no;false", "0;1;0", "no;no;0"};
  std::string text = "id;Mammo;MRI;Biopsy\r\n1;1;1;1\r\n2;1;;1\r\n3;1;1;1\r\n4;1;maybe;0\r\n";
  const int counts[9] = {0, 30, 12, 4, 4, 6, 10, 2, 32};
  int id = 5;
  text += "5;1;1;NA\r\n";
  for (int k = 1; k <= 8; ++k)
    for (int j = 0; j < counts[k] - (k == 1 ? 2 : 0); ++j)
      text += std::to_string(++id) + ";" + codes[k] + "\r\n";
  return text;
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& extra) {
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

class Subjects : public testing_support::TempFolderTest {
 protected:
  std::vector<std::string> CompareSubjects(const std::vector<std::string>& extra = {}) {
    return With({"compare", "--subjects", Write("study.csv", ExampleSubjects()), "--a", "mammo",
                 "--b", "3", "--gold", "Biopsy"},
                extra);
  }
};

TEST_F(Subjects, CompareReportsTheCountedCellsFirstThenWhatTheCellsGive) {
  const CliRun fromCells = Cli(With({"compare"}, With(kExample, {"--extended", "--npv"})));
  const CliRun r = Cli(CompareSubjects({"--extended", "--npv"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string path = Path("study.csv");
  EXPECT_EQ(r.out, "> Subjects: " + path +
                       " (A: column 2 \"Mammo\", B: column 3 \"MRI\", gold standard: column 4 \"Biopsy\")\n"
                       "> Rows: 103 read, 3 left out, 100 counted\n"
                       "> Cells (+++ +-+ -++ --+ ++- +-- -+- ---): 30 12 4 4 6 10 2 32\n" +
                       fromCells.out);
  const auto warnings = SplitLines(r.err, "\n");
  ASSERT_EQ(warnings.size(), 4u) << r.err;
  EXPECT_EQ(warnings[0], "compare: warning: " + path +
                             ": 3 of 103 rows left out (2 with a missing code, 1 with an unknown "
                             "code), on lines 3, 5, 6");
  EXPECT_EQ(warnings[2], "compare: warning: " + path +
                             ":5:3: column \"MRI\" (B): unknown code \"maybe\"; the row is left out");

  const CliRun json = Cli(CompareSubjects({"--json"}));
  ASSERT_EQ(json.status, 0) << json.err;
  const auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j["input"]["cells"], nlohmann::json::parse("[30,12,4,4,6,10,2,32]"));
  EXPECT_EQ(j["input"]["subjects"]["columns"]["B"]["name"], "MRI");
  EXPECT_EQ(j["input"]["subjects"]["excluded"][2]["line"], 6);
  EXPECT_EQ(j["input"]["subjects"]["excluded"][2]["code"], "missing");
}

TEST_F(Subjects, OneCommandGivesTheNamedExtendedReportAndItsForestPlot) {
  const std::string svg = Path("forest.svg");
  const CliRun r = Cli(CompareSubjects({"--names", "Mammography,MRI", "--extended", "--npv", "--plot", svg}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("[3] ACCURACY OF EACH TEST AND COMPARISONS"), std::string::npos);
  const std::string picture = Read(svg);
  for (const char* text : {"<svg ", ">PPV(Mammography) - PPV(MRI)<", ">NPV(Mammography) / NPV(MRI)<",
                           ">F2Ra<", "-0.0854  (-0.1915, 0.0208)", "stroke-dasharray"})
    EXPECT_NE(picture.find(text), std::string::npos) << text;
  // 21 methods in each of the PPV and NPV panels.
  std::size_t squares = 0;
  for (std::size_t at = 0; (at = picture.find("<rect x=", at + 1)) != std::string::npos;) ++squares;
  EXPECT_EQ(squares, 1u + 42u);  // the white background and one square per estimate

  const CliRun png = Cli(With({"compare"}, With(kExample, {"--plot", Path("forest.png")})));
  EXPECT_EQ(png.status, 2);
  EXPECT_EQ(png.out, "");
  const CliRun unwritable = Cli(With({"compare"}, With(kExample, {"--plot", Path("no/such/forest.svg")})));
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.out, "");
}

TEST_F(Subjects, NamesChangeOnlyTheHeadingLinesAndAddTheirJsonMember) {
  const std::vector<std::string> all = {"--extended", "--full", "--npv"};
  const CliRun plain = Cli(With({"compare"}, With(kExample, all)));
  const CliRun named = Cli(With({"compare"}, With(kExample, With(all, {"--names", "Mammography,MRI"}))));
  ASSERT_EQ(named.status, 0) << named.err;
  // Without the names line and the names after the headings, the named report is the plain one.
  std::string stripped = named.out;
  ASSERT_EQ(stripped.rfind("> Tests: A = Mammography, B = MRI\n", 0), 0u);
  stripped.erase(0, stripped.find('\n') + 1);
  for (const std::string suffix :
       {" PPV(Mammography) - PPV(MRI)", " PPV(Mammography) / PPV(MRI)"})
    for (std::size_t at; (at = stripped.find(suffix)) != std::string::npos;) stripped.erase(at, suffix.size());
  // The summary in words names the tests where the plain one says "test A" and "test B".
  EXPECT_NE(named.out.find("The PPV of Mammography (0.7241) is not significantly different from that "
                           "of MRI (0.8095)"),
            std::string::npos);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"NPV(Mammography)", "NPV(A)"},
                                 {"NPV(MRI)", "NPV(B)"},
                                 {"of Mammography (", "of test A ("},
                                 {"of MRI (", "of test B ("}})
    for (std::size_t at; (at = stripped.find(from)) != std::string::npos;) stripped.replace(at, from.size(), to);
  EXPECT_EQ(stripped, plain.out);
  // Unchanged headings of the plain report, as before names existed.
  EXPECT_NE(plain.out.find("\n[1] DIFFERENCES:\n"), std::string::npos);
  EXPECT_NE(plain.out.find("\n[2] RATIOS:\n"), std::string::npos);
  EXPECT_EQ(plain.out.find("> Tests"), std::string::npos);

  const auto plainJson = nlohmann::json::parse(Cli(With({"compare"}, With(kExample, {"--json"}))).out);
  auto namedJson = nlohmann::json::parse(
      Cli(With({"compare"}, With(kExample, {"--json", "--names", "Mammography,MRI"}))).out);
  EXPECT_FALSE(plainJson.contains("names"));
  EXPECT_EQ(namedJson["names"], nlohmann::json::parse(R"({"A":"Mammography","B":"MRI"})"));
  namedJson.erase("names");
  EXPECT_EQ(namedJson, plainJson);

  const CliRun bad = Cli(With({"compare"}, With(kExample, {"--names", "Mammography"})));
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
}

TEST_F(Subjects, NpvMethodsAreThePpvMethodsOfTheReversedTable) {
  const auto j = nlohmann::json::parse(Cli(With({"compare"}, With(kExample, {"--json", "--npv"}))).out);
  const auto reversed = nlohmann::json::parse(
      Cli({"compare", "32", "2", "10", "6", "4", "4", "12", "30", "--json"}).out);
  ASSERT_EQ(j["npv_methods"].size(), 21u);
  EXPECT_EQ(j["npv_methods"], reversed["methods"]);
  const double npvA = j["measures"]["npv_a"], npvB = j["measures"]["npv_b"];
  EXPECT_NEAR(j["npv_methods"][0]["estimate"].get<double>(), npvA - npvB, 1e-15);
  EXPECT_FALSE(nlohmann::json::parse(Cli(With({"compare"}, With(kExample, {"--json"}))).out)
                   .contains("npv_methods"));
}

TEST_F(Subjects, AnalyzeAddsTheNpvBlockAndTheNamesToEachRecord) {
  const std::string table = Write("raw.txt", testing_support::kRawTable);
  const CliRun r = Cli({"analyze", table, "--npv", "--names", "Mammography,MRI"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = SplitLines(r.out, "\n");
  EXPECT_EQ(lines[1], "> Tests: A = Mammography, B = MRI");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[4] NEGATIVE PREDICTIVE VALUES"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[1] DIFFERENCES: PPV(Mammography) - PPV(MRI)"), 2);
  const auto j = nlohmann::json::parse(Cli({"analyze", table, "--npv", "--json"}).out);
  const auto second = nlohmann::json::parse(
      Cli({"compare", "52", "8", "8", "2", "10", "5", "5", "10", "--json"}).out);
  EXPECT_EQ(j[1]["npv_methods"][0]["estimate"], second["methods"][0]["estimate"]);
}

TEST_F(Subjects, TableCountsTheSubjectsAndWritesThemAsOneRawRecord) {
  const std::string study = Write("study.csv", ExampleSubjects());
  const std::string out = Path("cells.txt");
  const CliRun r = Cli({"table", "--subjects", study, "--a", "2", "--b", "MRI", "--gold", "biopsy",
                        "--write", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("X[2] (+-+)\t12\nX[3] (-++)\t4\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("N\t100\n"), std::string::npos);
  const CliRun back = Cli({"table", out});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_NE(back.out.find("Kind: Raw Data"), std::string::npos) << back.out;
  EXPECT_NE(back.out.find("\n1\t30\t12\t4\t4\t6\t10\t2\t32\n"), std::string::npos) << back.out;
  // The written table is never replaced.
  const std::string before = Read(out);
  const CliRun again = Cli({"table", "--subjects", study, "--a", "2", "--b", "3", "--gold", "4",
                            "--write", out});
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(Read(out), before);
}

TEST_F(Subjects, BadSubjectOptionsAreOneLineAndStatusTwo) {
  const std::string study = Write("study.csv", ExampleSubjects());
  const std::vector<std::vector<std::string>> cases = {
      {"compare", "--subjects", study, "--a", "2", "--b", "3"},             // no gold
      {"compare", "--subjects", study, "--a", "2", "--b", "3", "--gold", "9"},
      {"compare", "--a", "2"},                                              // no file
      {"compare", "--subjects", study, "--a", "2", "--b", "3", "--gold", "4", "1"},
      {"compare", "--subjects", study, "--a", "2", "--b", "3", "--gold", "4", "--positive", "0",
       "--negative", "0.0"},
      {"compare", "--subjects", Path("none.csv"), "--a", "2", "--b", "3", "--gold", "4"},
      {"table", "--subjects", study, "--a", "2", "--b", "3", "--gold", "4", "--positive", "a,,b"},
  };
  for (const auto& args : cases) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
    EXPECT_FALSE(r.err.empty());
  }
  // Columns without a single code: nothing can be counted.
  const CliRun none = Cli({"compare", "--subjects", Write("words.csv", "x,y,z\nq,r,s\n"), "--a", "x",
                           "--b", "y", "--gold", "z"});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("no subject"), std::string::npos) << none.err;
}

}  // namespace
}  // namespace kovalin::cli
