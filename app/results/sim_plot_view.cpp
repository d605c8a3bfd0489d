#include "app/results/sim_plot_view.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

QChart* NewChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  // Below the chart: the legend of 21 methods wraps into rows there.
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setShowToolTips(true);  // a label cut short shows whole on hover
  chart->setAnimationOptions(QChart::NoAnimation);
  auto* x = new QValueAxis;
  x->setTitleText("Record");
  x->setLabelFormat("%d");
  auto* y = new QValueAxis;
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  return chart;
}

QValueAxis* Axis(QChart* chart, Qt::Orientation o) {
  const QList<QAbstractAxis*> axes = chart->axes(o);
  return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

QLineSeries* AddSeries(QChart* chart, const QString& name) {
  auto* s = new QLineSeries;
  s->setName(name);
  chart->addSeries(s);
  s->attachAxis(Axis(chart, Qt::Horizontal));
  s->attachAxis(Axis(chart, Qt::Vertical));
  return s;
}

// The chart theme has five colours, so methods 1 and 6 looked alike. The legend
// shows a colour box, not the line, so every one of the 21 methods gets a colour
// of its own (Kelly's colours of maximum contrast, with the tableau set); past the
// first ten the line is also dashed. The method's place gives its pen in both charts.
QPen MethodPen(std::size_t method) {
  static const QRgb kColours[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                                  0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf,
                                  0xf3c300, 0x875692, 0xa1caf1, 0xbe0032, 0xc2b280,
                                  0x008856, 0xf99379, 0x0067a5, 0x604e97, 0x882d17,
                                  0x2b3d26};
  constexpr std::size_t kColourCount = sizeof kColours / sizeof kColours[0];
  QPen pen{QColor(kColours[method % kColourCount])};
  pen.setWidthF(2);
  pen.setStyle(method < 10 ? Qt::SolidLine : Qt::DashLine);
  return pen;
}

QLineSeries* AddMethodSeries(QChart* chart, const QString& name, std::size_t method) {
  auto* s = new QLineSeries;
  s->setName(name);
  s->setPen(MethodPen(method));
  chart->addSeries(s);
  s->attachAxis(Axis(chart, Qt::Horizontal));
  s->attachAxis(Axis(chart, Qt::Vertical));
  return s;
}

void FitAxis(QChart* chart, const std::vector<QLineSeries*>& series, bool fromZero) {
  double xMin = 1, xMax = 1, yMin = fromZero ? 0 : 1, yMax = fromZero ? 0 : 0;
  bool any = false;
  for (const QLineSeries* s : series) {
    for (const QPointF& p : s->points()) {
      if (!any) {
        xMin = xMax = p.x();
        if (!fromZero) yMin = yMax = p.y();
        any = true;
      }
      xMin = std::min(xMin, p.x());
      xMax = std::max(xMax, p.x());
      yMin = std::min(yMin, p.y());
      yMax = std::max(yMax, p.y());
    }
  }
  if (xMax <= xMin) xMax = xMin + 1;
  // Records are whole numbers: ticks one or more records apart, at most about ten.
  QValueAxis* x = Axis(chart, Qt::Horizontal);
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(xMin);
  x->setTickInterval(std::max(1.0, std::ceil((xMax - xMin) / 10)));
  if (yMax <= yMin) yMax = yMin + (fromZero ? 1 : 0.05);
  const double pad = (yMax - yMin) * 0.05;
  x->setRange(xMin, xMax);
  Axis(chart, Qt::Vertical)->setRange(fromZero ? yMin : yMin - pad, yMax + pad);
}

// Ticks at round values (0.94, 0.95, ...) rather than at fifths of the data's
// span (0.9464, 0.9529, ...): a step of 1, 2, 2.5 or 5 times a power of ten that
// gives four to eight intervals, the range widened to whole steps, labels with
// as many decimals as the step needs.
void RoundTicks(QValueAxis* axis) {
  const double span = axis->max() - axis->min();
  if (!(span > 0) || !std::isfinite(span)) return;
  const double raw = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * power;
  for (double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * power >= raw) {
      step = m * power;
      break;
    }
  }
  const double low = std::floor(axis->min() / step + 1e-9) * step;
  const double high = std::ceil(axis->max() / step - 1e-9) * step;
  const double intervals = std::round((high - low) / step);
  if (!(intervals >= 1 && intervals <= 20)) return;
  axis->setRange(low, high);
  axis->setTickCount(static_cast<int>(intervals) + 1);
  int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  if (std::abs(std::round(step / power) - step / power) > 1e-9) ++decimals;  // 2.5
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

}  // namespace

tSimPlotView::tSimPlotView(QWidget* parent) : QWidget(parent) {
  charts_ = new QWidget(this);
  valueChart_ = NewChart(QString());
  lengthChart_ = NewChart("Mean length");
  valueView_ = new QChartView(valueChart_, charts_);
  lengthView_ = new QChartView(lengthChart_, charts_);
  for (QChartView* v : {valueView_, lengthView_}) v->setRenderHint(QPainter::Antialiasing);
  valueView_->setAccessibleName("Coverage or rejection plot");
  lengthView_->setAccessibleName("Mean length plot");
  auto* chartsLayout = new QVBoxLayout(charts_);
  chartsLayout->setContentsMargins(0, 0, 0, 0);
  chartsLayout->addWidget(valueView_, 1);
  chartsLayout->addWidget(lengthView_, 1);

  savePng_ = new QPushButton("Save as PNG...", this);
  saveSvg_ = new QPushButton("Save as SVG...", this);
  connect(savePng_, &QPushButton::clicked, this, &tSimPlotView::SavePngClick);
  connect(saveSvg_, &QPushButton::clicked, this, &tSimPlotView::SaveSvgClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(savePng_);
  buttons->addWidget(saveSvg_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(charts_, 1);
  layout->addLayout(buttons);
  lengthView_->setVisible(false);
}

void tSimPlotView::Reset(char delimiter, double alpha, const QString& fileName) {
  data_ = tSimPlotData(delimiter);
  alpha_ = alpha;
  fileName_ = fileName;
  broken_ = false;
  Build();
}

void tSimPlotView::AddLine(std::string_view line) {
  if (broken_) return;
  const bool hadHeader = !data_.Methods().empty();
  QString error;
  if (!data_.AddLine(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), error)) {
    broken_ = true;  // a page the user edited: the plot keeps what it has
    return;
  }
  if (!hadHeader) {
    data_.SetKindHint(fileName_);
    Build();
    return;
  }
  AddRecordPoints(data_.RecordCount() - 1);
  FitAxes();
}

void tSimPlotView::SetData(const tSimPlotData& data, double alpha) {
  data_ = data;
  alpha_ = alpha;
  Build();
  for (int r = 0; r < data_.RecordCount(); ++r) AddRecordPoints(r);
  FitAxes();
}

void tSimPlotView::Build() {
  for (QChart* chart : {valueChart_, lengthChart_}) chart->removeAllSeries();
  valueSeries_.clear();
  lengthSeries_.clear();
  levelSeries_ = nullptr;
  const bool intervals = data_.Intervals();
  valueChart_->setTitle(data_.Methods().empty()
                            ? QString()
                            : (intervals ? "Coverage" : "Rejection rate") + QString(" - ") +
                                  data_.KindCaption());
  Axis(valueChart_, Qt::Vertical)->setTitleText(intervals ? "Coverage" : "Rejection rate");
  Axis(lengthChart_, Qt::Vertical)->setTitleText("Mean length");
  lengthView_->setVisible(intervals);
  for (const tSimPlotData::tMethod& m : data_.Methods()) {
    const std::size_t i = valueSeries_.size();
    valueSeries_.push_back(AddMethodSeries(valueChart_, m.label, i));
    if (intervals) lengthSeries_.push_back(AddMethodSeries(lengthChart_, m.label, i));
  }
  if (data_.Methods().empty()) return;
  const double level = intervals ? 1 - alpha_ : alpha_;
  levelSeries_ = AddSeries(valueChart_, intervals ? QStringLiteral("Nominal %1").arg(level, 0, 'f', 3)
                                                  : QStringLiteral("%1% level").arg(100 * level));
  QPen pen(Qt::black);
  pen.setStyle(Qt::DashLine);
  pen.setWidthF(1.5);
  levelSeries_->setPen(pen);
  // A click on a method in either legend hides or shows it in both charts.
  for (QChart* chart : {valueChart_, lengthChart_}) {
    const QList<QLegendMarker*> markers = chart->legend()->markers();
    for (int i = 0; i < markers.size() && i < static_cast<int>(data_.Methods().size()); ++i) {
      connect(markers[i], &QLegendMarker::clicked, this,
              [this, i] { SetMethodShown(i, !valueSeries_[static_cast<std::size_t>(i)]->isVisible()); });
    }
  }
  FitAxes();
}

void tSimPlotView::SetMethodShown(int method, bool shown) {
  if (method < 0 || method >= static_cast<int>(valueSeries_.size())) return;
  const auto i = static_cast<std::size_t>(method);
  std::vector<QLineSeries*> both = {valueSeries_[i]};
  if (i < lengthSeries_.size()) both.push_back(lengthSeries_[i]);
  for (QLineSeries* s : both) {
    s->setVisible(shown);
    // A hidden method stays in the legend, greyed, so that it can be shown again.
    for (QChart* chart : {valueChart_, lengthChart_})
      for (QLegendMarker* marker : chart->legend()->markers(s)) {
        marker->setVisible(true);
        QColor c = marker->labelBrush().color();
        c.setAlphaF(shown ? 1.0 : 0.4);
        marker->setLabelBrush(c);
      }
  }
}

void tSimPlotView::AddRecordPoints(int record) {
  const double x = data_.RecordNumber(record);
  const auto& methods = data_.Methods();
  for (std::size_t i = 0; i < methods.size(); ++i) {
    const double v = data_.Value(record, methods[i].valueColumn);
    if (std::isfinite(v)) valueSeries_[i]->append(x, v);
    if (i < lengthSeries_.size()) {
      const double l = data_.Value(record, methods[i].lengthColumn);
      if (std::isfinite(l)) lengthSeries_[i]->append(x, l);
    }
  }
}

void tSimPlotView::FitAxes() {
  if (data_.Methods().empty()) return;
  FitAxis(valueChart_, valueSeries_, !data_.Intervals());
  if (data_.Intervals()) FitAxis(lengthChart_, lengthSeries_, true);
  if (levelSeries_) {
    const double level = data_.Intervals() ? 1 - alpha_ : alpha_;
    QValueAxis* x = Axis(valueChart_, Qt::Horizontal);
    levelSeries_->replace({QPointF(x->min(), level), QPointF(x->max(), level)});
    QValueAxis* y = Axis(valueChart_, Qt::Vertical);
    y->setRange(std::min(y->min(), level - 0.01), std::max(y->max(), level + 0.01));
  }
  RoundTicks(Axis(valueChart_, Qt::Vertical));
  if (data_.Intervals()) RoundTicks(Axis(lengthChart_, Qt::Vertical));
}

bool tSimPlotView::SaveImage(const QString& fileName, QString& error) {
  // A chart never laid out draws its labels elided: show it and let it settle.
  const bool wasVisible = isVisible();
  if (!wasVisible) {
    // Room for the legend of all 21 methods in one row below each chart.
    resize(1500, data_.Intervals() ? 1000 : 550);
    show();
  }
  layout()->activate();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  bool ok = true;
  if (fileName.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(charts_->size());
    svg.setViewBox(QRect(QPoint(0, 0), charts_->size()));
    svg.setTitle(valueChart_->title());
    QPainter painter;
    ok = painter.begin(&svg);
    if (ok) {
      charts_->render(&painter);
      ok = painter.end();
    }
  } else {
    ok = charts_->grab().save(fileName, "PNG");
  }
  if (!wasVisible) hide();
  if (!ok) error = fileName + ": the picture could not be written";
  return ok;
}

void tSimPlotView::AskAndSave(const QString& filter, const QString& suffix) {
  tFileRequest request;
  request.caption = "Save plot";
  request.filter = filter;
  request.defaultSuffix = suffix;
  const tFileAnswer answer = Questions().AskSaveFile(request);
  QString error;
  if (answer.accepted && !SaveImage(answer.fileName, error)) ShowError("Kovalin", error);
}

void tSimPlotView::SavePngClick() { AskAndSave("PNG image (*.png)", "png"); }

void tSimPlotView::SaveSvgClick() { AskAndSave("SVG image (*.svg)", "svg"); }

}  // namespace kovalin::app
