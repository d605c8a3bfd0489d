#include "app/views/table_settings_dialog.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace kovalin::app {

TFTable_Settings::TFTable_Settings(QWidget* parent) : QDialog(parent) {
  setObjectName("FTable_Settings");
  setWindowTitle("Open or create data table");

  titleGroup_ = new QGroupBox("  Problem Title  ", this);
  title_ = new QLineEdit(titleGroup_);
  title_->setAccessibleName("Problem Title");
  (new QVBoxLayout(titleGroup_))->addWidget(title_);

  auto* fileGroup = new QGroupBox(" File ", this);
  openFile_ = new QRadioButton("Open file", fileGroup);
  newFile_ = new QRadioButton("New file", fileGroup);
  newFile_->setChecked(true);
  auto* fileLayout = new QHBoxLayout(fileGroup);
  fileLayout->addWidget(openFile_);
  fileLayout->addWidget(newFile_);

  formatGroup_ = new QGroupBox(" Input format", this);
  parameters_ = new QRadioButton("Parameters", formatGroup_);
  raw_ = new QRadioButton("Raw frequencies", formatGroup_);
  parameters_->setChecked(true);
  auto* formatLayout = new QHBoxLayout(formatGroup_);
  formatLayout->addWidget(parameters_);
  formatLayout->addWidget(raw_);

  parametrizationGroup_ = new QGroupBox(" Parametrization ", this);
  parametrization_ = new QListWidget(parametrizationGroup_);
  parametrization_->setAccessibleName("Parametrization");
  parametrization_->addItem("Predictive values, Odds ratios, Prevalence");
  parametrization_->addItem("Classification probabilities (Se, Sp), Prevalence");
  parametrization_->setCurrentRow(0);
  // Both choices whole, without scroll bars: the list is sized to its two items.
  parametrization_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  parametrization_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int frame = 2 * parametrization_->frameWidth();
  parametrization_->setFixedHeight(parametrization_->sizeHintForRow(0) + parametrization_->sizeHintForRow(1) + frame);
  parametrization_->setMinimumWidth(parametrization_->sizeHintForColumn(0) + frame + 8);
  (new QVBoxLayout(parametrizationGroup_))->addWidget(parametrization_);

  ok_ = new QPushButton("OK", this);
  ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);

  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleGroup_);
  layout->addWidget(fileGroup);
  layout->addWidget(formatGroup_);
  layout->addWidget(parametrizationGroup_);
  layout->addLayout(buttons);
  layout->addWidget(status_);

  for (QRadioButton* b : {openFile_, newFile_, parameters_, raw_}) {
    connect(b, &QRadioButton::toggled, this, &TFTable_Settings::UpdateEnabling);
  }
  connect(parametrization_, &QListWidget::itemSelectionChanged, this, &TFTable_Settings::UpdateEnabling);
  // The hints follow the mouse: over the title group, over OK, elsewhere none.
  setMouseTracking(true);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  UpdateEnabling();
}

void TFTable_Settings::UpdateEnabling() {
  const bool fileNew = newFile_->isChecked();
  formatGroup_->setEnabled(fileNew);
  parametrizationGroup_->setEnabled(fileNew && parameters_->isChecked());
  ok_->setEnabled(!parametrization_->selectedItems().isEmpty());
}

void TFTable_Settings::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateEnabling();
  QDialog::changeEvent(event);
}

bool TFTable_Settings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter) {
    QString hint;
    for (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && w != this; w = w->parentWidget()) {
      if (w == titleGroup_) hint = kTitleHint;
      if (w == ok_) hint = kOkHint;
    }
    status_->showMessage(hint);
  }
  return QDialog::eventFilter(watched, event);
}

QString TFTable_Settings::Hint() const { return status_->currentMessage(); }

tTableOption TFTable_Settings::Options() const {
  tTableOption option;
  option.title = title_->text().toStdString();
  option.FileNew = newFile_->isChecked();
  if (raw_->isChecked()) {
    option.InputType = itRawData;
  } else {
    option.InputType = parametrization_->currentRow() == 1 ? itParamsS : itParamsPV;
  }
  return option;
}

}  // namespace kovalin::app
