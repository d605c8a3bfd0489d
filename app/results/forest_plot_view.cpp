#include "app/results/forest_plot_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include "app/shell/questions.h"
#include "engine/forest_svg.h"

namespace kovalin::app {

QSize ForestPlotSize(const tForestPlot& plot) { return {ForestPlotWidth(), ForestPlotHeight(plot)}; }

void PaintForestPlot(QPainter& painter, const QRectF& rect, const tForestPlot& plot) {
  QSvgRenderer renderer(QByteArray::fromStdString(ForestPlotSvg(plot)));
  renderer.render(&painter, rect);
}

bool SaveForestPlot(const tForestPlot& plot, const QString& fileName, QString& error) {
  const bool svg = fileName.endsWith(".svg", Qt::CaseInsensitive);
  if (!svg && !fileName.endsWith(".png", Qt::CaseInsensitive)) {
    error = QStringLiteral("%1: the picture's name must end in .svg or .png").arg(fileName);
    return false;
  }
  bool written = false;
  if (svg) {
    QSaveFile file(fileName);
    const QByteArray bytes = QByteArray::fromStdString(ForestPlotSvg(plot));
    written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  } else {
    const QSize size = ForestPlotSize(plot);
    QImage image(size * 2, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      PaintForestPlot(painter, QRectF(QPointF(0, 0), QSizeF(size * 2)), plot);
    }
    image.setDevicePixelRatio(2);
    written = image.save(fileName, "PNG");
  }
  if (!written) error = QStringLiteral("%1: the picture could not be written").arg(fileName);
  return written;
}

class tForestPlotPage::Canvas : public QWidget {
 public:
  explicit Canvas(tForestPlotPage* page) : QWidget(page), page_(page) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (const tForestPlot* plot = page_->Shown()) {
      PaintForestPlot(painter, QRectF(rect()), *plot);
    } else {
      painter.fillRect(rect(), Qt::white);
      painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No record of this analysis has results to plot."));
    }
  }

 private:
  tForestPlotPage* page_;
};

tForestPlotPage::tForestPlotPage(QWidget* parent) : QWidget(parent) {
  choice_ = new QComboBox(this);
  choice_->setAccessibleName(QStringLiteral("Record"));
  save_ = new QPushButton(QStringLiteral("Save picture..."), this);
  canvas_ = new Canvas(this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(canvas_);
  scroll->setWidgetResizable(false);
  auto* bar = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Record:"), this);
  label->setBuddy(choice_);
  bar->addWidget(label);
  bar->addWidget(choice_, 1);
  bar->addWidget(save_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(scroll, 1);
  connect(choice_, &QComboBox::currentIndexChanged, this, [this](int index) { ShowRecord(index); });
  connect(save_, &QPushButton::clicked, this, [this] { SavePictureClick(); });
  ShowRecord(-1);
}

void tForestPlotPage::SetRecords(std::vector<std::pair<QString, tForestPlot>> records) {
  records_ = std::move(records);
  const QSignalBlocker block(choice_);
  choice_->clear();
  for (const auto& [caption, plot] : records_) choice_->addItem(caption);
  ShowRecord(records_.empty() ? -1 : 0);
}

void tForestPlotPage::ShowRecord(int index) {
  if (index >= RecordCount()) index = RecordCount() - 1;
  if (choice_->currentIndex() != index) {
    const QSignalBlocker block(choice_);
    choice_->setCurrentIndex(index);
  }
  canvas_->resize(Shown() ? ForestPlotSize(*Shown()) : QSize(600, 200));
  save_->setEnabled(Shown() != nullptr);
  canvas_->update();
}

int tForestPlotPage::ShownRecord() const { return choice_->currentIndex(); }

const tForestPlot* tForestPlotPage::Shown() const {
  const int index = choice_->currentIndex();
  if (index < 0 || index >= RecordCount()) return nullptr;
  return &records_[static_cast<std::size_t>(index)].second;
}

void tForestPlotPage::SavePictureClick() {
  const tForestPlot* plot = Shown();
  if (!plot) return;
  tFileRequest request;
  request.caption = "Save plot";
  request.filter = "SVG image (*.svg);;PNG image (*.png)";
  request.defaultSuffix = "svg";
  const tFileAnswer answer = Questions().AskSaveFile(request);
  QString error;
  if (answer.accepted && !SaveForestPlot(*plot, answer.fileName, error)) ShowError("Kovalin", error);
}

}  // namespace kovalin::app
