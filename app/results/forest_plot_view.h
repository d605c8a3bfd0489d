#pragma once

#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "engine/forest_data.h"

class QComboBox;
class QPainter;
class QPushButton;

namespace kovalin::app {

// Paints a forest plot into rect: the picture of ForestPlotSvg, so that the
// page, the PNG and the SVG files (also those of kovalin-cli) are one drawing.
void PaintForestPlot(QPainter& painter, const QRectF& rect, const tForestPlot& plot);

// The size a forest plot needs to show every line legibly.
QSize ForestPlotSize(const tForestPlot& plot);

// Writes the plot as SVG or PNG by the name's extension; false with the reason.
bool SaveForestPlot(const tForestPlot& plot, const QString& fileName, QString& error);

// The "Plot" page of an analysis: a choice of the record and its forest plot.
class tForestPlotPage : public QWidget {
  Q_OBJECT
 public:
  explicit tForestPlotPage(QWidget* parent = nullptr);

  // One entry per analysed record that has results: its caption and its plot.
  void SetRecords(std::vector<std::pair<QString, tForestPlot>> records);
  int RecordCount() const { return static_cast<int>(records_.size()); }
  void ShowRecord(int index);
  int ShownRecord() const;
  const tForestPlot* Shown() const;
  QComboBox* RecordChoice() const { return choice_; }

  void SavePictureClick();

 private:
  class Canvas;
  std::vector<std::pair<QString, tForestPlot>> records_;
  QComboBox* choice_;
  Canvas* canvas_;
  QPushButton* save_;
};

}  // namespace kovalin::app
