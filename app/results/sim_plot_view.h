#pragma once

#include <QString>
#include <QWidget>
#include <string_view>
#include <utility>
#include <vector>

#include "app/results/sim_plot_data.h"

class QPushButton;
class QComboBox;
class QGraphicsPathItem;
class QTimer;

class QAreaSeries;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace kovalin::app {

// How the Monte Carlo standard error of each rate shows: not at all, as a band of
// one standard error either side of the line, or as error bars at the points.
enum class tPrecisionShow { none, band, bars };

// The "Plot" page of a simulation: for interval runs the coverage of each method
// with the nominal level, and the mean length; for test runs the rejection rate
// with the alpha level; against the record number or any parameter column. A
// click on a method in the legend hides or shows it; the methods can be shown by
// family or one highlighted. The same picture is written to PNG or SVG, also by
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
  // The standard-error bands of the methods, in the order of MethodSeries.
  const std::vector<QAreaSeries*>& Bands() const { return bands_; }
  // The error bars of the methods (one path each), in the same order.
  const std::vector<QGraphicsPathItem*>& ErrorBars() const { return bars_; }
  void SetMethodShown(int method, bool shown);

  // The choices of the picture, kept from one run to the next; the boxes above
  // the charts set them too. SetX is false for a column neither the file nor the
  // table has.
  bool SetX(const QString& column);
  void SetFamily(tMethodFamily family);
  void SetHighlight(int method);  // -1: none
  void SetPrecision(tPrecisionShow show);
  // The columns of the parameter table the run read, for the x axis.
  void SetTableColumns(std::vector<std::pair<QString, std::vector<double>>> columns);
  // A stopped run: records from `record` on were not run (0: all ran).
  void SetNotRunFrom(double record);
  // The picture's name: the output file's, with what is plotted against what.
  QString ProposedFileName(const QString& suffix) const;
  QComboBox* XBox() const { return xBox_; }
  QComboBox* FamilyBox() const { return familyBox_; }
  QComboBox* HighlightBox() const { return highlightBox_; }
  QComboBox* PrecisionBox() const { return precisionBox_; }

  // PNG or SVG by the name's extension; false with the reason.
  bool SaveImage(const QString& fileName, QString& error);
  void SavePngClick();
  void SaveSvgClick();

 private:
  // The save dialog for one picture format, then the picture.
  void AskAndSave(const QString& filter, const QString& suffix);
  void Build();
  void AddRecordPoints(int record);
  void RefreshPoints();
  void FitAxes();
  void UpdateBars();
  void ApplyVisibility();
  void ApplyPens();
  void FillBoxes();
  QString ValueTitle() const;

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
  std::vector<QAreaSeries*> bands_;
  std::vector<QGraphicsPathItem*> bars_;
  std::vector<bool> hidden_;  // hidden from the legend
  QString xName_ = "Rec";
  tMethodFamily family_ = tMethodFamily::all;
  QString highlight_;  // the label of the highlighted method
  tPrecisionShow precision_ = tPrecisionShow::band;
  double notRunFrom_ = 0;
  std::vector<std::pair<QString, std::vector<double>>> tableColumns_;
  QTimer* refresh_;
  QComboBox* xBox_;
  QComboBox* familyBox_;
  QComboBox* highlightBox_;
  QComboBox* precisionBox_;
  QPushButton* savePng_;
  QPushButton* saveSvg_;
};

}  // namespace kovalin::app
