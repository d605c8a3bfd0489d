// A table read, written and read again holds bit for bit what it held, for
// every delimiter: awkward numbers, missing cells in every spelling, labels
// and decimal commas.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tables/csv_export.h"
#include "tables/csv_import.h"
#include "tables/csv_number.h"

namespace kovalin {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Semicolons, decimal commas, missing cells spelt every way the reader knows
// (the last line is short), labels that need quotes in some delimiter.
const char* const kSource =
    "Id;PA;P;Opos;Gone\r\n"
    "S-01;0.8333333333333334;0,125;1.5;\r\n"
    "\"a b\";0.12345678901234567;4.9406564584124654e-324;2.5;NA\r\n"
    "\"x;y\";1e300;-2.2250738585072014e-310;-0.0;NaN\r\n"
    "\"q\"\"t\";0,5;123456789012345680000;0.90;.\r\n"
    "\"x,y:z\";-1.7976931348623e308;1.0000000000000002;3;N/A\r\n"
    "S-01;7;0.1;-1E-300;-nan-\r\n"
    "S-02;NA;nan\r\n";

struct Cell {
  std::uint8_t state;
  double value;
  std::string label;
};

std::vector<Cell> Cells(const TDataTable& t) {
  std::vector<Cell> cells;
  for (int c = 1; c <= t.NrOfColumns(); ++c) {
    for (int r = 1; r <= t.NrOfRows(); ++r) {
      const std::uint8_t state = t.GetCellState(c, r);
      const double v = t.GetRawElem(c, r);
      cells.push_back({state, (state & kCellEmpty) ? 0.0 : v,
                       (state & kCellLabel) ? t.NominalLabel(c, static_cast<int>(v)) : ""});
    }
  }
  return cells;
}

TEST(RoundTrip, EveryDelimiterGivesBackEveryBit) {
  TDataTable source;
  const tImportResult read = ImportFromBytes(source, kSource, csvUnknown, true, false);
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(source.NrOfRows(), 7);
  ASSERT_EQ(source.NrOfColumns(), 5);
  // What was read: decimal commas, the smallest numbers, missing in every spelling.
  EXPECT_EQ(source.GetRawElem(3, 1), 0.125);
  EXPECT_EQ(source.GetRawElem(3, 2), 4.9406564584124654e-324);
  EXPECT_EQ(source.GetRawElem(2, 4), 0.5);
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(source.GetCellState(5, r), kCellEmpty) << r;
  EXPECT_EQ(source.GetCellState(2, 7), kCellEmpty);
  EXPECT_EQ(source.GetCellState(4, 7), kCellEmpty);  // beyond the short line
  EXPECT_EQ(source.GetScaleType(2), stInterval);      // "NA" leaves the column numeric
  EXPECT_EQ(source.GetCellState(1, 6), kCellLabel);
  const std::vector<Cell> expected = Cells(source);

  // The decimals a grid would show: fewer than the values have.
  const std::vector<int> decimals = {0, 2, 2, 0, 0};
  for (const TCSVDelimiters d : {csvTab, csvSemicolon, csvComma, csvBlank, csvColon}) {
    SCOPED_TRACE(DelimiterName(d));
    const std::string written = ExportText(source, decimals, DelimiterChar(d));
    TDataTable back;
    const tImportResult again = ImportFromBytes(back, written, csvUnknown, true, false);
    ASSERT_TRUE(again.ok) << again.error << "\n" << written;
    EXPECT_EQ(again.delimiter, DelimiterChar(d));
    ASSERT_EQ(back.NrOfRows(), source.NrOfRows());
    ASSERT_EQ(back.NrOfColumns(), source.NrOfColumns());
    const std::vector<Cell> got = Cells(back);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(got[i].state, expected[i].state) << "cell " << i << "\n" << written;
      EXPECT_TRUE(SameBits(got[i].value, expected[i].value))
          << "cell " << i << ": " << got[i].value << " for " << expected[i].value;
      EXPECT_EQ(got[i].label, expected[i].label) << "cell " << i;
    }
    for (int c = 1; c <= source.NrOfColumns(); ++c) EXPECT_EQ(back.GetColName(c), source.GetColName(c));
    // The second save writes the very same text.
    EXPECT_EQ(ExportText(back, decimals, DelimiterChar(d)), written);
  }
}

// Values the decimals show exactly keep the text files have always had; a
// value they would change is written whole.
TEST(RoundTrip, DecimalsGovernTheShownTextNeverTheWrittenValue) {
  TDataTable t;
  t.Resize(4, 1);
  t.SetColName(1, "PA");
  t.SetColName(2, "Opos");
  t.SetColName(3, "P");
  t.SetColName(4, "n");
  t.SetElem(1, 1, 0.9);
  t.SetElem(2, 1, 1.5);
  t.SetElem(3, 1, 0.125);
  t.SetElem(4, 1, 0.8333333333333334);
  EXPECT_EQ(ExportText(t, {2, 0, 2, 10}, '\t'),
            "PA\tOpos\tP\tn\r\n"
            "                0.90\t                 1.5\t               0.125\t  0.8333333333333334\r\n");
  t.SetCellState(2, 1, kCellNotANumber);  // typed text that is not a number: missing, not its old value
  EXPECT_EQ(ExportCellText(t, 2, 1, 0, '\t'), "                  NA");
  EXPECT_TRUE(IsMissingSpelling(ExportCellText(t, 2, 1, 0, '\t')));
}

}  // namespace
}  // namespace kovalin
