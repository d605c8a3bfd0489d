#include "simulation/grid_record_source.h"

#include <gtest/gtest.h>

#include "simulation/sim_mdb.h"
#include "tables/data_table.h"
#include "tables/numeric_grid.h"

namespace kovalin {
namespace {

TEST(GridRecordSource, ReadsNamedColumnsAndMissingCells) {
  TDataTable table;
  table.Resize(3, 2);
  table.SetColName(1, "Id");
  table.SetColName(2, "pa");
  table.SetColName(3, "n");
  table.SetElem(1, 1, 4);
  table.SetElem(2, 1, 0.8);
  table.SetElem(3, 1, 100);
  table.SetElem(2, 2, 0.7);
  table.SetCellState(2, 2, kCellEmpty);
  table.SetCellState(3, 2, kCellNotANumber);
  const tGridRecordSource source(table);
  EXPECT_EQ(source.ColumnCount(), 3);
  EXPECT_EQ(source.RowCount(), 2);
  EXPECT_EQ(RecordTableKind(source), tRecordTableKind::paramsVP);
  tSimMDB sim(&source);
  EXPECT_EQ(sim.NTabEd_GetVal(1, "PA"), 0.8);
  EXPECT_EQ(sim.NTabEd_GetVal(1, "ID"), 4);
  EXPECT_EQ(sim.NTabEd_GetVal(2, "PA"), -999);  // empty cell
  EXPECT_EQ(sim.NTabEd_GetVal(2, "n"), -999);   // text that is not a number
  EXPECT_EQ(sim.NTabEd_GetVal(3, "PA"), -999);  // outside the rows
  EXPECT_EQ(sim.NTabEd_GetVal(1, "NB"), -999);  // no such column
}

TEST(GridRecordSource, TextInAColumnTheRunReadsAsNumbers) {
  TDataTable table;
  table.Resize(9, 2);
  const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
  for (int c = 1; c <= 9; ++c) {
    table.SetColName(c, names[c - 1]);
    for (int r = 1; r <= 2; ++r) table.SetElem(c, r, 0.5);
  }
  const tGridRecordSource source(table);
  EXPECT_FALSE(TextInNumberColumn(source).has_value());

  // Text in the ID column names the record; it does not enter the statistics.
  table.SetElem(1, 2, table.AddNominalLabel(1, "first"));
  EXPECT_FALSE(TextInNumberColumn(source).has_value());

  table.SetElem(8, 2, table.AddNominalLabel(8, "high"));
  const auto text = TextInNumberColumn(source);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->column, "Oneg");
  EXPECT_EQ(text->text, "high");
}

TEST(NumericOutputGrid, ForwardsToTheGrid) {
  TDataTable table;
  TNTabEd grid(&table);
  tNumericOutputGrid out(grid);
  out.Redimension(4, 3);
  out.SetColName(2, "d(n)");
  out.SetDecPlaces(2, 0);
  out.SetDecPlaces(3, 12);
  out.SetElem(2, 3, 17);
  EXPECT_EQ(out.GetNrOfColumns(), 4);
  EXPECT_EQ(grid.GetNrOfRows(), 3);
  EXPECT_EQ(grid.GetColName(2), "d(n)");
  EXPECT_EQ(grid.GetDecPlaces(3), 10);
  EXPECT_EQ(grid.GetElem(2, 3), 17);
}

}  // namespace
}  // namespace kovalin
