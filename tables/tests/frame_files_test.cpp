#include <gtest/gtest.h>

#include "tables/frame_files.h"
#include "tables/warning_summary.h"
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

namespace kovalin {
namespace {

TEST(WarningSummary, TwentyEntriesThenHowManyMore) {
  std::vector<std::string> warnings;
  for (int i = 1; i <= 25; ++i) warnings.push_back("w" + std::to_string(i));
  warnings[0] = std::string(1000, 'x');
  const std::vector<std::string> shown = SummarizeWarnings(warnings);
  ASSERT_EQ(shown.size(), 21u);
  EXPECT_EQ(shown[0], std::string(300, 'x') + "...");
  EXPECT_EQ(shown[19], "w20");
  EXPECT_EQ(shown[20], "and 5 more");
  EXPECT_EQ(SummarizeWarnings({"a", "b"}), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace kovalin
