#include <QFile>
#include <QChart>
#include <QAreaSeries>
#include <QComboBox>
#include <QGraphicsPathItem>
#include <QLineSeries>
#include <QSet>
#include <QValueAxis>
#include <cmath>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/results/sim_plot_view.h"

namespace kovalin::app {
namespace {

// Two records of an interval run with methods d and LR; LR has no valid sample
// in record 2 (-999), and the Space delimiter pads the fields.
const QStringList kIntervals = {
    "Rec Pa Pb Na Nb P O+ O- n d R d(n) d(cover) d(amp) LR(n) LR(cover) LR(amp)",
    "  1.000   0.800   0.700   0.900   0.850   0.300   4.000   2.000 100.000   0.100   1.143 "
    "1000.000   0.951   0.210 1000.000   0.940   0.330",
    "  2.000   0.700   0.700   0.900   0.900   0.250   2.000   2.000 100.000   0.000   1.000 "
    "1000.000   0.948   0.190   0.000 -999.000 -999.000"};

TEST(SimPlot, ReadsAnOutputFileAndSkipsMissingValues) {
  tSimPlotData data;
  QString error;
  ASSERT_TRUE(data.SetLines(kIntervals, error)) << error.toStdString();
  EXPECT_EQ(data.Kind(), tSimPlotData::tKind::intervals);
  ASSERT_EQ(data.Methods().size(), 2u);
  EXPECT_EQ(data.Methods()[1].label, "LR");
  EXPECT_EQ(data.RecordCount(), 2);

  tSimPlotView view;
  view.SetData(data, 0.05);
  ASSERT_EQ(view.MethodSeries().size(), 2u);
  EXPECT_EQ(view.MethodSeries()[0]->count(), 2);
  EXPECT_EQ(view.MethodSeries()[1]->count(), 1);  // record 2 has no LR value
  EXPECT_DOUBLE_EQ(view.MethodSeries()[0]->at(1).y(), 0.948);
  // Hidden from the legend and shown again.
  view.SetMethodShown(1, false);
  EXPECT_FALSE(view.MethodSeries()[1]->isVisible());
  view.SetMethodShown(1, true);
  EXPECT_TRUE(view.MethodSeries()[1]->isVisible());

  // A line that does not match its header is refused with its place.
  tSimPlotData bad;
  EXPECT_FALSE(bad.SetLines({kIntervals[0], "1 2 3"}, error));
  EXPECT_TRUE(error.startsWith("line 2: record 1 has 3 fields")) << error.toStdString();
  EXPECT_FALSE(bad.SetLines({"Id PA PB"}, error));
}

TEST(SimPlot, WritesAnSvgWithEveryMethodAndTheLevel) {
  QTemporaryDir dir;
  tSimPlotData data;
  QString error;
  ASSERT_TRUE(data.SetLines(
      {"Rec;Pa;d(n);d(Sig);Fd/F2R(n);Fd/F2R(Sig)", "1;0.8;100;0.06;100;0.04", "2;0.7;100;0.05;100;0.07"},
      error));
  data.SetKindHint("/x/table_IT_0003.txt");
  EXPECT_EQ(data.Kind(), tSimPlotData::tKind::individualTests);
  tSimPlotView view;
  view.SetData(data, 0.05);
  const QString svg = dir.filePath("rejection.svg");
  ASSERT_TRUE(view.SaveImage(svg, error)) << error.toStdString();
  QFile f(svg);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(f.readAll());
  QStringList labels;
  const QRegularExpression element("<text[^>]*>\\s*([^<]*?)\\s*</text>");
  for (auto it = element.globalMatch(text); it.hasNext();) labels << it.next().captured(1);
  for (const char* label : {"d", "Fd/F2R", "5% level", "Record", "Rejection rate"})
    EXPECT_TRUE(labels.contains(label)) << label;
  EXPECT_TRUE(view.SaveImage(dir.filePath("rejection.png"), error));
  EXPECT_FALSE(view.SaveImage(dir.filePath("none/rejection.png"), error));
}

// The study's question: coverage against n (of the file) or a column of the table,
// with each rate's Monte Carlo standard error, by family or one highlighted.
TEST(SimPlot, CoverageAgainstAnyParameterWithItsStandardError) {
  tSimPlotData data;
  QString error;
  // Records 1..3 with n 300, 100, 200: against n the points come sorted.
  ASSERT_TRUE(data.SetLines(
      {"Rec;n;d(n);d(cover);d(amp);R2a(n);R2a(cover);R2a(amp)",
       "1;300;1000;0.95;0.2;1000;0.9;0.3", "2;100;400;0.5;0.4;0;-999;-999",
       "3;200;1000;0.99;0.3;1000;0.92;0.33"},
      error))
      << error.toStdString();
  ASSERT_EQ(data.Methods().size(), 2u);
  EXPECT_NEAR(data.StandardError(0, data.Methods()[0]), 0.00689202437604511, 1e-12);
  EXPECT_DOUBLE_EQ(data.StandardError(1, data.Methods()[0]), 0.025);  // sqrt(.25/400)
  EXPECT_TRUE(std::isnan(data.StandardError(1, data.Methods()[1])));  // no valid sample

  tSimPlotView view;
  view.SetTableColumns({{"Prev", {0.1, 0.2, 0.3}}});
  view.SetData(data, 0.05);
  EXPECT_EQ(view.XBox()->count(), 3);  // Rec, n, then the table's Prev
  ASSERT_TRUE(view.SetX("N"));
  QLineSeries* d = view.MethodSeries()[0];
  ASSERT_EQ(d->count(), 3);
  EXPECT_EQ(d->at(0), QPointF(100, 0.5));
  EXPECT_EQ(d->at(2), QPointF(300, 0.95));
  // The band is one standard error either side of each point.
  ASSERT_EQ(view.Bands().size(), 2u);
  EXPECT_TRUE(view.Bands()[0]->isVisible());
  EXPECT_DOUBLE_EQ(view.Bands()[0]->upperSeries()->at(0).y(), 0.525);
  EXPECT_DOUBLE_EQ(view.Bands()[0]->lowerSeries()->at(0).y(), 0.475);
  view.SetPrecision(tPrecisionShow::bars);
  EXPECT_FALSE(view.Bands()[0]->isVisible());
  EXPECT_TRUE(view.ErrorBars()[0]->isVisible());
  EXPECT_FALSE(view.ErrorBars()[0]->path().isEmpty());
  ASSERT_TRUE(view.SetX("prev"));
  EXPECT_EQ(view.MethodSeries()[0]->at(1), QPointF(0.2, 0.5));
  EXPECT_FALSE(view.SetX("Oneg"));

  // Families: R2a is a ratio with the increment, d a difference without.
  view.SetFamily(tMethodFamily::differences);
  EXPECT_TRUE(view.MethodSeries()[0]->isVisible());
  EXPECT_FALSE(view.MethodSeries()[1]->isVisible());
  view.SetFamily(tMethodFamily::withIncrement);
  EXPECT_FALSE(view.MethodSeries()[0]->isVisible());
  EXPECT_TRUE(view.MethodSeries()[1]->isVisible());
  EXPECT_TRUE(InMethodFamily("F2Ra", tMethodFamily::fieller));
  EXPECT_TRUE(InMethodFamily("Fd/F2R", tMethodFamily::differences));
  EXPECT_FALSE(InMethodFamily("FdA", tMethodFamily::fieller));
  view.SetFamily(tMethodFamily::all);
  view.SetHighlight(1);
  EXPECT_GT(view.MethodSeries()[1]->pen().widthF(), view.MethodSeries()[0]->pen().widthF());
  EXPECT_LT(view.MethodSeries()[0]->pen().color().alphaF(), 0.5);
  view.Reset('\t', 0.05, "/data/table_IC_0002.txt");
  view.AddLine("Rec\tP\td(n)\td(cover)\td(amp)");
  // The axis chosen stays for the next run.
  EXPECT_EQ(view.ProposedFileName("png"), "/data/table_IC_0002_coverage_by_Prev.png");
}

// All 21 methods of a test run: every method has its own colour, since the legend
// shows colour boxes only (the chart theme alone repeats its colours after five),
// and the rate axis ticks at round values.
TEST(SimPlot, MethodsHaveTheirOwnPensAndTheAxisRoundTicks) {
  QStringList header = {"Rec", "Pa"};
  QStringList row1 = {"1", "0.8"}, row2 = {"2", "0.7"};
  for (int m = 0; m < 21; ++m) {
    header << QStringLiteral("m%1(n)").arg(m) << QStringLiteral("m%1(Sig)").arg(m);
    row1 << "1000" << QString::number(0.05 + 0.027 * m);
    row2 << "1000" << QString::number(0.31 - 0.013 * m);
  }
  tSimPlotData data;
  QString error;
  ASSERT_TRUE(data.SetLines({header.join(';'), row1.join(';'), row2.join(';')}, error))
      << error.toStdString();
  data.SetKindHint("/x/table_GT_0001.txt");
  tSimPlotView view;
  view.SetData(data, 0.05);
  ASSERT_EQ(view.MethodSeries().size(), 21u);
  QSet<QString> colours;
  for (const QLineSeries* s : view.MethodSeries()) colours << s->pen().color().name();
  EXPECT_EQ(colours.size(), 21);

  const auto* y = qobject_cast<QValueAxis*>(view.ValueChart()->axes(Qt::Vertical).first());
  ASSERT_TRUE(y);
  EXPECT_LE(y->min(), 0.0);
  EXPECT_GE(y->max(), 0.32);
  const double step = (y->max() - y->min()) / (y->tickCount() - 1);
  const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-12));
  EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
              std::abs(mantissa - 2.5) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
      << step;
  EXPECT_NEAR(std::remainder(y->max(), step), 0, 1e-9);
}

}  // namespace
}  // namespace kovalin::app
