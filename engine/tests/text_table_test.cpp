#include <gtest/gtest.h>

#include "engine/text_document.h"
#include "engine/text_table.h"

namespace kovalin {
namespace {

TEST(TextTable, OneRowTwoRightAlignedCells) {
  tMemoryDocument doc;
  tTablaOutput t(doc, 2, 1, "Title");
  t.Asigna("a", 0, 0);
  t.Asigna("bb", 0, 1);
  t.Write();
  ASSERT_EQ(doc.LineCount(), 2);
  EXPECT_EQ(doc.Lines()[0], "Title");
  EXPECT_EQ(doc.Lines()[1], " a\t bb\t");
  EXPECT_EQ(t.Anchura(), 2 + 3 + 6);
}

TEST(TextTable, WidthsAlignmentAndEmptyColumns) {
  tMemoryDocument doc;
  tTablaOutput t(doc, 3, 2, "");
  t.SetAlignLeft(0);
  t.SetLTabs(1);
  t.Asigna("Se:", 0, 0);
  t.Asigna("1234567", 0, 1);
  t.Asigna("NPV:", 1, 0);
  t.Asigna(" 12 ", 1, 1);  // trimmed before padding
  t.Write();
  ASSERT_EQ(doc.LineCount(), 3);
  EXPECT_EQ(doc.Lines()[0], "");                       // an empty title is an empty line
  EXPECT_EQ(doc.Lines()[1], "\tSe:\t 1234567\t \t");   // 7 characters print 8 wide
  EXPECT_EQ(doc.Lines()[2], "\tNPV:\t      12\t \t");  // empty column: one space
  EXPECT_EQ(t.Anchura(), 5 + 8 + 1 + 11);
}

TEST(TextTable, RuleLinesAndFrame) {
  tMemoryDocument doc;
  tTablaOutput t(doc, 4, 2, "T");
  t.Enmarcar = true;
  t.SetHLine(1);
  t.SetHLine(5);  // beyond the rows: ignored
  t.TitleAdd("<", true);
  t.TitleAdd(">", false);
  t.Write();
  // Four columns of width 1 and three gaps of 5.5 rounded: 4 + 16.
  EXPECT_EQ(t.Anchura(), 20);
  std::string rule;
  for (int i = 0; i < 20; ++i) rule += "\u2014";
  const std::vector<std::string> expected = {"<T>", rule, " \t \t \t \t", rule, " \t \t \t \t", rule};
  EXPECT_EQ(doc.Lines(), expected);
}

TEST(TextTable, WriteClearsCells) {
  tMemoryDocument doc;
  tTablaOutput t(doc, 1, 1, "x");
  t.Asigna("value", 0, 0);
  t.Write();
  t.Write();
  EXPECT_EQ(doc.Lines()[1], " value\t");
  EXPECT_EQ(doc.Lines()[3], " \t");
}

}  // namespace
}  // namespace kovalin
