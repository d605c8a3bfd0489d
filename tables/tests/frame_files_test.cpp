#include <gtest/gtest.h>

#include "tables/frame_files.h"
#include "tables/tests/temp_dir.h"

namespace kovalin {
namespace {

TEST(FrameFiles, AnAdoptedFileReplacesTheTableWithItsDecimalsAndNames) {
  testing::TempDir dir;
  const std::string path = dir.Write("p.txt", "Id;PA\r\n1;0.25\r\n2;0.5\r\n");
  tRecordTableFrame frame;
  createRawData(frame);
  frame.pmodified = true;
  AdoptRecordTable(frame, LoadRecordTable(path), path);
  EXPECT_EQ(frame.pFilename, path);
  EXPECT_EQ(frame.pFileExt, ".txt");
  EXPECT_FALSE(frame.pmodified);
  EXPECT_EQ(frame.NTabEd1.GetNrOfRows(), 2);
  EXPECT_EQ(frame.NTabEd1.GetDecPlaces(2), 2);
  EXPECT_EQ(frame.NTabEd1.CellText(2, 2), "0.50");
  EXPECT_TRUE(frame.VarExists("pa", true));
  EXPECT_FALSE(frame.VarExists("X[1]", true));
}

}  // namespace
}  // namespace kovalin
