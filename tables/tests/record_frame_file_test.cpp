#include <gtest/gtest.h>

#include "tables/record_table_frame.h"
#include "tables/tests/temp_dir.h"

namespace kovalin {
namespace {

TEST(RecordFrameFiles, SaveAndRefreshKeepTheTable) {
  testing::TempDir dir;
  tRecordTableFrame frame;
  createParamPV_DB(frame);
  frame.Autosave = false;
  frame.DataTable1.SetElem(2, 1, 0.9);
  frame.SetFileName(dir.File("p.mrd"));
  EXPECT_EQ(frame.pFileExt, ".mrd");
  for (TCSVDelimiters d : {csvTab, csvSemicolon, csvComma, csvBlank}) {
    frame.ExportDelimiter = d;
    frame.pmodified = true;
    const tFrameFileResult r = frame.Refresh();
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(frame.pmodified);
    EXPECT_EQ(frame.DataTable1.NrOfColumns(), 9);
    EXPECT_EQ(frame.DataTable1.GetElem(2, 1), 0.9);
    EXPECT_EQ(frame.NTabEd1.GetDecPlaces(2), 1);  // 0.90 reads back with its digits: 0.9
    EXPECT_EQ(frame.VarList[1], "PA");
  }
}

TEST(RecordFrameFiles, AutosaveWritesAfterEachRecordOperation) {
  testing::TempDir dir;
  tRecordTableFrame frame;
  createRawData(frame);
  frame.SetFileName(dir.File("raw.txt"));
  frame.Autosave = true;
  frame.AddRecord();
  EXPECT_TRUE(frame.lastFileResult.ok) << frame.lastFileResult.error;
  EXPECT_FALSE(frame.pmodified);
  EXPECT_EQ(testing::ReadAll(dir.File("raw.txt")).substr(0, 8), "Id\tX[1]\t");
  tRecordTableFrame other;
  other.SetFileName(dir.File("raw.txt"));
  ASSERT_TRUE(other.loadtable(true, false, csvUnknown).ok);
  EXPECT_EQ(other.DataTable1.NrOfRows(), 2);
}

TEST(RecordFrameFiles, OpenReadsTheChosenFileAndEndsInSelection) {
  testing::TempDir dir;
  const std::string path = dir.Write("params.csv", "Id,PA\r\n1,0.25\r\n");
  tRecordTableFrame frame;
  frame.pmodified = true;
  const tFrameFileResult r = frame.OpenFile(path);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(frame.pFilename, path);
  EXPECT_EQ(frame.pFileExt, ".csv");
  EXPECT_FALSE(frame.pmodified);
  EXPECT_TRUE(frame.pIncludeColHeaders);
  EXPECT_FALSE(frame.pIncludeRowHeaders);
  EXPECT_EQ(frame.DataTable1.GetColName(2), "PA");  // a comma-separated ".csv" loads by detection
  EXPECT_EQ(frame.NTabEd1.GetDecPlaces(2), 2);
  EXPECT_EQ(frame.pstatus, sSelection);
  EXPECT_TRUE(frame.NTabEd1.DataReadOnly());
  EXPECT_FALSE(frame.Autosave);
}

TEST(RecordFrameFiles, FailedLoadKeepsWhatTheStoreHeld) {
  testing::TempDir dir;
  tRecordTableFrame frame;
  createRawData(frame);
  frame.DataTable1.SetElem(2, 1, 5);
  tFrameFileResult r = frame.loadtable(true, false, csvUnknown);
  EXPECT_TRUE(r.skipped);  // "N/A"
  frame.SetFileName(dir.File("missing.mrd"));
  r = frame.loadtable(true, false, csvUnknown);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("missing.mrd"), std::string::npos);
  EXPECT_EQ(frame.DataTable1.GetElem(2, 1), 5);
  EXPECT_EQ(frame.DataTable1.NrOfColumns(), 9);
}

TEST(RecordFrameFiles, FailedWriteKeepsTheModifiedMark) {
  testing::TempDir dir;
  tRecordTableFrame frame;
  createRawData(frame);
  frame.pmodified = true;
  EXPECT_TRUE(frame.ExportAsCSV(csvTab).skipped);
  frame.SetFileName(dir.File("none/raw.mrd"));
  const tFrameFileResult r = frame.ExportAsCSV(csvTab);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(frame.pmodified);
}

TEST(RecordFrameFiles, NewFrameIsInSelectionAndRefusesEdits) {
  tRecordTableFrame frame;
  EXPECT_EQ(frame.pstatus, sSelection);
  EXPECT_TRUE(frame.pDataReadOnly);
  EXPECT_TRUE(frame.NTabEd1.DataReadOnly());
  EXPECT_EQ(frame.NTabEd1.StoreTypedText(1, 1, "5"), tStoreOutcome::Refused);
  EXPECT_TRUE(frame.Autosave);  // ticked at start; only a switch of the state clears it
  createRawData(frame);
  EXPECT_TRUE(frame.NTabEd1.DataReadOnly());
}

TEST(RecordFrameFiles, StatusSwitchesEditing) {
  tRecordTableFrame frame;
  frame.Setstatus(sEdit);
  EXPECT_FALSE(frame.NTabEd1.DataReadOnly());
  EXPECT_STREQ(StatusText(frame.pstatus), "Edit");
  frame.Setstatus(sSelection);
  EXPECT_TRUE(frame.NTabEd1.DataReadOnly());
  EXPECT_FALSE(frame.Autosave);
}

}  // namespace
}  // namespace kovalin
