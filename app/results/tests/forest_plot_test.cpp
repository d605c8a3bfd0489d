// The forest plot of one analysis: its panels from the methods, the picture
// files and the "Plot" page of the analysis results.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/results/forest_plot_view.h"
#include "engine/app_options.h"
#include "engine/npv_methods.h"

namespace kovalin::app {
namespace {

tForestPlot ExamplePlot(bool npv, const tTestNames& names = {}) {
  tConf_rec options = DefaultAppOptions();
  options.Methods.fill(true);
  options.Methods[0] = false;
  tInputData input;
  const int cells[8] = {30, 12, 4, 4, 6, 10, 2, 32};
  for (std::size_t i = 1; i <= 8; ++i) input.N[i] = cells[i - 1];
  tMethodSet ppv = CreateMethods(options, tSimulationType::simAny);
  tMethodSet npvMethods = CreateMethods(options, tSimulationType::simAny);
  ppv.CalculateActive(input);
  CalculateNpv(npvMethods, input);
  return ForestPlotOf(ppv, npv ? &npvMethods : nullptr, names, 0.05);
}

TEST(ForestPlot, PanelsHoldTheTwentyOneIntervalsWithTheirLinesOfNoDifference) {
  const tForestPlot plot = ExamplePlot(true, {"Mammography", "MRI"});
  ASSERT_EQ(plot.panels.size(), 4u);
  EXPECT_EQ(plot.panels[0].title, "PPV(Mammography) - PPV(MRI)");
  EXPECT_EQ(plot.panels[0].noDifference, 0.0);
  EXPECT_EQ(plot.panels[1].title, "PPV(Mammography) / PPV(MRI)");
  EXPECT_EQ(plot.panels[1].noDifference, 1.0);
  EXPECT_EQ(plot.panels[0].rows.size() + plot.panels[1].rows.size(), 21u);
  EXPECT_EQ(plot.panels[3].title, "NPV(Mammography) / NPV(MRI)");
  // The worked example's d: -0.0854 (-0.1915, 0.0208).
  EXPECT_EQ(plot.panels[0].rows[0].label, "d");
  EXPECT_NEAR(plot.panels[0].rows[0].lower, -0.1915, 5e-5);
  EXPECT_EQ(plot.heading, "Mammography (A) against MRI (B), 95% intervals of the 21 methods");
  EXPECT_EQ(ExamplePlot(false).panels.size(), 2u);
}

TEST(ForestPlot, SvgAndPngCarryEveryMethodAndTitle) {
  QTemporaryDir dir;
  const tForestPlot plot = ExamplePlot(true);
  QString error;
  const QString svg = dir.filePath("forest.svg");
  ASSERT_TRUE(SaveForestPlot(plot, svg, error)) << error.toStdString();
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  for (const char* label : {">F2Ra<", ">dp<", ">PPV(A) - PPV(B)<", ">NPV(A) / NPV(B)<"})
    EXPECT_TRUE(text.contains(label)) << label;
  EXPECT_TRUE(text.contains("-0.0854  (-0.1915, 0.0208)"));

  const QString png = dir.filePath("forest.png");
  ASSERT_TRUE(SaveForestPlot(plot, png, error)) << error.toStdString();
  const QImage image(png);
  EXPECT_EQ(image.width(), 2 * ForestPlotSize(plot).width());
  EXPECT_FALSE(SaveForestPlot(plot, dir.filePath("forest.gif"), error));
  EXPECT_FALSE(SaveForestPlot(plot, dir.filePath("no/such/folder/f.png"), error));
}

TEST(ForestPlot, PageShowsTheChosenRecord) {
  tForestPlotPage page;
  EXPECT_EQ(page.Shown(), nullptr);
  std::vector<std::pair<QString, tForestPlot>> records;
  records.emplace_back("Record 1 (ID 11)", ExamplePlot(false));
  records.emplace_back("Record 2 (ID 12)", ExamplePlot(true));
  page.SetRecords(std::move(records));
  page.show();
  ASSERT_NE(page.Shown(), nullptr);
  EXPECT_EQ(page.Shown()->panels.size(), 2u);
  page.RecordChoice()->setCurrentIndex(1);
  EXPECT_EQ(page.ShownRecord(), 1);
  EXPECT_EQ(page.Shown()->panels.size(), 4u);
  EXPECT_EQ(page.RecordChoice()->itemText(1), "Record 2 (ID 12)");
}

}  // namespace
}  // namespace kovalin::app
