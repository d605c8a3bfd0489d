#include "tables/cell_block.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kovalin {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CellBlock, ReadsWhatSpreadsheetsAndEditorsPutOnTheClipboard) {
  // A spreadsheet's block: CR LF after every row, an empty cell, a decimal comma kept as typed.
  EXPECT_EQ(ParseCellBlock("1,5\t2\r\n\t4\r\n").rows, (Rows{{"1,5", "2"}, {"", "4"}}));
  // A text editor's: LF, no line end after the last row, a short row padded.
  EXPECT_EQ(ParseCellBlock("a\tb\tc\nd").rows, (Rows{{"a", "b", "c"}, {"d", "", ""}}));
  // Old Mac line ends, and an empty line in the middle is a row of one empty cell.
  EXPECT_EQ(ParseCellBlock("1\r\r2\r").rows, (Rows{{"1"}, {""}, {"2"}}));
  // Quoted cells may hold tabs, line ends and doubled quotes; a quote inside text stays.
  EXPECT_EQ(ParseCellBlock("\"x\ty\"\t\"say \"\"hi\"\"\"\r\n5\"\t\"a\"b\n").rows,
            (Rows{{"x\ty", "say \"hi\""}, {"5\"", "\"a\"b"}}));
  EXPECT_EQ(ParseCellBlock("").Height(), 0);
  EXPECT_EQ(ParseCellBlock("\r\n").rows, (Rows{{""}}));
}

TEST(CellBlock, EditTextStoresBackBitForBit) {
  TDataTable table;
  table.Resize(2, 1);
  TNTabEd grid(&table);
  grid.SetDecPlaces(1, 1);
  const double awkward[] = {1.041666666666666667, 0.8333333333333334, 0.1 + 0.2, 5e-324,
                            std::numeric_limits<double>::denorm_min() * 12345, 1e300, -2.5e-310,
                            123456789012345678.0, -0.0};
  for (const double v : awkward) {
    table.SetElem(1, 1, v);
    table.SetCellState(1, 1, 0);
    const std::string text = CellEditText(grid, 1, 1);
    ASSERT_EQ(grid.StoreTypedText(1, 1, text), tStoreOutcome::Stored) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(table.GetRawElem(1, 1)), std::bit_cast<std::uint64_t>(v)) << text;
  }
  // A labelled column gives its label, which stores the same ordinal.
  table.AddNominalLabel(2, "male");
  table.AddNominalLabel(2, "female");
  table.SetElem(2, 1, 2);
  table.SetCellState(2, 1, kCellLabel);
  EXPECT_EQ(CellEditText(grid, 2, 1), "female");
  EXPECT_EQ(grid.StoreTypedText(2, 1, CellEditText(grid, 2, 1)), tStoreOutcome::Stored);
  EXPECT_EQ(table.GetElem(2, 1), 2);
  // A number beside the labels edits (and copies) as itself, not as the label it rounds to.
  table.SetElem(2, 1, 0.8);
  table.SetCellState(2, 1, 0);
  EXPECT_EQ(CellEditText(grid, 2, 1), "0.8");
  // Missing and not-a-number cells open empty: no stale number reaches an editor or a copy.
  table.SetCellState(1, 1, kCellNotANumber);
  EXPECT_EQ(CellEditText(grid, 1, 1), "");
}

TEST(CellBlock, ClearingLeavesNoValueAndPastedTextsStoreAsTyped) {
  TDataTable table;
  table.Resize(2, 2);
  TNTabEd grid(&table);
  table.SetElem(1, 1, 777);
  ASSERT_TRUE(ClearCell(grid, 1, 1));
  EXPECT_TRUE(table.GetCellState(1, 1) & kCellEmpty);
  EXPECT_FALSE(table.IsNumber(1, 1));
  EXPECT_TRUE(std::isnan(table.GetRawElem(1, 1)));
  EXPECT_EQ(grid.CellText(1, 1), "");
  // A number typed or pasted into it makes it a number again.
  EXPECT_EQ(StorePastedText(grid, 1, 1, " 0,25 "), tStoreOutcome::Stored);
  EXPECT_EQ(table.GetRawElem(1, 1), 0.25);
  EXPECT_TRUE(table.IsNumber(1, 1));
  // An empty pasted cell is a missing cell; text that is no number is marked.
  table.SetElem(2, 1, 3);
  EXPECT_EQ(StorePastedText(grid, 2, 1, ""), tStoreOutcome::Stored);
  EXPECT_TRUE(table.GetCellState(2, 1) & kCellEmpty);
  EXPECT_EQ(StorePastedText(grid, 2, 2, "12abc"), tStoreOutcome::MarkedNotANumber);
  // A locked cell and a read-only grid keep their cells.
  table.SetCellState(1, 2, kCellLocked);
  table.SetElem(1, 2, 9);
  EXPECT_FALSE(ClearCell(grid, 1, 2));
  EXPECT_EQ(table.GetRawElem(1, 2), 9);
  grid.SetDataReadOnly(true);
  EXPECT_FALSE(ClearCell(grid, 1, 1));
}

TEST(CellBlock, PasteGrowsRowsButNeverColumns) {
  TDataTable table;
  table.Resize(3, 2);
  table.SetColName(3, "N");
  TNTabEd grid(&table);
  const tCellBlock block = ParseCellBlock("1\t2\n3\t4\n5\t6\n");
  const tPastePlan fits = PlanPaste(grid, 2, 2, block);
  EXPECT_TRUE(fits.ok);
  EXPECT_EQ(fits.rowsNeeded, 4);
  EXPECT_EQ(PlanPaste(grid, 1, 1, block).rowsNeeded, 3);
  const tPastePlan wide = PlanPaste(grid, 3, 1, block);
  EXPECT_FALSE(wide.ok);
  EXPECT_NE(wide.message.find("past the last column (N)"), std::string::npos) << wide.message;
  EXPECT_FALSE(PlanPaste(grid, 1, 1, ParseCellBlock("")).ok);
  grid.SetDataReadOnly(true);
  EXPECT_FALSE(PlanPaste(grid, 1, 1, block).ok);
}

TEST(CellBlock, CopyIsTabSeparatedAtFullPrecision) {
  TDataTable table;
  table.Resize(2, 2);
  TNTabEd grid(&table);
  grid.SetDecPlaces(1, 0);
  table.SetElem(1, 1, 1.5);
  table.SetElem(2, 1, 0.8333333333333334);
  table.SetCellState(1, 2, kCellEmpty);
  table.SetElem(2, 2, -3);
  EXPECT_EQ(CopyBlockText(grid, 1, 1, 2, 2), "1.5\t0.8333333333333334\r\n\t-3");
  // What is copied pastes back as the same block.
  const tCellBlock back = ParseCellBlock(CopyBlockText(grid, 1, 1, 2, 2));
  EXPECT_EQ(back.rows, (Rows{{"1.5", "0.8333333333333334"}, {"", "-3"}}));
}

}  // namespace
}  // namespace kovalin
