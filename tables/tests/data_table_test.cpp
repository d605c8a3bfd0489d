#include "tables/data_table.h"

#include <gtest/gtest.h>

#include "tables/db_structure.h"
#include "tables/record_table_frame.h"

namespace kovalin {
namespace {

TEST(DataTable, ReadsOutsideGiveZeroAndWritesAreIgnored) {
  TDataTable t;
  t.Resize(2, 2);
  t.SetElem(3, 1, 5);
  t.SetElem(0, 1, 5);
  t.SetCellState(1, 3, kCellEmpty);
  EXPECT_EQ(t.GetElem(3, 1), 0);
  EXPECT_EQ(t.GetElem(1, 0), 0);
  EXPECT_EQ(t.GetCellState(1, 3), 0);
  EXPECT_EQ(t.GetColName(3), "");
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.NrOfRows(), 2);
}

TEST(DataTable, ResizeKeepsCellsAndNamesNewOnes) {
  TDataTable t;
  t.SetElem(1, 1, 4);
  t.SetColName(1, "Id");
  t.Resize(3, 2);
  EXPECT_EQ(t.GetElem(1, 1), 4);
  EXPECT_EQ(t.GetColName(1), "Id");
  EXPECT_EQ(t.GetColName(3), "C-3");
  EXPECT_EQ(t.GetRowName(2), "R-2");
  EXPECT_EQ(t.GetScaleType(3), stInterval);
  t.Resize(1, 1);
  EXPECT_EQ(t.GetElem(1, 1), 4);
  EXPECT_EQ(t.GetElem(1, 2), 0);
}

TEST(DataTable, ColumnNamesAreCutToFiftyCharacters) {
  TDataTable t;
  t.SetColName(1, std::string(60, 'a'));
  EXPECT_EQ(t.GetColName(1), std::string(50, 'a'));
  // Characters, not bytes.
  std::string accented;
  for (int i = 0; i < 55; ++i) accented += "\xC3\xA9";
  t.SetColName(1, accented);
  EXPECT_EQ(t.GetColName(1).size(), 100u);
}

TEST(DataTable, InsertAndRemoveRowsShiftTheRest) {
  TDataTable t;
  t.Resize(1, 3);
  for (int r = 1; r <= 3; ++r) t.SetElem(1, r, r * 10);
  EXPECT_TRUE(t.InsertRow(2));
  EXPECT_EQ(t.NrOfRows(), 4);
  EXPECT_EQ(t.GetElem(1, 1), 10);
  EXPECT_EQ(t.GetElem(1, 2), 0);
  EXPECT_EQ(t.GetRowName(2), "");
  EXPECT_EQ(t.GetElem(1, 3), 20);
  EXPECT_EQ(t.GetRowName(3), "R-2");
  EXPECT_TRUE(t.InsertRow(5));  // after the end
  EXPECT_FALSE(t.InsertRow(7));
  EXPECT_FALSE(t.InsertRow(0));
  EXPECT_TRUE(t.RemoveRow(1));
  EXPECT_EQ(t.GetElem(1, 1), 0);
  EXPECT_EQ(t.GetElem(1, 2), 20);
  EXPECT_FALSE(t.RemoveRow(9));
  TDataTable single;
  EXPECT_FALSE(single.RemoveRow(1));
  EXPECT_EQ(single.NrOfRows(), 1);
}

TEST(DataTable, InsertAndRemoveColumnsMoveTheirCellsNamesAndLabels) {
  TDataTable t;
  t.Resize(2, 2);  // C-1, C-2
  t.SetColName(1, "Id");
  t.SetElem(1, 2, 1);
  t.AddNominalLabel(1, "A1");
  t.SetElem(2, 2, 7.5);
  t.SetCellState(2, 1, kCellNotANumber);
  EXPECT_TRUE(t.InsertColumn(2));
  ASSERT_EQ(t.NrOfColumns(), 3);
  // "C-2" is still taken by the column that moved right.
  EXPECT_EQ(t.GetColName(2), "C-3");
  EXPECT_EQ(t.GetElem(2, 2), 0);
  EXPECT_EQ(t.GetCellState(2, 1), 0);
  EXPECT_EQ(t.GetScaleType(2), stInterval);
  EXPECT_EQ(t.GetColName(3), "C-2");
  EXPECT_EQ(t.GetElem(3, 2), 7.5);
  EXPECT_EQ(t.GetCellState(3, 1), kCellNotANumber);
  EXPECT_TRUE(t.InsertColumn(1));
  EXPECT_EQ(t.GetColName(1), "C-1");
  EXPECT_EQ(t.NominalLabel(2, 1), "A1");
  EXPECT_TRUE(t.InsertColumn(5));  // after the end
  EXPECT_FALSE(t.InsertColumn(7));
  EXPECT_FALSE(t.InsertColumn(0));
  EXPECT_TRUE(t.RemoveColumn(1));
  EXPECT_EQ(t.GetColName(1), "Id");
  EXPECT_EQ(t.NrOfRows(), 2);
  EXPECT_FALSE(t.RemoveColumn(5));
  TDataTable single;
  EXPECT_FALSE(single.RemoveColumn(1));
  EXPECT_EQ(single.NrOfColumns(), 1);
}

TEST(DataTable, ClearRestoresDefaultsButKeepsSize) {
  TDataTable t;
  t.Resize(2, 2);
  t.SetColName(1, "PA");
  t.SetColAttrib(1, 3);
  t.SetElem(2, 2, 8);
  t.SetCellState(2, 2, kCellEmpty);
  t.AddNominalLabel(1, "yes");
  t.Clear();
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.GetColName(1), "C-1");
  EXPECT_EQ(t.GetColAttrib(1), 0);
  EXPECT_EQ(t.GetScaleType(1), stInterval);
  EXPECT_EQ(t.NominalLabelCount(1), 0);
  EXPECT_EQ(t.GetElem(2, 2), 0);
  EXPECT_EQ(t.GetCellState(2, 2), 0);
}

TEST(DataTable, NominalCellsReadRoundedAndLabelsAreLimited) {
  TDataTable t;
  EXPECT_EQ(t.AddNominalLabel(1, "Positive"), 1);
  EXPECT_EQ(t.GetScaleType(1), stNominal);
  EXPECT_EQ(t.AddNominalLabel(1, "POSITIVE"), 1);  // case ignored
  EXPECT_EQ(t.AddNominalLabel(1, "a-very-long-label"), 2);
  EXPECT_EQ(t.NominalLabel(1, 2), "a-very-lon");
  t.SetElem(1, 1, 2.5);
  EXPECT_EQ(t.GetElem(1, 1), 2);  // halves to even
  t.SetElem(1, 1, 1.6);
  EXPECT_EQ(t.GetElem(1, 1), 2);
  for (int i = 3; i <= 150; ++i) EXPECT_EQ(t.AddNominalLabel(1, "L" + std::to_string(i)), i);
  EXPECT_EQ(t.AddNominalLabel(1, "one-more"), 0);
  EXPECT_EQ(t.AddNominalLabel(1, "L7"), 7);  // known labels are still found
}

TEST(DataTable, FindColumnIgnoresCase) {
  TDataTable t;
  t.Resize(3, 1);
  t.SetColName(1, "Id");
  t.SetColName(2, "x[1]");
  t.SetColName(3, "Opos");
  EXPECT_EQ(t.FindColumn("ID"), 1);
  EXPECT_EQ(t.FindColumn("X[1]"), 2);
  EXPECT_EQ(t.FindColumn("opos"), 3);
  EXPECT_EQ(t.FindColumn("Oneg"), 0);
}

struct KindCase {
  std::vector<std::string> columns;
  tDBType kind;
};

class AssignDBType : public ::testing::TestWithParam<KindCase> {};

TEST_P(AssignDBType, FirstMatchingTestWins) {
  TDataTable t;
  t.Resize(static_cast<int>(GetParam().columns.size()), 1);
  for (std::size_t i = 0; i < GetParam().columns.size(); ++i) t.SetColName(static_cast<int>(i + 1), GetParam().columns[i]);
  EXPECT_EQ(assignDBType(t), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, AssignDBType,
                         ::testing::Values(KindCase{{"Id", "PA", "X[1]"}, DBRawData},
                                           KindCase{{"x[1]"}, DBRawData},
                                           KindCase{{"Id", "PA", "SA"}, DBparamsVP},
                                           KindCase{{"SA", "SB"}, DBparamsSeSp},
                                           KindCase{{"Id", "X1"}, DBnull}));

TEST(DBTypeTexts, PropertiesOfEachKind) {
  EXPECT_STREQ(DBTypeCaption(DBRawData), "Raw Data");
  EXPECT_STREQ(DBTypeCaption(DBparamsVP), "VP/OR/P parameters");
  EXPECT_STREQ(DBTypeCaption(DBparamsSeSp), "Se/Sp/P parameters");
  EXPECT_STREQ(DBTypeCaption(DBnull), "--");
  EXPECT_STREQ(DBTypePropertiesTitle(DBRawData), "Data table");
  EXPECT_STREQ(DBTypePropertiesTitle(DBparamsVP), "Parameters");
  EXPECT_STREQ(DBTypePropertiesTitle(DBparamsSeSp), "Parameters");
  EXPECT_STREQ(DBTypePropertiesTitle(DBnull), "");
}

TEST(Schemas, NewRawDataTableHasNineZeroDecimalColumnsAndOneZeroRow) {
  tRecordTableFrame frame;
  EXPECT_EQ(createRawData(frame), DBRawData);
  ASSERT_EQ(frame.DataTable1.NrOfColumns(), 9);
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 1);
  EXPECT_EQ(frame.DataTable1.GetColName(1), "Id");
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(frame.DataTable1.GetColName(k + 1), "X[" + std::to_string(k) + "]");
    EXPECT_EQ(frame.NTabEd1.GetDecPlaces(k + 1), 0);
    EXPECT_EQ(frame.DataTable1.GetElem(k + 1, 1), 0);
  }
  EXPECT_EQ(frame.VarList.front(), "ID");
}

TEST(Schemas, NewParameterTableHasItsDecimals) {
  tRecordTableFrame frame;
  EXPECT_EQ(createParamPV_DB(frame), DBparamsVP);
  const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
  const int decimals[] = {0, 2, 2, 2, 2, 2, 0, 0, 0};
  ASSERT_EQ(frame.DataTable1.NrOfColumns(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(frame.NTabEd1.GetColName(i + 1), names[i]);
    EXPECT_EQ(frame.NTabEd1.GetDecPlaces(i + 1), decimals[i]);
  }
}

TEST(Schemas, NewTableByInputFormat) {
  tRecordTableFrame frame;
  std::string message;
  EXPECT_EQ(CreateNewTable(frame, itRawData, message), DBRawData);
  EXPECT_EQ(frame.DataTable1.GetColName(2), "X[1]");
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(CreateNewTable(frame, itParamsPV, message), DBparamsVP);
  EXPECT_EQ(frame.DataTable1.GetColName(2), "PA");
  // Parameters by sensitivities and specificities: announced, no schema.
  tRecordTableFrame other;
  EXPECT_EQ(CreateNewTable(other, itParamsS, message), DBnull);
  EXPECT_EQ(message, "To be implemented ... ");
  EXPECT_EQ(other.DataTable1.GetColName(1), "C-1");
  EXPECT_TRUE(other.VarList.empty());
}

TEST(Schemas, StructurePastTheEndIsEmpty) {
  tDBStructure s = RawDataStructure();
  EXPECT_EQ(s.count(), 9);
  EXPECT_EQ(s.varname(10), "");
  EXPECT_EQ(s.VarPrecision(10), 0);
  EXPECT_EQ(s.VarPrecision(0), 0);
}

TEST(RecordFrame, VarExistsFullAndPrefix) {
  tRecordTableFrame frame;
  EXPECT_FALSE(frame.VarExists("Id", true));  // empty field list
  createParamPV_DB(frame);
  EXPECT_TRUE(frame.VarExists("opos", true));
  EXPECT_FALSE(frame.VarExists("Op", true));
  EXPECT_TRUE(frame.VarExists("Op", false));
  EXPECT_FALSE(frame.VarExists("Oposx", false));
}

TEST(RecordFrame, RecordOperations) {
  tRecordTableFrame frame;
  createRawData(frame);
  frame.Autosave = false;
  EXPECT_FALSE(frame.DeleteRecord(1));  // the only record stays
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 1);
  EXPECT_FALSE(frame.pmodified);
  frame.DataTable1.SetElem(2, 1, 7);
  frame.DataTable1.SetCellState(2, 1, kCellNotANumber);
  EXPECT_TRUE(frame.DuplicateRecord(1));  // the last record: a copy is appended
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 2);
  EXPECT_EQ(frame.DataTable1.GetElem(2, 2), 7);
  EXPECT_EQ(frame.DataTable1.GetCellState(2, 2), 0);
  EXPECT_TRUE(frame.pmodified);
  EXPECT_TRUE(frame.AddRecord());
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 3);
  EXPECT_EQ(frame.DataTable1.GetElem(2, 3), 0);
  EXPECT_TRUE(frame.DeleteRecord(1));
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 2);
  EXPECT_FALSE(frame.DuplicateRecord(5));
}

TEST(RecordFrame, StatusBarTexts) {
  tRecordTableFrame frame;
  EXPECT_EQ(frame.ModifiedMarkText(), "");
  frame.pmodified = true;
  EXPECT_EQ(frame.ModifiedMarkText(), " *");
  EXPECT_STREQ(StatusText(sNone), "");
  EXPECT_STREQ(StatusText(sEdit), "Edit");
  EXPECT_STREQ(StatusText(sSelection), "Selection");
  EXPECT_STREQ(StatusText(sCalculating), "Calculating");
  EXPECT_STREQ(StatusText(sProcessing), "Processing");
}

TEST(RecordFrame, DeleteAllDataKeepsSchemaAndModifiedMark) {
  tRecordTableFrame frame;
  createParamPV_DB(frame);
  frame.Autosave = false;
  frame.AddRecord();
  frame.DataTable1.SetElem(2, 2, 0.5);
  frame.pmodified = false;
  frame.DeleteAllData();
  EXPECT_EQ(frame.DataTable1.NrOfRows(), 1);
  EXPECT_EQ(frame.DataTable1.GetColName(2), "PA");
  EXPECT_EQ(frame.NTabEd1.GetDecPlaces(2), 2);
  EXPECT_EQ(frame.DataTable1.GetElem(2, 1), 0);
  EXPECT_FALSE(frame.pmodified);
  EXPECT_EQ(frame.structureBf.count(), 9);
}

}  // namespace
}  // namespace kovalin
