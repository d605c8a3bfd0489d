#include "tables/csv_import.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tables/csv_export.h"
#include "tables/numeric_grid.h"
#include "tables/table_loader.h"
#include "tables/tests/temp_dir.h"

namespace kovalin {
namespace {

TDataTable Import(const std::string& bytes, TCSVDelimiters d = csvUnknown, bool headers = true,
                  bool rowHeaders = false, tImportResult* out = nullptr) {
  TDataTable t;
  tImportResult r = ImportFromBytes(t, bytes, d, headers, rowHeaders);
  EXPECT_TRUE(r.ok) << r.error;
  if (out) *out = r;
  return t;
}

TEST(CsvImport, SemicolonExampleGivesTwoColumnsAndTheirDecimals) {
  TDataTable t = Import("Id;PA\r\n1;0.25\r\n");
  ASSERT_EQ(t.NrOfColumns(), 2);
  ASSERT_EQ(t.NrOfRows(), 1);
  EXPECT_EQ(t.GetColName(1), "Id");
  EXPECT_EQ(t.GetColName(2), "PA");
  EXPECT_EQ(t.GetElem(1, 1), 1);
  EXPECT_EQ(t.GetElem(2, 1), 0.25);
  EXPECT_EQ(getPrecision(t, 1), 0);
  EXPECT_EQ(getPrecision(t, 2), 2);
}

struct DetectCase {
  const char* text;
  char delimiter;
};

class Detection : public ::testing::TestWithParam<DetectCase> {};

TEST_P(Detection, PicksTheSeparator) {
  tImportResult r;
  Import(GetParam().text, csvUnknown, true, false, &r);
  EXPECT_EQ(r.delimiter, GetParam().delimiter) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Detection,
    ::testing::Values(
        DetectCase{"a\tb\n1\t2\n", '\t'},
        DetectCase{"a;b,c\n1;2,3\n", ';'},             // equal counts: ";" first
        DetectCase{"Id PA\n1 0.25\n", ' '},
        DetectCase{"Id;PA;PB\n1;0,25;0,5\n", ';'},      // decimal commas are not in the header
        DetectCase{"name\nvalue\n", '\0'},              // nothing occurs: one field per line
        DetectCase{"Id\tPA\n                   1\t                0.25\n", '\t'},  // padded export
        DetectCase{"a b c;d\nx y z\n", ' '},          // ";" not on every line: blanks win
        DetectCase{"Id,PA\n\n1,2\n", ','}));            // empty lines do not disqualify

TEST(CsvImport, EncodingMarks) {
  const std::string utf8 = "\xEF\xBB\xBFId;PA\r\n1;2\r\n";
  tImportResult r;
  TDataTable t = Import(utf8, csvUnknown, true, false, &r);
  EXPECT_EQ(r.encoding, encUtf8);
  EXPECT_EQ(t.GetColName(1), "Id");

  auto utf16 = [](const std::string& ascii, bool little) {
    std::string out = little ? std::string("\xFF\xFE", 2) : std::string("\xFE\xFF", 2);
    for (char c : ascii) {
      if (little) { out += c; out += '\0'; } else { out += '\0'; out += c; }
    }
    return out;
  };
  for (bool little : {true, false}) {
    t = Import(utf16("Id;PA\r\n1;0.5\r\n", little), csvUnknown, true, false, &r);
    EXPECT_EQ(r.encoding, little ? encUtf16LE : encUtf16BE);
    EXPECT_EQ(t.GetColName(2), "PA");
    EXPECT_EQ(t.GetElem(2, 1), 0.5);
  }
  auto utf32 = [](const std::string& ascii, bool little) {
    std::string out = little ? std::string("\xFF\xFE\0\0", 4) : std::string("\0\0\xFE\xFF", 4);
    for (char c : ascii) {
      if (little) { out += c; out += std::string(3, '\0'); } else { out += std::string(3, '\0'); out += c; }
    }
    return out;
  };
  for (bool little : {true, false}) {
    t = Import(utf32("Id\tPA\n3\t4\n", little), csvUnknown, true, false, &r);
    EXPECT_EQ(r.encoding, little ? encUtf32LE : encUtf32BE);
    EXPECT_EQ(t.GetColName(1), "Id");
    EXPECT_EQ(t.GetElem(2, 1), 4);
  }
  t = Import("{\\rtf1;x\n1;2\n", csvUnknown, true, false, &r);
  EXPECT_EQ(r.encoding, encRichText);
  EXPECT_EQ(t.GetColName(1), "{\\rtf1");
  Import("Id;PA\n1;2\n", csvUnknown, true, false, &r);
  EXPECT_EQ(r.encoding, encPlain);
}

TEST(CsvImport, QuotedFields) {
  TDataTable t = Import("a;b;c;d\n\"say \"\"hi\"\"\";\"x\"y;z\n", csvSemicolon);
  // The doubled quote gives one quote; text after a closing quote starts a new field.
  EXPECT_EQ(t.NominalLabel(1, 1), "say \"hi\"");
  EXPECT_EQ(t.NominalLabel(2, 1), "x");
  EXPECT_EQ(t.NominalLabel(3, 1), "y");
  EXPECT_EQ(t.NominalLabel(4, 1), "z");
  EXPECT_EQ(t.NrOfColumns(), 4);
  // A quoted number is a number; a quote inside an unquoted field stays.
  t = Import("a;b\n\"12\";4\"5\n", csvSemicolon);
  EXPECT_EQ(t.GetElem(1, 1), 12);
  EXPECT_EQ(t.NominalLabel(2, 1), "4\"5");
  tImportResult r;
  // The open field takes the whole line, which leaves column b missing.
  t = Import("a;b\n1;2\n\"open;2\n", csvSemicolon, true, false, &r);
  ASSERT_EQ(r.warnings.size(), 3u);  // with the column of numbers and a text
  EXPECT_EQ(r.warnings[0].line, 3);
  EXPECT_EQ(r.warnings[1].message, "the line has 1 of the 2 fields; column \"b\" is missing there");
  EXPECT_EQ(t.GetCellState(2, 2), kCellEmpty);
  EXPECT_EQ(t.NominalLabel(1, 1), "open;2");
  EXPECT_EQ(t.GetCellState(1, 2), kCellLabel);
}

TEST(CsvImport, EmptyAndMissingFields) {
  TDataTable t = Import("a;b;c\n1;;3\n4\n");
  ASSERT_EQ(t.NrOfRows(), 2);
  EXPECT_EQ(t.GetCellState(2, 1), kCellEmpty);  // empty field: empty cell
  EXPECT_EQ(t.GetElem(3, 1), 3);
  EXPECT_EQ(t.GetCellState(2, 2), kCellEmpty);  // fields a short line does not reach are missing
  EXPECT_EQ(t.GetCellState(3, 2), kCellEmpty);
  // More fields than the header: the table grows a column.
  t = Import("a\n1;2\n3\n", csvSemicolon);
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.GetColName(2), "C-2");
  EXPECT_EQ(t.GetElem(2, 1), 2);
}

TEST(CsvImport, LabelsAndTheirLimit) {
  std::string text = "Result;n\n";
  for (int i = 1; i <= 152; ++i) text += "L" + std::to_string(i) + ";" + std::to_string(i) + "\n";
  text += "l7;1\n-;2\n";
  tImportResult r;
  TDataTable t = Import(text, csvUnknown, true, false, &r);
  EXPECT_EQ(r.code, -1);
  EXPECT_EQ(t.GetScaleType(1), stNominal);
  EXPECT_EQ(t.NominalLabelCount(1), 150);
  EXPECT_EQ(t.GetElem(1, 150), 150);
  // The two texts beyond the limit are reported with their places and not stored as 0.
  ASSERT_EQ(r.warnings.size(), 3u);
  EXPECT_EQ(r.warnings[0].line, 152);
  EXPECT_EQ(r.warnings[0].column, 1);
  EXPECT_NE(r.warnings[0].message.find("L151"), std::string::npos);
  EXPECT_EQ(t.GetCellState(1, 151), kCellNotANumber);
  EXPECT_EQ(t.GetElem(1, 153), 7);  // a known label, case ignored, still finds its ordinal
  EXPECT_EQ(r.warnings[2].line, 155);  // "-" is a label, and there is no room for it
  TNTabEd grid(&t);
  EXPECT_EQ(grid.CellText(1, 1), "L1");
  EXPECT_EQ(grid.CellText(1, 151), "-nan-");
}

TEST(CsvImport, ChangesOfWhatTheFileHoldsAreWarnedWithColumnAndLine) {
  tImportResult r;
  const TDataTable t = Import(
      "Id;Group;PA;n\n"
      "1;treatmentA1;0.8;100\n"
      "2;treatmentA2;abc;100\n"
      "3;TREATMENTA2;0.7\n"
      "4;treatment;0.6;50\n",
      csvUnknown, true, false, &r);
  // One label for both texts, the numbers of a label column rounded, a short
  // line's cells missing.
  EXPECT_EQ(t.GetElem(2, 2), t.GetElem(2, 1));
  EXPECT_EQ(t.GetElem(3, 1), 1);
  EXPECT_EQ(t.GetCellState(4, 3), kCellEmpty);
  ASSERT_EQ(r.warnings.size(), 3u);
  EXPECT_EQ(r.warnings[0].line, 3);
  EXPECT_EQ(r.warnings[0].column, 2);
  EXPECT_EQ(r.warnings[0].message,
            "column \"Group\": the text \"treatmentA2\" is cut to the label \"treatmentA\" of the "
            "text \"treatmentA1\"; both are read as the same label");
  EXPECT_EQ(r.warnings[1].line, 3);
  EXPECT_EQ(r.warnings[1].column, 3);
  EXPECT_EQ(r.warnings[1].message,
            "column \"PA\" holds numbers (the first on line 2) and texts (the first \"abc\"): it "
            "is read as labels, and its numbers are rounded to whole numbers");
  EXPECT_EQ(r.warnings[2].line, 4);
  EXPECT_EQ(r.warnings[2].column, 0);
  EXPECT_EQ(r.warnings[2].message, "the line has 3 of the 4 fields; column \"n\" is missing there");

  // Several missing fields are named as a range; an empty line is such a line too.
  Import("a;b;c\n1;2;3\n1\n\n", csvSemicolon, true, false, &r);
  ASSERT_EQ(r.warnings.size(), 3u);
  EXPECT_EQ(r.warnings[0].message, "the line has 1 of the 3 fields; columns \"b\" to \"c\" are missing there");
  EXPECT_EQ(r.warnings[1].line, 4);
  EXPECT_EQ(r.warnings[2].message, "column \"a\": an empty field is read as a missing cell");
}

TEST(CsvImport, LineEndsOfEveryKind) {
  for (const char* text : {"a;b\r\n1;2\r\n3;4\r\n", "a;b\n1;2\n3;4", "a;b\r1;2\r3;4\r"}) {
    TDataTable t = Import(text);
    ASSERT_EQ(t.NrOfRows(), 2) << text;
    EXPECT_EQ(t.GetColName(2), "b");
    EXPECT_EQ(t.GetElem(2, 2), 4);
  }
}

// What is not a table is refused with its reason, and the store keeps what it held.
TEST(CsvImport, WhatIsNotATableIsRefused) {
  struct Case {
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"", "it holds no text; it is not a table"},
      {" \r\n\t\r\n", "it holds no text; it is not a table"},
      {std::string("Id;PA\r\n1;\x01\x9c\0", 12), "it holds binary bytes (byte 0x01 on line 2), not text; it is not a table"},
      {"Id;PA\r\n", "no line after the first holds the 2 fields of its header; it is not a table"},
      {"Dear Ann,\r\nthe results are in and they look good to me.\r\n",
       "no line after the first holds the 2 fields of its header; it is not a table"},
      {"\r\nId;PA\r\n1;2\r\n", "its first line, which must name the columns, is empty; it is not a table"},
      {"1;0.25\r\n2;0.5\r\n", "its first line holds numbers where the column names belong; it is not a table"},
  };
  for (const Case& c : cases) {
    TDataTable t;
    t.SetElem(1, 1, 42);
    const tImportResult r = ImportFromBytes(t, c.bytes, csvUnknown, true, false);
    EXPECT_FALSE(r.ok) << c.bytes;
    EXPECT_EQ(r.error, c.reason) << c.bytes;
    EXPECT_EQ(t.GetElem(1, 1), 42);
  }
  // A DOS end-of-file mark closes text; it is not binary.
  TDataTable t = Import("Id;PA\r\n1;2\r\n\x1A");
  EXPECT_EQ(t.GetElem(2, 1), 2);
}

TEST(CsvImport, RowHeadersAndNoColumnHeaders) {
  TDataTable t = Import("first;1;2\nsecond;3;4\n", csvSemicolon, false, true);
  ASSERT_EQ(t.NrOfRows(), 2);
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.GetRowName(2), "second");
  EXPECT_EQ(t.GetElem(2, 2), 4);
  EXPECT_EQ(t.GetColName(1), "C-1");
}

TEST(CsvImport, BlankDelimitedFieldsAreSeparatedByRuns) {
  TDataTable t = Import("Id   PA\n   1     0.5  \n", csvBlank);
  ASSERT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.GetColName(2), "PA");
  EXPECT_EQ(t.GetElem(2, 1), 0.5);
}

TEST(CsvImport, UnreadableFileKeepsTheStore) {
  testing::TempDir dir;
  TDataTable t;
  t.Resize(2, 2);
  t.SetElem(2, 2, 42);
  const std::string missing = dir.File("nope.mrd");
  tImportResult r = ImportFromCSV(t, missing, csvUnknown, true, false);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(missing), std::string::npos);
  EXPECT_EQ(t.GetElem(2, 2), 42);
  r = ImportFromCSV(t, dir.File(""), csvUnknown, true, false);  // a folder
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(t.NrOfColumns(), 2);
  tRecordTableFile f = LoadRecordTable(missing);
  EXPECT_FALSE(f.ok);
  EXPECT_NE(f.error.find("nope.mrd"), std::string::npos);
}

TEST(GetPrecision, LargestNumberOfDecimalsInTheColumn) {
  TDataTable t;
  t.Resize(1, 4);
  t.SetElem(1, 1, 1);
  t.SetElem(1, 2, 0.125);
  t.SetElem(1, 3, 2.5);
  t.SetElem(1, 4, 1e-12);  // below 11 decimals: 0
  EXPECT_EQ(getPrecision(t, 1), 3);
  t.SetElem(1, 4, 1.0 / 3.0);
  EXPECT_EQ(getPrecision(t, 1), 11);
  t.Resize(1, 0);
  EXPECT_EQ(getPrecision(t, 1), 0);
}

class RoundTrip : public ::testing::TestWithParam<TCSVDelimiters> {};

TEST_P(RoundTrip, ExportReadsBackWithDetection) {
  TDataTable t;
  t.Resize(9, 3);
  const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
  const std::vector<int> decimals = {0, 2, 2, 2, 2, 2, 0, 0, 0};
  for (int c = 1; c <= 9; ++c) t.SetColName(c, names[c - 1]);
  for (int r = 1; r <= 3; ++r) {
    t.SetElem(1, r, r);
    for (int c = 2; c <= 6; ++c) t.SetElem(c, r, 0.05 * c + 0.01 * r);
    t.SetElem(7, r, 3 * r);
    t.SetElem(8, r, -2);
    t.SetElem(9, r, 100 * r);
  }
  const std::string text = ExportText(t, decimals, DelimiterChar(GetParam()));
  testing::TempDir dir;
  const std::string path = dir.Write("table.mrd", text);
  tRecordTableFile back = LoadRecordTable(path);
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.delimiter, DelimiterChar(GetParam()));
  ASSERT_EQ(back.table.NrOfColumns(), 9);
  ASSERT_EQ(back.table.NrOfRows(), 3);
  EXPECT_EQ(back.kind, DBparamsVP);
  for (int c = 1; c <= 9; ++c) {
    EXPECT_EQ(back.table.GetColName(c), names[c - 1]);
    EXPECT_EQ(back.decimals[static_cast<std::size_t>(c - 1)], decimals[static_cast<std::size_t>(c - 1)]) << c;
    for (int r = 1; r <= 3; ++r) {
      const double scale = decimals[static_cast<std::size_t>(c - 1)] == 2 ? 100.0 : 1.0;
      EXPECT_DOUBLE_EQ(back.table.GetElem(c, r), std::round(t.GetElem(c, r) * scale) / scale) << c << "," << r;
      EXPECT_EQ(back.table.GetCellState(c, r), 0);
    }
  }
  // The file name extension does not matter: a ".csv" detects as well.
  const std::string csv = dir.Write("table.csv", text);
  EXPECT_EQ(LoadRecordTable(csv).table.NrOfColumns(), 9);
}

TEST_P(RoundTrip, NamesHoldingTheDelimiterOrQuotesReadBack) {
  TDataTable t;
  t.Resize(3, 1);
  const char* names[] = {"Id", "a;b,c d\tx", "say \"hi\""};
  for (int c = 1; c <= 3; ++c) {
    t.SetColName(c, names[c - 1]);
    t.SetElem(c, 1, c);
  }
  testing::TempDir dir;
  const std::string path = dir.Write("names.mrd", ExportText(t, {0, 0, 0}, DelimiterChar(GetParam())));
  const tRecordTableFile back = LoadRecordTable(path);
  ASSERT_TRUE(back.ok) << back.error;
  ASSERT_EQ(back.table.NrOfColumns(), 3);
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(back.table.GetColName(c), names[c - 1]);
    EXPECT_EQ(back.table.GetElem(c, 1), c);
  }
  EXPECT_TRUE(back.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Delimiters, RoundTrip, ::testing::Values(csvTab, csvSemicolon, csvComma, csvBlank));

TEST(CsvExport, ParameterTableWithTabIsPaddedToTwentyCharacters) {
  TDataTable t;
  t.Resize(2, 1);
  t.SetColName(1, "Id");
  t.SetColName(2, "PA");
  t.SetElem(1, 1, 1);
  t.SetElem(2, 1, 0.9);
  EXPECT_EQ(ExportText(t, {0, 2}, '\t'),
            "Id\tPA\r\n" + std::string(19, ' ') + "1\t" + std::string(16, ' ') + "0.90\r\n");
}

TEST(CsvExport, WriteFailureIsReported) {
  testing::TempDir dir;
  std::string reason;
  EXPECT_FALSE(WriteFileBytes(dir.File("no-such-folder/x.mrd"), "x", reason));
  EXPECT_FALSE(reason.empty());
  const std::string path = dir.File("x.mrd");
  ASSERT_TRUE(WriteFileBytes(path, "abc\r\n", reason));
  EXPECT_EQ(testing::ReadAll(path), "abc\r\n");
}

}  // namespace
}  // namespace kovalin
