#include "tables/frequency_table.h"

#include <gtest/gtest.h>

namespace kovalin {
namespace {

rTableSettings Settings(int r, int c, bool reals) {
  rTableSettings s;
  s.Problema = "Study A";
  s.WinReg.DimR = r;
  s.WinReg.DimC = c;
  s.WinReg.LblR = "R";
  s.WinReg.LblC = "C";
  s.WinReg.AllowReals = reals;
  return s;
}

// Types text into grid cell (x, y) and commits it.
tCommitResult Type(tFrequencyTable& t, int x, int y, const std::string& text, bool circular = true) {
  t.Grid.SetCell(x, y, text);
  return t.CommitCell(x, y, circular);
}

TEST(FrequencyTable, NewTableFromSettings) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 3, false));
  EXPECT_EQ(t.Grid.ColCount(), 5);
  EXPECT_EQ(t.Grid.RowCount(), 4);
  EXPECT_EQ(t.Grid.Cell(2, 0), "      C(1)");
  EXPECT_EQ(t.Grid.Cell(0, 3), "      R(2)");
  EXPECT_EQ(t.Grid.Cell(0, 1), "   Sum");
  EXPECT_EQ(t.Grid.Cell(1, 0), "   Sum");
  EXPECT_EQ(t.Grid.Cell(4, 3), "         0");
  EXPECT_EQ(t.Alias, "Study A");
  EXPECT_EQ(t.CreationStatusText(), "Row:  1,   Col:  1   Observed frequency:            0");
  EXPECT_EQ(t.Data().GetDimC(), 3);
}

TEST(FrequencyTable, HeaderLabelsAreAlignedAndCutByCharacters) {
  tFrequencyTable t;
  rTableSettings s = Settings(1, 1, false);
  s.WinReg.LblR = "\xC3\x84rzte";  // "Ärzte": five characters, six bytes
  s.WinReg.LblC = "\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84";  // eight characters
  t.BuildFromSettings(s);
  EXPECT_EQ(t.Grid.Cell(0, 2), "  \xC3\x84rzte(1)");
  // "ÄÄÄÄÄÄÄÄ(1)" has eleven characters: the first one goes, whole.
  EXPECT_EQ(t.Grid.Cell(2, 0), "\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84(1)");
}

TEST(FrequencyTable, CommitWithoutReals) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, false));
  tCommitResult r = Type(t, 2, 2, "3.7");
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.message, kMsgOnlyIntegers);
  EXPECT_EQ(t.Value(1, 1), 3);
  EXPECT_EQ(t.Grid.Cell(2, 2), "         3");
  r = Type(t, 2, 2, "-1");
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.message, kMsgNotNonNegative);
  EXPECT_EQ(t.PosError, (tGridPos{2, 2}));
  EXPECT_EQ(t.Value(1, 1), 3);
  EXPECT_EQ(t.Grid.Cell(2, 2), "         3");  // redrawn from the matrix
  r = Type(t, 2, 2, "abc");
  EXPECT_FALSE(r.accepted);
  r = Type(t, 3, 2, "5");
  EXPECT_TRUE(r.accepted);
  EXPECT_FALSE(t.PosError.IsSet());
  r = Type(t, 2, 2, "");
  EXPECT_TRUE(r.accepted);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(t.Value(1, 1), 0);
}

TEST(FrequencyTable, MarginsFollowEachCommit) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, false));
  Type(t, 2, 2, "12");
  Type(t, 3, 2, "5");
  Type(t, 2, 3, "3");
  const tCommitResult last = Type(t, 3, 3, "20", false);
  EXPECT_TRUE(last.unlockGrid);  // the last cell with circular focus off
  EXPECT_EQ(t.Value(1, 0), 17);
  EXPECT_EQ(t.Value(0, 2), 25);
  EXPECT_EQ(t.Value(0, 0), 40);
  EXPECT_EQ(t.Grid.Cell(1, 1), "        40");
  EXPECT_EQ(t.Grid.Cell(3, 1), "        25");
  EXPECT_EQ(t.Grid.Cell(1, 3), "        23");
  EXPECT_FALSE(Type(t, 2, 3, "3", false).unlockGrid);
  t.StatusScan();
  EXPECT_TRUE(t.flgHayDatos);
  EXPECT_EQ(t.SelectionStatusText(3, 2), "Row:  1,   Col:  2   Observed frequency:          5");
}

TEST(FrequencyTable, FirstRealValueSwitchesToThreeDecimals) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, true));
  Type(t, 2, 2, "2");
  const tCommitResult r = Type(t, 3, 3, "0.5");
  EXPECT_TRUE(r.accepted);
  EXPECT_TRUE(r.message.empty());
  EXPECT_TRUE(t.flgDataIsReal);
  EXPECT_EQ(t.Show_d, 3);
  EXPECT_EQ(t.Grid.Cell(3, 3), "     0.500");
  EXPECT_EQ(t.Grid.Cell(2, 2), "     2.000");  // redrawn up to the edited cell
  EXPECT_EQ(t.Grid.Cell(1, 1), "     2.500");  // grand total = sum of row totals
  EXPECT_EQ(t.Value(0, 0), 2.5);
}

TEST(FrequencyTable, StatusScanFindsTextThatIsNoNumber) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, false));
  t.Grid.SetCell(3, 3, "x");
  t.StatusScan();
  EXPECT_EQ(t.PosError, (tGridPos{3, 3}));
  EXPECT_FALSE(t.flgHayDatos);
}

TEST(FrequencyTable, StatusPanelsAfterAScan) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(1, 2, true));
  EXPECT_EQ(t.StatusPanel1Text(), " Real values allowed");
  t.StatusScan();
  EXPECT_EQ(t.StatusPanel0Text(), "No Data");
  EXPECT_FALSE(t.StatusPanel0IsError());
  Type(t, 2, 2, "4");
  t.modified = true;
  t.StatusScan();
  EXPECT_EQ(t.StatusPanel0Text(), " Modified");
  t.modified = false;
  EXPECT_EQ(t.StatusPanel0Text(), "");
  Type(t, 3, 2, "-2");  // refused: the error outranks the other texts
  t.modified = true;
  EXPECT_EQ(t.StatusPanel0Text(), "DATA ERROR!");
  EXPECT_TRUE(t.StatusPanel0IsError());
  Type(t, 3, 2, "1");
  EXPECT_EQ(t.StatusPanel0Text(), " Modified");
  tFrequencyTable integral;
  integral.BuildFromSettings(Settings(1, 1, false));
  EXPECT_EQ(integral.StatusPanel1Text(), "");
}

TEST(FrequencyTable, EnterMovesDownThenToTheNextColumnThenBackToTheStart) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 3, false));
  EXPECT_EQ(t.NextCellAfterEnter(2, 2), (tGridPos{2, 3}));
  EXPECT_EQ(t.NextCellAfterEnter(2, 3), (tGridPos{3, 2}));  // last row: top of the next column
  EXPECT_EQ(t.NextCellAfterEnter(4, 2), (tGridPos{4, 3}));
  EXPECT_EQ(t.NextCellAfterEnter(4, 3), (tGridPos{2, 2}));  // last cell: back to the first
}

TEST(FrequencyTable, EraseEmptiesEverything) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, false));
  Type(t, 2, 2, "12");
  t.Erase(true);
  EXPECT_TRUE(t.DataLocked);
  EXPECT_EQ(t.Value(0, 0), 0);
  EXPECT_EQ(t.Value(1, 1), 0);
  EXPECT_EQ(t.Grid.Cell(1, 1), "         0");
  t.Erase(false);
  EXPECT_FALSE(t.DataLocked);
}

TEST(FrequencyTable, SettingsBothWays) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 3, true));
  t.lblR = "Rows-long";
  rTableSettings s;
  t.Asigna_DeTablaAReg(s);
  EXPECT_EQ(s.WinReg.LblR, "Rows-");
  EXPECT_FALSE(s.WinReg.SquareTable);
  EXPECT_TRUE(s.WinReg.Bloqueado);
  EXPECT_TRUE(s.WinReg.AllowReals);
  rTableSettings other = Settings(9, 9, false);
  other.Problema = "New";
  other.WinReg.LblC = "Test";
  t.Asigna_DeRegATabla(other);
  EXPECT_EQ(t.TablaDimR, 2);  // dimensions stay
  EXPECT_EQ(t.Alias, "New");
  EXPECT_EQ(t.Grid.Cell(2, 0), "   Test(1)");
  EXPECT_EQ(t.SettingsAppliedStatusText(), "R1,   Test: 1");
}
// A table read with fractional frequencies: a later commit of a whole number
// writes the totals with the decimals they need, and the clipboard copies them.
TEST(FrequencyTable, TotalsShowTheDecimalsTheyNeed) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(2, 2, false));
  t.SetValue(1, 1, 19.5);
  t.SetValue(2, 1, 0.5);
  t.AsignaDatos();
  EXPECT_EQ(t.Grid.Cell(2, 2), "    19.500");
  Type(t, 3, 2, "0");
  Type(t, 3, 3, "0");
  EXPECT_EQ(t.Grid.Cell(1, 2), "      19.5");  // row totals
  EXPECT_EQ(t.Grid.Cell(1, 3), "       0.5");
  EXPECT_EQ(t.Grid.Cell(1, 1), "        20");  // the grand total is whole
  EXPECT_EQ(ClipboardText(t.Grid), "\tC(1)\tC(2)\tTotal\r\nR(1)\t19.500\t0\t19.5\r\nR(2)\t0.500\t0\t0.5\r\nTotal\t20\t0\t20 ");
}

class Percentages : public ::testing::Test {
 protected:
  void SetUp() override {
    t.BuildFromSettings(Settings(2, 2, false));
    Type(t, 2, 2, "12");
    Type(t, 3, 2, "5");
    Type(t, 2, 3, "3");
    Type(t, 3, 3, "20");
  }
  tFrequencyTable t;
};

TEST_F(Percentages, ByRowsColumnsAndTotals) {
  tTextGrid rows = t.PercentageGrid(tPercentView::ByRows);
  EXPECT_EQ(rows.Cell(2, 2), "     70.59");
  EXPECT_EQ(rows.Cell(3, 2), "     29.41");
  EXPECT_EQ(rows.Cell(1, 2), "    100.00");
  EXPECT_EQ(rows.Cell(2, 1), "     37.50");  // column total as a share of the grand total
  EXPECT_EQ(rows.Cell(1, 0), "     Total");
  EXPECT_EQ(rows.Cell(0, 1), "     Total");
  tTextGrid cols = t.PercentageGrid(tPercentView::ByColumns);
  EXPECT_EQ(cols.Cell(2, 2), "     80.00");
  EXPECT_EQ(cols.Cell(3, 3), "     80.00");
  tTextGrid totals = t.PercentageGrid(tPercentView::Totals);
  EXPECT_EQ(totals.Cell(2, 2), "     30.00");
  EXPECT_EQ(totals.Cell(1, 1), "    100.00");
}

TEST_F(Percentages, ClipboardTextOfFrequenciesAndPercentages) {
  t.AsignaDatos();
  EXPECT_EQ(ClipboardText(t.Grid),
            "\tC(1)\tC(2)\tTotal\r\nR(1)\t12\t5\t17\r\nR(2)\t3\t20\t23\r\nTotal\t15\t25\t40 ");
  EXPECT_EQ(ClipboardText(t.PercentageGrid(tPercentView::Totals)),
            "\tC(1)\tC(2)\tTotal\r\nR(1)\t30.00\t12.50\t42.50\r\nR(2)\t7.50\t50.00\t57.50\r\n"
            "Total\t37.50\t62.50\t100.00 ");
}

TEST(FrequencyTableEmpty, ZeroByZeroPercentagesAndClipboard) {
  tFrequencyTable t;
  t.BuildFromSettings(Settings(0, 0, false));
  tTextGrid p = t.PercentageGrid(tPercentView::ByRows);
  EXPECT_EQ(p.Cell(1, 0), "     Total");
  EXPECT_EQ(p.Cell(0, 1), "     Total");
  EXPECT_EQ(p.Cell(1, 1), "      0.00");
  EXPECT_EQ(ClipboardText(t.Grid), "\tTotal\r\nTotal\t0 ");
}

struct PlacesCase {
  double value;
  int places;
};
class DecimalPlacesOfValue : public ::testing::TestWithParam<PlacesCase> {};
TEST_P(DecimalPlacesOfValue, SmallestExactCount) { EXPECT_EQ(DecimalPlaces(GetParam().value), GetParam().places); }
INSTANTIATE_TEST_SUITE_P(Values, DecimalPlacesOfValue,
                         ::testing::Values(PlacesCase{3, 0}, PlacesCase{0.5, 1}, PlacesCase{2.25, 2},
                                           PlacesCase{0.125, 3}, PlacesCase{1.0 / 3.0, 12},
                                           PlacesCase{-0.75, 2}));

}  // namespace
}  // namespace kovalin

namespace kovalin {
namespace {

TEST(TableSettingsDialog, ClosingTakesANonEmptyTitle) {
  const rTableSettings before = CurrentTableSettings;
  CurrentTableSettings.Problema = "old";
  TableSettingsClosed("   ");
  EXPECT_EQ(CurrentTableSettings.Problema, "old");
  TableSettingsClosed("  Study B ");
  EXPECT_EQ(CurrentTableSettings.Problema, "Study B");
  CurrentTableSettings = before;
}

}  // namespace
}  // namespace kovalin
