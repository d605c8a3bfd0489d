// Number texts and files under a locale whose decimal separator is a comma, as the
// desktop program runs under a German user's settings.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "engine/app_options.h"
#include "engine/number_text.h"
#include "engine/text_format.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_output.h"
#include "simulation/tests/fake_host.h"
#include "simulation/tests/fake_table.h"
#include "simulation/tests/file_text.h"
#include "tables/csv_export.h"
#include "tables/csv_number.h"
#include "tables/numeric_grid.h"
#include "tables/table_loader.h"
#include "tables/text_utils.h"
#include "tables/xml_data_file.h"

namespace kovalin {
namespace {

namespace fs = std::filesystem;

bool CommaLocaleIsActive() { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

class CommaLocaleTest : public ::testing::Test {
 protected:
  // Generated once per program into a temporary folder, unless the whole program
  // already runs under a comma locale (the suite's comma-locale run).
  static void SetUpTestSuite() {
    if (CommaLocaleIsActive()) return;
    if (std::system("command -v localedef >/dev/null 2>&1") != 0) return;
    localeDir_ = new fs::path(testing_support::MakeTempDir("kovalin_locale_"));
    const std::string command = "localedef -c -i de_DE -f UTF-8 '" +
                                (*localeDir_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    (void)std::system(command.c_str());
  }
  static void TearDownTestSuite() {
    if (!localeDir_) return;
    std::error_code ignored;
    fs::remove_all(*localeDir_, ignored);
    delete localeDir_;
    localeDir_ = nullptr;
  }

  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    if (!CommaLocaleIsActive()) {
      if (!localeDir_) GTEST_SKIP() << "localedef is missing (Debian's locales package)";
      if (const char* old = std::getenv("LOCPATH")) oldLocPath_ = old;
      ::setenv("LOCPATH", localeDir_->c_str(), 1);
      ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "localedef made no locale";
    }
    ASSERT_TRUE(CommaLocaleIsActive());
    dir_ = testing_support::MakeTempDir("kovalin_comma_");
    AppOptions = DefaultAppOptions();
    SetSimOutDecimals(4);
  }
  void TearDown() override {
    std::setlocale(LC_ALL, saved_.c_str());
    if (oldLocPath_)
      ::setenv("LOCPATH", oldLocPath_->c_str(), 1);
    else
      ::unsetenv("LOCPATH");
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    AppOptions = DefaultAppOptions();
    SimOutDecimals = kInitialSimOutDecimals;
    SimOutWidth = kInitialSimOutWidth;
  }

  static inline fs::path* localeDir_ = nullptr;
  std::string saved_;
  std::optional<std::string> oldLocPath_;
  fs::path dir_;
};

TEST_F(CommaLocaleTest, NumberTextsKeepThePoint) {
  char c[16];
  std::snprintf(c, sizeof c, "%.1f", 0.5);
  ASSERT_STREQ(c, "0,5") << "the locale does not change the C library's numbers";

  EXPECT_EQ(Fixed(0.8, 7, 4), " 0.8000");
  EXPECT_EQ(Fixed(-0.00001, 1, 3), "0.000");
  EXPECT_EQ(SimNumberText(-999, 4, 10), " -999.0000");
  EXPECT_EQ(FixedText(1234.5, 2), "1234.50");
  EXPECT_EQ(GridNumberText(1.5e12, 2), "1.5E+12");
  EXPECT_EQ(XmlExponentValue(12.5), " 1.25000000000000E+0001");

  EXPECT_EQ(ParseNumber("0.8"), 0.8);
  EXPECT_EQ(ParseNumber("0,8"), std::nullopt);
  double v = 0;
  ASSERT_TRUE(ParseStrictDecimal("2.5e-3", v));
  EXPECT_EQ(v, 0.0025);
  ASSERT_TRUE(ParseCsvNumber("0.8014", v));
  EXPECT_EQ(v, 0.8014);
}

TEST_F(CommaLocaleTest, FilesReadBackWhatTheyWrote) {
  // Export of a record table, read back by the table reader.
  TDataTable table;
  table.Resize(2, 2);
  table.SetColName(1, "PA");
  table.SetColName(2, "n");
  table.SetElem(1, 1, 0.8);
  table.SetElem(1, 2, 0.125);
  table.SetElem(2, 1, 1000);
  table.SetElem(2, 2, 250);
  const std::string exportPath = (dir_ / "export.txt").string();
  std::string reason;
  ASSERT_TRUE(WriteFileBytes(exportPath, ExportText(table, {3, 0}, '\t'), reason)) << reason;
  const tRecordTableFile loaded = LoadRecordTable(exportPath);
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.table.GetElem(1, 1), 0.8);
  EXPECT_EQ(loaded.table.GetElem(1, 2), 0.125);
  EXPECT_EQ(loaded.table.GetElem(2, 2), 250);

  // The XML data file of a frequency table with fractional frequencies.
  rTableSettings s;
  s.WinReg.DimR = 1;
  s.WinReg.DimC = 2;
  tFrequencyTable freq;
  freq.BuildFromSettings(s);
  freq.SetValue(1, 1, 12.5);
  freq.SetValue(1, 2, 0.25);
  freq.AsignaDatos();
  const tXmlReadResult xml = ParseXmlData(XmlDataText(freq), "t.xml");
  ASSERT_TRUE(xml.ok) << xml.error;
  EXPECT_EQ(xml.cells, (std::vector<double>{12.5, 0.25}));

  // A simulation file, read back as a record table.
  const testing_support::FakeTable params =
      testing_support::ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 200}});
  AppOptions.Methods.fill(false);
  AppOptions.Methods[1] = true;
  tSimLaunchSettings settings;
  settings.numSamples = 20;
  settings.seed = 5u;
  testing_support::FakeHost host;
  const std::string simPath = (dir_ / "sim_IC_0001.txt").string();
  ASSERT_EQ(SimulateKind(params, settings, tSimulationType::SimCI, simPath, host).outcome,
            tRunOutcome::complete);
  const tRecordTableFile sim = LoadRecordTable(simPath);
  ASSERT_TRUE(sim.ok) << sim.error;
  ASSERT_EQ(sim.table.NrOfRows(), 1);
  EXPECT_EQ(sim.table.GetColName(2), "Pa");
  EXPECT_EQ(sim.table.GetElem(2, 1), 0.8);
  EXPECT_EQ(sim.table.GetElem(9, 1), 200);
  EXPECT_EQ(sim.table.GetElem(12, 1), 20);  // d(n): every sample valid
}

}  // namespace
}  // namespace kovalin
