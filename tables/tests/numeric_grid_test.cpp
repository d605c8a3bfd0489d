#include "tables/numeric_grid.h"

#include <gtest/gtest.h>

#include "engine/missing.h"

namespace kovalin {
namespace {

struct ShownCase {
  double value;
  int decimals;
  const char* text;
};

class GridNumber : public ::testing::TestWithParam<ShownCase> {};

TEST_P(GridNumber, FixedOrExponentOrAsterisks) {
  EXPECT_EQ(GridNumberText(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    DisplayRules, GridNumber,
    ::testing::Values(ShownCase{0.004, 2, "4.0E-03"}, ShownCase{0.01, 2, "0.01"},
                      ShownCase{1234567890, 0, "1.2E+09"}, ShownCase{999999999, 0, "999999999"},
                      ShownCase{999999.99, 2, "999999.99"}, ShownCase{1000000, 2, "1000000.00"}, ShownCase{10000000, 2, "1.0E+07"},
                      ShownCase{0, 2, "0.00"}, ShownCase{-0.25, 2, "-0.25"},
                      ShownCase{-123456, 0, "-123456"}, ShownCase{0.5, 9, "5.0E-01"},
                      ShownCase{1e150, 2, "*******"}, ShownCase{1e-120, 2, "*******"},
                      ShownCase{12, 0, "12"}));

class GridCells : public ::testing::Test {
 protected:
  void SetUp() override {
    table.Resize(3, 2);
    table.SetColName(1, "PA");
    table.SetColName(2, "Result");
    table.SetColName(3, "n");
    grid.Bind(&table);
    grid.SetDecPlaces(1, 2);
  }
  TDataTable table;
  TNTabEd grid;
};

TEST_F(GridCells, StatesAndLabelsShowAsSuch) {
  table.SetElem(1, 1, 0.25);
  EXPECT_EQ(grid.CellText(1, 1), "0.25");
  table.SetCellState(1, 1, kCellEmpty);
  EXPECT_EQ(grid.CellText(1, 1), "");
  table.SetCellState(1, 1, kCellNotANumber);
  EXPECT_EQ(grid.CellText(1, 1), "-nan-");
  table.AddNominalLabel(2, "pos");
  table.SetElem(2, 1, 1.2);
  table.SetCellState(2, 1, kCellLabel);
  EXPECT_EQ(grid.CellText(2, 1), "pos");
  table.SetElem(2, 2, 7);
  table.SetCellState(2, 2, kCellLabel);
  EXPECT_EQ(grid.CellText(2, 2), "N:7");
  table.SetScaleType(3, stOrdinal);
  table.SetElem(3, 1, 3);
  table.SetCellState(3, 1, kCellLabel);
  EXPECT_EQ(grid.CellText(3, 1), "O:3");
  // A number in a column of labels is not the label its value rounds to.
  table.SetElem(2, 2, 0.8);
  table.SetCellState(2, 2, 0);
  EXPECT_EQ(grid.CellText(2, 2), "8.0E-01");  // 0 decimals, as in any column
  grid.SetDecPlaces(2, 1);
  EXPECT_EQ(grid.CellText(2, 2), "0.8");
}

TEST_F(GridCells, TypedTextInANumericColumn) {
  EXPECT_EQ(grid.StoreTypedText(1, 1, " 0,25 "), tStoreOutcome::Stored);
  EXPECT_EQ(table.GetElem(1, 1), 0.25);
  EXPECT_EQ(grid.StoreTypedText(1, 1, "abc"), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(table.GetElem(1, 1), 0.25);  // the value stays
  EXPECT_EQ(grid.CellText(1, 1), "-nan-");
  EXPECT_EQ(grid.StoreTypedText(1, 1, "1e3"), tStoreOutcome::Stored);
  EXPECT_EQ(grid.CellText(1, 1), "1000.00");
  EXPECT_EQ(grid.StoreTypedText(1, 1, ""), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(grid.CellText(1, 1), "-nan-");
  EXPECT_EQ(grid.StoreTypedText(1, 1, "12abc"), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(grid.StoreTypedText(1, 1, "1e999"), tStoreOutcome::MarkedNotANumber);
  // A number typed into an empty cell shows up.
  table.SetCellState(1, 2, kCellEmpty);
  EXPECT_EQ(grid.StoreTypedText(1, 2, "3"), tStoreOutcome::Stored);
  EXPECT_EQ(grid.CellText(1, 2), "3.00");
}

TEST_F(GridCells, TypedTextInANominalColumn) {
  table.AddNominalLabel(2, "neg");
  table.AddNominalLabel(2, "pos");
  EXPECT_EQ(grid.StoreTypedText(2, 1, "POS"), tStoreOutcome::Stored);
  EXPECT_EQ(table.GetElem(2, 1), 2);
  EXPECT_EQ(grid.StoreTypedText(2, 1, "1"), tStoreOutcome::Stored);
  EXPECT_EQ(grid.CellText(2, 1), "neg");
  EXPECT_EQ(grid.StoreTypedText(2, 1, "1.5"), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(grid.StoreTypedText(2, 1, "maybe"), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(grid.CellText(2, 1), "-nan-");
}

TEST_F(GridCells, TypedTextMustEqualALabelWhole) {
  table.AddNominalLabel(2, "borderline");  // ten characters, the longest a label holds
  EXPECT_EQ(grid.StoreTypedText(2, 1, "BORDERLINE"), tStoreOutcome::Stored);
  EXPECT_EQ(grid.CellText(2, 1), "borderline");
  // Longer text only begins with the label; it is not that label.
  EXPECT_EQ(grid.StoreTypedText(2, 2, "borderlines"), tStoreOutcome::MarkedNotANumber);
  EXPECT_EQ(grid.CellText(2, 2), "-nan-");
}

TEST_F(GridCells, ReadOnlyAndLockedCellsRefuseEdits) {
  grid.SetDataReadOnly(true);
  EXPECT_EQ(grid.StoreTypedText(1, 1, "5"), tStoreOutcome::Refused);
  grid.SetDataReadOnly(false);
  table.SetCellState(1, 1, kCellLocked);
  EXPECT_EQ(grid.StoreTypedText(1, 1, "5"), tStoreOutcome::Refused);
  EXPECT_EQ(table.GetElem(1, 1), 0);
  EXPECT_EQ(grid.StoreTypedText(9, 1, "5"), tStoreOutcome::Refused);
}

TEST_F(GridCells, DecimalPlacesAreLimited) {
  grid.SetDecPlaces(2, 11);
  EXPECT_EQ(grid.GetDecPlaces(2), 10);
  EXPECT_EQ(grid.GetDecPlaces(0), 0);
  EXPECT_EQ(grid.GetDecPlaces(4), 0);
  grid.SetDecPlaces(3, 4);
  grid.Redimension(5, 2);  // new columns take the last column's decimals
  EXPECT_EQ(grid.GetDecPlaces(5), 4);
  EXPECT_EQ(grid.GetNrOfColumns(), 5);
}

TEST_F(GridCells, DecimalPlacesMoveWithInsertedAndDeletedColumns) {
  grid.SetDecPlaces(2, 0);
  grid.SetDecPlaces(3, 5);
  ASSERT_TRUE(grid.InsertColumn(2));
  EXPECT_EQ(grid.GetDecPlaces(1), 2);
  EXPECT_EQ(grid.GetDecPlaces(2), 0);  // its right neighbour's
  EXPECT_EQ(grid.GetDecPlaces(4), 5);
  ASSERT_TRUE(grid.InsertColumn(5));
  EXPECT_EQ(grid.GetDecPlaces(5), 5);  // the last column's
  ASSERT_TRUE(grid.DeleteColumn(1));
  EXPECT_EQ(grid.GetDecPlaces(1), 0);
  EXPECT_EQ(grid.GetColName(2), "Result");
  EXPECT_EQ(grid.GetDecPlaces(2), 0);
  EXPECT_EQ(grid.GetDecPlaces(3), 5);
  EXPECT_FALSE(grid.InsertColumn(0));
  EXPECT_EQ(grid.GetNrOfColumns(), 4);
}

TEST_F(GridCells, LookupByNameIgnoresCaseAndGivesMissing) {
  table.SetElem(1, 2, 0.75);
  EXPECT_EQ(grid.GetValueByName("pa", 2), 0.75);
  EXPECT_EQ(grid.FindColumn("N"), 3);
  EXPECT_EQ(grid.GetValueByName("Conf", 1), kMissing);
  TNTabEd unbound;
  EXPECT_EQ(unbound.GetValueByName("PA", 1), kMissing);
}

}  // namespace
}  // namespace kovalin
