#include "app/results/sim_plot_view.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsPathItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
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

  // The choices above the charts.
  xBox_ = new QComboBox(this);
  xBox_->setAccessibleName("X axis:");
  familyBox_ = new QComboBox(this);
  familyBox_->setAccessibleName("Methods:");
  familyBox_->addItems(MethodFamilyNames());
  highlightBox_ = new QComboBox(this);
  highlightBox_->setAccessibleName("Highlight:");
  precisionBox_ = new QComboBox(this);
  precisionBox_->setAccessibleName("Standard error:");
  precisionBox_->addItems({"None", "Band", "Error bars"});
  precisionBox_->setCurrentIndex(static_cast<int>(precision_));
  precisionBox_->setToolTip("Monte Carlo standard error of each rate, sqrt(p(1-p)/N) over its "
                            "valid samples: one standard error either side");
  auto* choices = new QHBoxLayout;
  const std::pair<const char*, QComboBox*> boxes[] = {{"X axis:", xBox_},
                                                      {"Methods:", familyBox_},
                                                      {"Highlight:", highlightBox_},
                                                      {"Standard error:", precisionBox_}};
  for (const auto& [caption, box] : boxes) {
    choices->addWidget(new QLabel(caption, this));
    choices->addWidget(box);
  }
  choices->addStretch(1);
  connect(xBox_, &QComboBox::activated, this, [this] { SetX(xBox_->currentText()); });
  connect(familyBox_, &QComboBox::activated, this,
          [this](int i) { SetFamily(static_cast<tMethodFamily>(i)); });
  connect(highlightBox_, &QComboBox::activated, this, [this](int i) { SetHighlight(i - 1); });
  connect(precisionBox_, &QComboBox::activated, this,
          [this](int i) { SetPrecision(static_cast<tPrecisionShow>(i)); });

  savePng_ = new QPushButton("Save as PNG...", this);
  saveSvg_ = new QPushButton("Save as SVG...", this);
  connect(savePng_, &QPushButton::clicked, this, &tSimPlotView::SavePngClick);
  connect(saveSvg_, &QPushButton::clicked, this, &tSimPlotView::SaveSvgClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(savePng_);
  buttons->addWidget(saveSvg_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(charts_, 1);
  layout->addLayout(buttons);
  lengthView_->setVisible(false);

  // Points against another column than the record come in any order: they are
  // sorted again, at most a few times a second while a run adds lines.
  refresh_ = new QTimer(this);
  refresh_->setSingleShot(true);
  refresh_->setInterval(200);
  connect(refresh_, &QTimer::timeout, this, &tSimPlotView::RefreshPoints);
  connect(valueChart_, &QChart::plotAreaChanged, this, &tSimPlotView::UpdateBars);
}

void tSimPlotView::Reset(char delimiter, double alpha, const QString& fileName) {
  data_ = tSimPlotData(delimiter);
  alpha_ = alpha;
  fileName_ = fileName;
  broken_ = false;
  notRunFrom_ = 0;
  for (auto& [name, values] : tableColumns_) data_.AddTableColumn(name, values);
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
  if (data_.XName().compare("Rec", Qt::CaseInsensitive) == 0) {
    AddRecordPoints(data_.RecordCount() - 1);
    FitAxes();
  } else if (!refresh_->isActive()) {
    refresh_->start();
  }
}

void tSimPlotView::SetData(const tSimPlotData& data, double alpha) {
  data_ = data;
  alpha_ = alpha;
  for (auto& [name, values] : tableColumns_) data_.AddTableColumn(name, values);
  Build();
}

void tSimPlotView::SetTableColumns(std::vector<std::pair<QString, std::vector<double>>> columns) {
  tableColumns_ = std::move(columns);
  for (auto& [name, values] : tableColumns_) data_.AddTableColumn(name, values);
  FillBoxes();
}

QString tSimPlotView::ValueTitle() const {
  if (data_.Methods().empty()) return {};
  QString title = (data_.Intervals() ? "Coverage" : "Rejection rate") + QString(" - ") +
                  data_.KindCaption();
  if (notRunFrom_ > 0)
    title += QStringLiteral(" (stopped: records from %1 on not run)").arg(notRunFrom_);
  return title;
}

void tSimPlotView::Build() {
  refresh_->stop();
  for (QGraphicsPathItem* bar : bars_) delete bar;
  bars_.clear();
  for (QChart* chart : {valueChart_, lengthChart_}) chart->removeAllSeries();
  valueSeries_.clear();
  lengthSeries_.clear();
  bands_.clear();
  levelSeries_ = nullptr;
  // The x axis chosen before, when this file or table has that column.
  if (!data_.SetX(xName_)) data_.SetX("Rec");
  const bool intervals = data_.Intervals();
  valueChart_->setTitle(ValueTitle());
  Axis(valueChart_, Qt::Vertical)->setTitleText(intervals ? "Coverage" : "Rejection rate");
  Axis(lengthChart_, Qt::Vertical)->setTitleText("Mean length");
  const bool byRecord = data_.XName().compare("Rec", Qt::CaseInsensitive) == 0;
  for (QChart* chart : {valueChart_, lengthChart_}) {
    QValueAxis* x = Axis(chart, Qt::Horizontal);
    x->setTitleText(byRecord ? "Record" : data_.XName());
    x->setLabelFormat(byRecord ? "%d" : "%g");
  }
  lengthView_->setVisible(intervals);
  hidden_.assign(data_.Methods().size(), false);
  for (const tSimPlotData::tMethod& m : data_.Methods()) {
    const std::size_t i = valueSeries_.size();
    // The band first, so that the lines are drawn over it.
    auto* area = new QAreaSeries(new QLineSeries, new QLineSeries);
    area->upperSeries()->setParent(area);
    area->lowerSeries()->setParent(area);
    QColor fill = MethodPen(i).color();
    fill.setAlphaF(0.18);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    area->setName(m.label + " SE");
    valueChart_->addSeries(area);
    area->attachAxis(Axis(valueChart_, Qt::Horizontal));
    area->attachAxis(Axis(valueChart_, Qt::Vertical));
    bands_.push_back(area);
    valueSeries_.push_back(AddMethodSeries(valueChart_, m.label, i));
    if (intervals) lengthSeries_.push_back(AddMethodSeries(lengthChart_, m.label, i));
    auto* bar = new QGraphicsPathItem(valueChart_);
    QPen barPen = MethodPen(i);
    barPen.setStyle(Qt::SolidLine);
    barPen.setWidthF(1.2);
    bar->setPen(barPen);
    bar->setZValue(20);
    bars_.push_back(bar);
  }
  if (!data_.Methods().empty()) {
    const double level = intervals ? 1 - alpha_ : alpha_;
    levelSeries_ = AddSeries(valueChart_, intervals ? QStringLiteral("Nominal %1").arg(level, 0, 'f', 3)
                                                    : QStringLiteral("%1% level").arg(100 * level));
    QPen pen(Qt::black);
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.5);
    levelSeries_->setPen(pen);
    // A click on a method in either legend hides or shows it in both charts.
    for (std::size_t i = 0; i < valueSeries_.size(); ++i) {
      std::vector<QLineSeries*> both = {valueSeries_[i]};
      if (i < lengthSeries_.size()) both.push_back(lengthSeries_[i]);
      for (QLineSeries* s : both) {
        for (QChart* chart : {valueChart_, lengthChart_})
          for (QLegendMarker* marker : chart->legend()->markers(s))
            connect(marker, &QLegendMarker::clicked, this, [this, i] {
              SetMethodShown(static_cast<int>(i), hidden_[i]);
            });
      }
    }
  }
  FillBoxes();
  RefreshPoints();
}

void tSimPlotView::FillBoxes() {
  const QSignalBlocker blockX(xBox_), blockHighlight(highlightBox_), blockFamily(familyBox_);
  xBox_->clear();
  xBox_->addItems(data_.XChoices());
  xBox_->setCurrentText(data_.XName());
  highlightBox_->clear();
  highlightBox_->addItem("None");
  for (const tSimPlotData::tMethod& m : data_.Methods()) highlightBox_->addItem(m.label);
  highlightBox_->setCurrentText(highlight_.isEmpty() ? QStringLiteral("None") : highlight_);
  familyBox_->setCurrentIndex(static_cast<int>(family_));
}

bool tSimPlotView::SetX(const QString& column) {
  if (!data_.SetX(column)) return false;
  xName_ = data_.XName();
  Build();
  return true;
}

void tSimPlotView::SetFamily(tMethodFamily family) {
  family_ = family;
  const QSignalBlocker block(familyBox_);
  familyBox_->setCurrentIndex(static_cast<int>(family));
  ApplyVisibility();
  FitAxes();
}

void tSimPlotView::SetHighlight(int method) {
  const auto& methods = data_.Methods();
  highlight_ = method >= 0 && method < static_cast<int>(methods.size())
                   ? methods[static_cast<std::size_t>(method)].label
                   : QString();
  const QSignalBlocker block(highlightBox_);
  highlightBox_->setCurrentIndex(highlight_.isEmpty() ? 0 : method + 1);
  ApplyPens();
}

void tSimPlotView::SetPrecision(tPrecisionShow show) {
  precision_ = show;
  const QSignalBlocker block(precisionBox_);
  precisionBox_->setCurrentIndex(static_cast<int>(show));
  ApplyVisibility();
}

void tSimPlotView::SetNotRunFrom(double record) {
  notRunFrom_ = record;
  valueChart_->setTitle(ValueTitle());
}

QString tSimPlotView::ProposedFileName(const QString& suffix) const {
  const QFileInfo file(fileName_);
  QString base = fileName_.isEmpty() ? QStringLiteral("simulation") : file.completeBaseName();
  QString x = data_.XName().compare("Rec", Qt::CaseInsensitive) == 0 ? QStringLiteral("record")
                                                                       : data_.XName();
  x.replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
  base += (data_.Intervals() ? "_coverage_by_" : "_rejection_by_") + x;
  if (family_ != tMethodFamily::all) {
    static const char* kShort[] = {"all", "differences", "ratios", "fieller", "increment",
                                   "no_increment"};
    base += QString("_") + kShort[static_cast<int>(family_)];
  }
  const QString name = base + "." + suffix;
  return fileName_.isEmpty() ? name : file.dir().filePath(name);
}

void tSimPlotView::SetMethodShown(int method, bool shown) {
  if (method < 0 || method >= static_cast<int>(valueSeries_.size())) return;
  hidden_[static_cast<std::size_t>(method)] = !shown;
  ApplyVisibility();
  // The axes fit the methods left on show.
  FitAxes();
}

void tSimPlotView::ApplyVisibility() {
  const auto& methods = data_.Methods();
  for (std::size_t i = 0; i < valueSeries_.size(); ++i) {
    const bool inFamily = InMethodFamily(methods[i].label, family_);
    const bool shown = inFamily && !hidden_[i];
    std::vector<QLineSeries*> both = {valueSeries_[i]};
    if (i < lengthSeries_.size()) both.push_back(lengthSeries_[i]);
    for (QLineSeries* s : both) {
      s->setVisible(shown);
      // A method hidden by a click stays in the legend, greyed, so that it can be
      // shown again; one outside the family chosen leaves the legend.
      for (QChart* chart : {valueChart_, lengthChart_})
        for (QLegendMarker* marker : chart->legend()->markers(s)) {
          marker->setVisible(inFamily);
          QColor c = marker->labelBrush().color();
          c.setAlphaF(shown ? 1.0 : 0.4);
          marker->setLabelBrush(c);
        }
    }
    bands_[i]->setVisible(shown && precision_ == tPrecisionShow::band);
    for (QLegendMarker* marker : valueChart_->legend()->markers(bands_[i]))
      marker->setVisible(false);
    bars_[i]->setVisible(shown && precision_ == tPrecisionShow::bars);
  }
  ApplyPens();
  UpdateBars();
}

void tSimPlotView::ApplyPens() {
  const auto& methods = data_.Methods();
  for (std::size_t i = 0; i < valueSeries_.size(); ++i) {
    QPen pen = MethodPen(i);
    if (!highlight_.isEmpty()) {
      // One method stands out; the others stay as a faint background.
      if (methods[i].label == highlight_) {
        pen.setWidthF(4);
      } else {
        QColor c = pen.color();
        c.setAlphaF(0.25);
        pen.setColor(c);
      }
    }
    valueSeries_[i]->setPen(pen);
    if (i < lengthSeries_.size()) lengthSeries_[i]->setPen(pen);
  }
}

void tSimPlotView::AddRecordPoints(int record) {
  const double x = data_.X(record);
  if (!std::isfinite(x)) return;
  const auto& methods = data_.Methods();
  for (std::size_t i = 0; i < methods.size(); ++i) {
    const double v = data_.Value(record, methods[i].valueColumn);
    if (std::isfinite(v)) {
      valueSeries_[i]->append(x, v);
      double se = data_.StandardError(record, methods[i]);
      if (!std::isfinite(se)) se = 0;
      bands_[i]->upperSeries()->append(x, v + se);
      bands_[i]->lowerSeries()->append(x, v - se);
    }
    if (i < lengthSeries_.size()) {
      const double l = data_.Value(record, methods[i].lengthColumn);
      if (std::isfinite(l)) lengthSeries_[i]->append(x, l);
    }
  }
  UpdateBars();
}

void tSimPlotView::RefreshPoints() {
  // The records in the order of x (ties in record order), so that the lines run
  // from left to right whatever column is on the axis.
  std::vector<int> order;
  for (int r = 0; r < data_.RecordCount(); ++r)
    if (std::isfinite(data_.X(r))) order.push_back(r);
  std::stable_sort(order.begin(), order.end(),
                   [this](int a, int b) { return data_.X(a) < data_.X(b); });
  const auto& methods = data_.Methods();
  for (std::size_t i = 0; i < methods.size(); ++i) {
    QList<QPointF> values, upper, lower, lengths;
    for (int r : order) {
      const double x = data_.X(r);
      const double v = data_.Value(r, methods[i].valueColumn);
      if (std::isfinite(v)) {
        values.append({x, v});
        double se = data_.StandardError(r, methods[i]);
        if (!std::isfinite(se)) se = 0;
        upper.append({x, v + se});
        lower.append({x, v - se});
      }
      if (i < lengthSeries_.size()) {
        const double l = data_.Value(r, methods[i].lengthColumn);
        if (std::isfinite(l)) lengths.append({x, l});
      }
    }
    valueSeries_[i]->replace(values);
    bands_[i]->upperSeries()->replace(upper);
    bands_[i]->lowerSeries()->replace(lower);
    if (i < lengthSeries_.size()) lengthSeries_[i]->replace(lengths);
  }
  ApplyVisibility();
  FitAxes();
}

void tSimPlotView::UpdateBars() {
  for (std::size_t i = 0; i < bars_.size(); ++i) {
    QPainterPath path;
    if (bars_[i]->isVisible()) {
      const QList<QPointF> up = bands_[i]->upperSeries()->points();
      const QList<QPointF> low = bands_[i]->lowerSeries()->points();
      for (qsizetype k = 0; k < up.size() && k < low.size(); ++k) {
        const QPointF top = valueChart_->mapToPosition(up[k], valueSeries_[i]);
        const QPointF bottom = valueChart_->mapToPosition(low[k], valueSeries_[i]);
        path.moveTo(top);
        path.lineTo(bottom);
        path.moveTo(top - QPointF(3, 0));
        path.lineTo(top + QPointF(3, 0));
        path.moveTo(bottom - QPointF(3, 0));
        path.lineTo(bottom + QPointF(3, 0));
      }
    }
    bars_[i]->setPath(path);
  }
}

void tSimPlotView::FitAxes() {
  if (data_.Methods().empty()) return;
  // The axes fit the methods shown, with their standard errors.
  std::vector<QLineSeries*> shown, shownLengths;
  for (std::size_t i = 0; i < valueSeries_.size(); ++i) {
    if (!valueSeries_[i]->isVisible()) continue;
    shown.push_back(valueSeries_[i]);
    if (precision_ != tPrecisionShow::none) {
      shown.push_back(bands_[i]->upperSeries());
      shown.push_back(bands_[i]->lowerSeries());
    }
    if (i < lengthSeries_.size()) shownLengths.push_back(lengthSeries_[i]);
  }
  if (shown.empty()) shown = valueSeries_;
  if (shownLengths.empty()) shownLengths = lengthSeries_;
  FitAxis(valueChart_, shown, !data_.Intervals());
  if (data_.Intervals()) FitAxis(lengthChart_, shownLengths, true);
  if (levelSeries_) {
    const double level = data_.Intervals() ? 1 - alpha_ : alpha_;
    QValueAxis* x = Axis(valueChart_, Qt::Horizontal);
    levelSeries_->replace({QPointF(x->min(), level), QPointF(x->max(), level)});
    QValueAxis* y = Axis(valueChart_, Qt::Vertical);
    y->setRange(std::min(y->min(), level - 0.01), std::max(y->max(), level + 0.01));
  }
  RoundTicks(Axis(valueChart_, Qt::Vertical));
  if (data_.Intervals()) RoundTicks(Axis(lengthChart_, Qt::Vertical));
  if (data_.XName().compare("Rec", Qt::CaseInsensitive) != 0) {
    // A parameter axis ticks at round values, as the rates do.
    for (QChart* chart : {valueChart_, lengthChart_}) {
      QValueAxis* x = Axis(chart, Qt::Horizontal);
      x->setTickType(QValueAxis::TicksFixed);
      RoundTicks(x);
    }
    levelSeries_->replace({QPointF(Axis(valueChart_, Qt::Horizontal)->min(),
                                   levelSeries_->at(0).y()),
                           QPointF(Axis(valueChart_, Qt::Horizontal)->max(),
                                   levelSeries_->at(0).y())});
  }
  UpdateBars();
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
  request.proposedName = ProposedFileName(suffix);
  request.filter = filter;
  request.defaultSuffix = suffix;
  const tFileAnswer answer = Questions().AskSaveFile(request);
  QString error;
  if (answer.accepted && !SaveImage(answer.fileName, error)) ShowError("Kovalin", error);
}

void tSimPlotView::SavePngClick() { AskAndSave("PNG image (*.png)", "png"); }

void tSimPlotView::SaveSvgClick() { AskAndSave("SVG image (*.svg)", "svg"); }

}  // namespace kovalin::app
