#pragma once

#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

#include "app/results/sim_plot_data.h"

class QPushButton;

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace kovalin::app {

// The "Plot" page of a simulation: for interval runs the coverage of each method
// by record with the nominal level, and the mean length by record; for test runs
// the rejection rate by record with the alpha level. A click on a method in the
// legend hides or shows it. The same picture is written to PNG or SVG, also by
// kovalin-plot without a window.
class tSimPlotView : public QWidget {
  Q_OBJECT
 public:
  explicit tSimPlotView(QWidget* parent = nullptr);

  // A new run: its delimiter, its alpha level and its output file (for the kind).
  void Reset(char delimiter, double alpha, const QString& fileName);
  // A line of the output page as the run writes it, the header first.
  void AddLine(std::string_view line);
  // A whole output file read back.
  void SetData(const tSimPlotData& data, double alpha);

  const tSimPlotData& Data() const { return data_; }
  QChart* ValueChart() const { return valueChart_; }
  QChart* LengthChart() const { return lengthChart_; }
  // The series of the methods in the value chart (the level line not counted).
  const std::vector<QLineSeries*>& MethodSeries() const { return valueSeries_; }
  void SetMethodShown(int method, bool shown);

  // PNG or SVG by the name's extension; false with the reason.
  bool SaveImage(const QString& fileName, QString& error);
  void SavePngClick();
  void SaveSvgClick();

 private:
  // The save dialog for one picture format, then the picture.
  void AskAndSave(const QString& filter, const QString& suffix);
  void Build();
  void AddRecordPoints(int record);
  void FitAxes();

  tSimPlotData data_;
  double alpha_ = 0.05;
  QString fileName_;
  bool broken_ = false;
  QWidget* charts_;
  QChartView* valueView_;
  QChartView* lengthView_;
  QChart* valueChart_;
  QChart* lengthChart_;
  std::vector<QLineSeries*> valueSeries_;
  std::vector<QLineSeries*> lengthSeries_;
  QLineSeries* levelSeries_ = nullptr;
  QPushButton* savePng_;
  QPushButton* saveSvg_;
};

}  // namespace kovalin::app
