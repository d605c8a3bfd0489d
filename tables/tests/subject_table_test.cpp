#include "tables/subject_table.h"

#include <gtest/gtest.h>

#include "tables/csv_export.h"
#include "tables/table_loader.h"
#include "tables/tests/temp_dir.h"

namespace kovalin {
namespace {

tSubjectRequest Request(const char* a = "A", const char* b = "B", const char* gold = "D") {
  tSubjectRequest r;
  r.a = a;
  r.b = b;
  r.gold = gold;
  return r;
}

// One field of each column, each a code in some writing, and the class it must get.
struct CodeCase {
  const char* field;
  tSubjectCode expected;
};

class SubjectCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(SubjectCodes, DefaultCodingClassifiesEveryWriting) {
  EXPECT_EQ(tSubjectCoding().Classify(GetParam().field), GetParam().expected)
      << "field '" << GetParam().field << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Writings, SubjectCodes,
    ::testing::Values(
        // Positive: numbers, words in any case, signs, booleans, blanks around.
        CodeCase{"1", tSubjectCode::positive}, CodeCase{"1.0", tSubjectCode::positive},
        CodeCase{"1,0", tSubjectCode::positive}, CodeCase{"pos", tSubjectCode::positive},
        CodeCase{"Positive", tSubjectCode::positive}, CodeCase{"YES", tSubjectCode::positive},
        CodeCase{"+", tSubjectCode::positive}, CodeCase{"true", tSubjectCode::positive},
        CodeCase{" TRUE ", tSubjectCode::positive},
        // Negative.
        CodeCase{"0", tSubjectCode::negative}, CodeCase{"0.00", tSubjectCode::negative},
        CodeCase{"NEG", tSubjectCode::negative}, CodeCase{"negative", tSubjectCode::negative},
        CodeCase{"No", tSubjectCode::negative}, CodeCase{"-", tSubjectCode::negative},
        CodeCase{"False", tSubjectCode::negative},
        // Missing.
        CodeCase{"", tSubjectCode::missing}, CodeCase{"  ", tSubjectCode::missing},
        CodeCase{"NA", tSubjectCode::missing}, CodeCase{".", tSubjectCode::missing},
        CodeCase{"?", tSubjectCode::missing},
        // Never guessed: other numbers, near-misses, numbers with trailing text.
        CodeCase{"2", tSubjectCode::unknown}, CodeCase{"-1", tSubjectCode::unknown},
        CodeCase{"1abc", tSubjectCode::unknown}, CodeCase{"posi", tSubjectCode::unknown},
        CodeCase{"y", tSubjectCode::unknown}, CodeCase{"++", tSubjectCode::unknown}));

TEST(SubjectCoding, GivenCodesReplaceTheirSideAndRefuseContradictions) {
  tSubjectCoding c;
  std::string error;
  ASSERT_TRUE(c.SetCodes("malignant, Suspicious", "benign", error)) << error;
  EXPECT_EQ(c.Classify("MALIGNANT"), tSubjectCode::positive);
  EXPECT_EQ(c.Classify("suspicious"), tSubjectCode::positive);
  EXPECT_EQ(c.Classify("benign"), tSubjectCode::negative);
  EXPECT_EQ(c.Classify("1"), tSubjectCode::unknown);  // the built-in codes are replaced
  EXPECT_EQ(c.Classify("0"), tSubjectCode::unknown);

  tSubjectCoding numeric;
  ASSERT_TRUE(numeric.SetCodes("2", "1", error)) << error;
  EXPECT_EQ(numeric.Classify("2.0"), tSubjectCode::positive);
  EXPECT_EQ(numeric.Classify("1"), tSubjectCode::negative);
  EXPECT_EQ(numeric.Classify("0"), tSubjectCode::unknown);

  tSubjectCoding refused;
  EXPECT_FALSE(refused.SetCodes("0", std::nullopt, error));  // 0 is still negative
  EXPECT_NE(error.find("'0'"), std::string::npos) << error;
  EXPECT_FALSE(refused.SetCodes("a,,b", std::nullopt, error));
  EXPECT_FALSE(refused.SetCodes("NA", "no", error));
  EXPECT_EQ(refused.Classify("1"), tSubjectCode::positive);  // unchanged after a refusal
}

TEST(SubjectTable, CountsEachCombinationInTheCellOrder) {
  // One subject in each cell k, k subjects of cell k: +++ once, ... --- eight times.
  std::string text = "id,A,B,D\r\n";
  const char* codes[9] = {"", "1,1,1", "1,0,1", "0,1,1", "0,0,1", "1,1,0", "1,0,0", "0,1,0", "0,0,0"};
  int id = 0;
  for (int k = 1; k <= 8; ++k)
    for (int j = 0; j < k; ++j) text += std::to_string(++id) + "," + codes[k] + "\r\n";
  const tSubjectTable t = ReadSubjectText(text, Request());
  ASSERT_TRUE(t.ok) << t.error;
  EXPECT_EQ(t.delimiter, ',');
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(t.cells[static_cast<std::size_t>(k)], k) << "cell " << k;
  EXPECT_EQ(t.cells[0], 36);
  EXPECT_TRUE(t.excluded.empty());
  for (bool a : {true, false})
    for (bool b : {true, false})
      for (bool d : {true, false}) {
        const int cell = SubjectCell(a, b, d);
        EXPECT_EQ(std::string(codes[cell]), std::string(a ? "1" : "0") + "," + (b ? "1" : "0") + "," +
                                                (d ? "1" : "0"));
      }
}

TEST(SubjectTable, RowsWithMissingOrUnknownCodesAreLeftOutAndListed) {
  // Semicolons, decimal commas, quoted fields, a blank line, a short line.
  const std::string text =
      "\"subject\";\"Mammo; screen\";MRI;Biopsy\n"
      "1;1,0;pos;yes\n"
      "2;;neg;no\n"
      "\n"
      "3;0;maybe;no\n"
      "4;\"+\";-;TRUE\n"
      "5;1;0\n";
  const tSubjectTable t = ReadSubjectText(text, Request("mammo; SCREEN", "3", "biopsy"));
  ASSERT_TRUE(t.ok) << t.error;
  EXPECT_EQ(t.delimiter, ';');
  EXPECT_EQ(t.chosen, (std::array<int, 3>{2, 3, 4}));
  EXPECT_EQ(t.rows, 5);
  EXPECT_EQ(t.cells[0], 2);
  EXPECT_EQ(t.cells[1], 1);  // line 2: + + +
  EXPECT_EQ(t.cells[2], 1);  // line 6: + - +
  ASSERT_EQ(t.excluded.size(), 3u);
  EXPECT_EQ(t.excluded[0].line, 3);
  EXPECT_EQ(t.excluded[0].column, 2);
  EXPECT_EQ(t.excluded[0].code, tSubjectCode::missing);
  EXPECT_EQ(t.excluded[1].line, 5);
  EXPECT_EQ(t.excluded[1].message, "column \"MRI\" (B): unknown code \"maybe\"");
  EXPECT_EQ(t.excluded[2].line, 7);
  EXPECT_EQ(t.excluded[2].column, 4);
  EXPECT_EQ(ExclusionSummary("s.csv", t),
            "s.csv: 3 of 5 rows left out (2 with a missing code, 1 with an unknown code), "
            "on lines 3, 5, 7");
  EXPECT_EQ(ExclusionLines("s.csv", t)[1],
            "s.csv:5:3: column \"MRI\" (B): unknown code \"maybe\"; the row is left out");
}

TEST(SubjectTable, ColumnsThatAreNotThereAreRefusedWithTheList) {
  const std::string text = "a\tb\tgold\n1\t1\t1\n";
  EXPECT_TRUE(ReadSubjectText(text, Request("1", "B", "GOLD")).ok);
  const tSubjectTable t = ReadSubjectText(text, Request("a", "4", "gold"));
  EXPECT_FALSE(t.ok);
  EXPECT_EQ(t.error,
            "no column '4' for B (by name or number; the columns are 1 \"a\", 2 \"b\", 3 \"gold\")");
  EXPECT_FALSE(ReadSubjectText("", Request()).ok);
  // A column named by a number is found by its name before its position.
  EXPECT_EQ(FindSubjectColumn({"x", "3", "y"}, "3"), 2);
  EXPECT_EQ(FindSubjectColumn({"x", "3", "y"}, "1"), 1);
  EXPECT_EQ(FindSubjectColumn({"x"}, "0"), 0);
  EXPECT_EQ(FindSubjectColumn({"x"}, "1x"), 0);
}

TEST(SubjectTable, CellsWrittenAsRawDataTableReadBackAsOneRecord) {
  testing::TempDir dir;
  const tSubjectTable t = ReadSubjectText("A,B,D\n1,1,1\n0,0,0\n0,0,0\n1,0,0\n", Request());
  ASSERT_TRUE(t.ok);
  const TDataTable table = RawDataTableOfCells(t.cells);
  std::string reason;
  const std::string path = dir.File("cells.mrd");
  ASSERT_TRUE(WriteFileBytes(path, ExportText(table, std::vector<int>(9, 0), '\t'), reason)) << reason;
  const tRecordTableFile back = LoadRecordTable(path);
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.kind, DBRawData);
  ASSERT_EQ(back.table.NrOfRows(), 1);
  const double expected[9] = {1, 1, 0, 0, 0, 0, 1, 0, 2};
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(back.table.GetElem(c, 1), expected[c - 1]) << "column " << c;
}

TEST(SubjectPreview, ShowsHeaderAndFirstRows) {
  const tSubjectPreview p = PreviewSubjectText("x y z\n1 2 3\n\n4 5 6\n7 8 9\n", 2);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.columns, (std::vector<std::string>{"x", "y", "z"}));
  ASSERT_EQ(p.rows.size(), 2u);
  EXPECT_EQ(p.rows[1], (std::vector<std::string>{"4", "5", "6"}));
}

}  // namespace
}  // namespace kovalin
