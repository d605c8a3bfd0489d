#include "tables/xml_data_file.h"

#include <gtest/gtest.h>

#include "tables/tests/temp_dir.h"

namespace kovalin {
namespace {

tFrequencyTable Table(int r, int c, const std::vector<double>& values, const std::string& title = "Study A") {
  rTableSettings s;
  s.Problema = title;
  s.WinReg.DimR = r;
  s.WinReg.DimC = c;
  s.WinReg.LblR = "R";
  s.WinReg.LblC = "C";
  tFrequencyTable t;
  t.BuildFromSettings(s);
  for (int i = 1; i <= r; ++i)
    for (int j = 1; j <= c; ++j) t.SetValue(i, j, values[static_cast<std::size_t>((i - 1) * c + (j - 1))]);
  t.AsignaDatos();
  return t;
}

std::string Crlf(const std::string& lf) {
  std::string out;
  for (char ch : lf) {
    if (ch == '\n') out += "\r\n"; else out += ch;
  }
  return out;
}

std::string CellXml(int r, int c, const std::string& v) {
  return "      <cell>\n        <row>" + std::to_string(r) + "</row>\n        <col>" + std::to_string(c) +
         "</col>\n        <val>" + v + "</val>\n      </cell>\n";
}

const std::string kHead2x2 =
    "<dataset text=\"Kovalin_data\">\n"
    "  <table>\n"
    "    <title>Study A</title>\n"
    "    <dim>\n"
    "      <dimrows>2</dimrows>\n"
    "      <dimcols>2</dimcols>\n"
    "    </dim>\n"
    "    <labels>\n"
    "      <lblrows>R</lblrows>\n"
    "      <lblcols>C</lblcols>\n"
    "    </labels>\n"
    "    <sampling>0</sampling>\n";

TEST(XmlWriter, WorkedExampleByteForByte) {
  const std::string expected = Crlf(kHead2x2 + "    <cells>\n" + CellXml(1, 1, "12") + CellXml(1, 2, "5") +
                                    CellXml(2, 1, "3") + CellXml(2, 2, "20") +
                                    "    </cells>\n  </table>\n</dataset>\n");
  EXPECT_EQ(XmlDataText(Table(2, 2, {12, 5, 3, 20})), expected);
}

TEST(XmlWriter, OneRealValueSwitchesEveryValueToExponentForm) {
  const std::string text = XmlDataText(Table(2, 2, {12.5, 3, 0, 20}));
  EXPECT_NE(text.find("<val> 1.25000000000000E+0001</val>"), std::string::npos);
  EXPECT_NE(text.find("<val> 3.00000000000000E+0000</val>"), std::string::npos);
  EXPECT_NE(text.find("<val> 0.00000000000000E+0000</val>"), std::string::npos);
  EXPECT_EQ(XmlExponentValue(0.5), " 5.00000000000000E-0001");
  EXPECT_EQ(XmlExponentValue(-1234.5), "-1.23450000000000E+0003");
  EXPECT_EQ(XmlExponentValue(12.5).size(), 23u);
  // A value 15 digits would change is written with the digits it needs.
  EXPECT_EQ(XmlExponentValue(0.8333333333333334), " 8.333333333333334E-0001");
  EXPECT_EQ(XmlExponentValue(0.1 + 0.2), " 3.0000000000000004E-0001");
}

TEST(XmlWriter, EmptyTableHasNoCells) {
  const std::string text = XmlDataText(Table(0, 0, {}, "T & <x>"));
  EXPECT_EQ(text.find("<cells>"), std::string::npos);
  EXPECT_NE(text.find("<title>T &amp; &lt;x&gt;</title>\r\n"), std::string::npos);
  EXPECT_NE(text.find("    <sampling>0</sampling>\r\n  </table>\r\n</dataset>\r\n"), std::string::npos);
}

TEST(XmlReader, TwoByThreeRoundTrip) {
  testing::TempDir dir;
  tFrequencyTable t = Table(2, 3, {1, 2, 3, 4, 5, 6.25});
  t.Sampling = 3;
  const std::string path = dir.Write("t.xml", XmlDataText(t));
  const rTableSettings before = CurrentTableSettings;
  tXmlLoadResult loaded = LoadTable(path);
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_TRUE(loaded.warnings.empty());
  EXPECT_EQ(loaded.table.TablaDimR, 2);
  EXPECT_EQ(loaded.table.TablaDimC, 3);  // read from dimcols
  EXPECT_EQ(loaded.table.Value(2, 3), 6.25);
  EXPECT_EQ(loaded.table.Value(0, 0), 21.25);
  EXPECT_EQ(loaded.table.Sampling, 3);
  EXPECT_EQ(loaded.table.Alias, "t.xml");
  EXPECT_EQ(CurrentTableSettings.Problema, "Study A");
  EXPECT_FALSE(CurrentTableSettings.WinReg.SquareTable);
  // Written again, the file is the same.
  loaded.table.Alias = "Study A";
  EXPECT_EQ(XmlDataText(loaded.table), testing::ReadAll(path));
  CurrentTableSettings = before;
}

TEST(XmlReader, BadValuesAndOutsideCellsAreReportedNotStored) {
  const std::string text = kHead2x2 + "<cells>" +
                           "<cell><row>1</row><col>1</col><val>abc</val></cell>"
                           "<cell><row>1</row><col>2</col><val> 7 </val></cell>"
                           "<cell><row>3</row><col>1</col><val>4</val></cell>"
                           "</cells></table></dataset>";
  tXmlReadResult r = ParseXmlData(text, "f.xml");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_NE(r.warnings[0].find("f.xml:13: cell 1 (row 1, col 1)"), std::string::npos);
  EXPECT_NE(r.warnings[0].find("abc"), std::string::npos);
  EXPECT_NE(r.warnings[1].find("cell 3 (row 3, col 1)"), std::string::npos);
  EXPECT_EQ(r.cells, (std::vector<double>{0, 7, 0, 0}));
}

TEST(XmlReader, NegativeFrequenciesAreRefusedWithTheirLine) {
  // CR LF line ends, as the program writes the file.
  const std::string text = Crlf(kHead2x2 + "    <cells>\n" + CellXml(1, 1, "12") + CellXml(1, 2, " -3 ") +
                                CellXml(2, 1, "-0.5") + CellXml(2, 2, "4") + "    </cells>\n  </table>\n</dataset>\n");
  const tXmlReadResult r = ParseXmlData(text, "f.xml");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_EQ(r.warnings[0], "f.xml:22: cell 2 (row 1, col 2): the frequency \"-3\" is negative; the cell is left 0");
  EXPECT_EQ(r.warnings[1].substr(0, 27), "f.xml:27: cell 3 (row 2, co");
  EXPECT_EQ(r.cells, (std::vector<double>{12, 0, 0, 4}));
}

TEST(XmlReader, TotalsBeyondTheLargestNumberEndTheRead) {
  const auto read = [](const std::vector<std::string>& v) {
    return ParseXmlData(kHead2x2 + "<cells>" + CellXml(1, 1, v[0]) + CellXml(1, 2, v[1]) + CellXml(2, 1, v[2]) +
                            CellXml(2, 2, v[3]) + "</cells></table></dataset>",
                        "big.xml");
  };
  tXmlReadResult r = read({"1e308", "1e308", "0", "0"});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "big.xml: the frequencies add up beyond the largest number (1.7E308): the total of row 1 "
                     "cannot be held");
  r = read({"1e308", "0", "1e308", "0"});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("the total of column 1"), std::string::npos);
  r = read({"1e308", "0", "0", "1e308"});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("the grand total"), std::string::npos);
  // Large frequencies whose totals can be held are read.
  r = read({"4e307", "4e307", "4e307", "4e307"});
  EXPECT_TRUE(r.ok) << r.error;
}

TEST(XmlReader, MissingPartsAndErrors) {
  // No dimcols: square from dimrows; no title or labels: empty.
  tXmlReadResult r = ParseXmlData("<dataset><table><dim><dimrows>2</dimrows></dim><sampling>1</sampling></table></dataset>", "a");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.settings.WinReg.DimC, 2);
  EXPECT_EQ(r.settings.Problema, "");
  EXPECT_EQ(r.settings.WinReg.LblR, "");
  r = ParseXmlData("<dataset><table><dim><dimrows>x</dimrows></dim></table></dataset>", "a.xml");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("a.xml: <dimrows> is not an integer"), std::string::npos);
  r = ParseXmlData("<dataset><table><dim><dimrows>1</dimrows></dim></table></dataset>", "a.xml");
  EXPECT_FALSE(r.ok);  // no sampling
  r = ParseXmlData("<dataset><table><dim><dimrows>1</dimrows></dim><sampling>0</sampling>"
                   "<cells><cell><col>1</col><val>1</val></cell></cells></table></dataset>", "a.xml");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("cell 1: <row>"), std::string::npos);
  r = ParseXmlData("<dataset><table>", "b.xml");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("b.xml: not a well-formed"), std::string::npos);
  r = ParseXmlData("<dataset><table><dim><dimrows>100000</dimrows></dim><sampling>0</sampling></table></dataset>", "c");
  EXPECT_FALSE(r.ok);
  testing::TempDir dir;
  const rTableSettings before = CurrentTableSettings;
  tXmlLoadResult missing = LoadTable(dir.File("none.xml"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("none.xml"), std::string::npos);
  EXPECT_EQ(CurrentTableSettings.Problema, before.Problema);
}

}  // namespace
}  // namespace kovalin
