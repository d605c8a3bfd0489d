#include "app/settings/settings_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/settings/settings_state.h"

namespace kovalin::app {

namespace {

constexpr char kTagProperty[] = "kovalinTag";

int TagOf(const QObject* object) { return object->property(kTagProperty).toInt(); }

void SetTag(QWidget* widget, int tag) { widget->setProperty(kTagProperty, tag); }

std::optional<std::int32_t> ValueOf(const QLineEdit* field) {
  return SettingsFieldValue(field->text().toStdString(), TagOf(field));
}

}  // namespace

TForm_Orsino_Cnf::TForm_Orsino_Cnf(QWidget* parent, tSettingsStore& store)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      store_(store) {
  setWindowTitle("Settings");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* numerical = new QGroupBox("Numerical procedures", this);
  auto* numericalLayout = new QGridLayout(numerical);
  numericalLayout->addWidget(new QLabel("Iterations:", numerical), 0, 0);
  iterations_ = AddField(numerical, kTagIterations);
  numericalLayout->addWidget(iterations_, 0, 1, 1, 2, Qt::AlignRight);
  numericalLayout->addWidget(new QLabel("Tolerance:", numerical), 1, 0);
  auto* prefix = new QLineEdit("1.0E-", numerical);
  prefix->setReadOnly(true);
  prefix->setFocusPolicy(Qt::NoFocus);
  prefix->setMaximumWidth(prefix->fontMetrics().horizontalAdvance("1.0E-00"));
  SetTag(prefix, kTagTolerance);
  tolerance_ = AddField(numerical, kTagTolerance);
  auto* toleranceLine = new QHBoxLayout;
  toleranceLine->setSpacing(0);
  toleranceLine->addStretch();
  toleranceLine->addWidget(prefix);
  toleranceLine->addWidget(tolerance_);
  numericalLayout->addLayout(toleranceLine, 1, 1, 1, 2);
  layout->addWidget(numerical);

  auto* output = new QGroupBox("Output", this);
  auto* outputLayout = new QGridLayout(output);
  outputLayout->addWidget(new QLabel("Decimal places:", output), 0, 0);
  decimals_ = AddField(output, kTagDecimals);
  outputLayout->addWidget(decimals_, 0, 1, Qt::AlignRight);
  richText_ = new QCheckBox("RTF document", output);
  richText_->setChecked(true);
  SetTag(richText_, kTagRichText);
  outputLayout->addWidget(richText_, 1, 0, 1, 2);
  layout->addWidget(output);

  auto* versions = new QGroupBox("New Versions", this);
  auto* versionsLayout = new QVBoxLayout(versions);
  version_ = new QCheckBox("check automatically for a new version when Mirelda is launched", versions);
  versionsLayout->addWidget(version_);
  layout->addWidget(versions);

  setAsDefault_ = new QCheckBox("Set as default options", this);
  layout->addWidget(setAsDefault_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ok_ = new QPushButton("OK", this);
  ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  auto* statusLine = new QStatusBar(this);
  statusLine->setSizeGripEnabled(false);
  status_ = new QLabel(statusLine);
  statusLine->addWidget(status_, 1);
  layout->addWidget(statusLine);

  // The initial texts of the form; the record replaces them below.
  iterations_->setText("1000");
  tolerance_->setText("12");
  decimals_->setText("4");

  connect(ok_, &QPushButton::clicked, this, &TForm_Orsino_Cnf::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_Orsino_Cnf::reject);
  // Asking for the version check is worth keeping: it asks to store the settings too.
  connect(version_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) setAsDefault_->setChecked(true);
  });

  if (SetAsDefaultStartsTicked(ReloadSettings(store_))) setAsDefault_->setChecked(true);
  iterations_->setText(QString::number(ProgramSettings.Iterations));
  tolerance_->setText(QString::number(ProgramSettings.Tolerance));
  decimals_->setText(QString::number(ProgramSettings.Decimals));
  richText_->setChecked(ProgramSettings.RTFDocument != 0);
  version_->setChecked(ProgramSettings.CheckNewVersion != 0);
  status_->clear();
  WatchTags();
  ok_->setFocus();
}

QLineEdit* TForm_Orsino_Cnf::AddField(QWidget* group, int tag) {
  auto* field = new QLineEdit(group);
  SetTag(field, tag);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance("0000000000000"));
  static const char* const names[] = {"", "Iterations", "Tolerance", "Decimal places"};
  field->setAccessibleName(names[tag]);
  connect(field, &QLineEdit::textChanged, this, [this, field] { FieldEdited(field); });
  return field;
}

void TForm_Orsino_Cnf::WatchTags() {
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

QLineEdit* TForm_Orsino_Cnf::Field(int tag) const {
  switch (tag) {
    case kTagIterations: return iterations_;
    case kTagTolerance: return tolerance_;
    case kTagDecimals: return decimals_;
    default: return nullptr;
  }
}

QString TForm_Orsino_Cnf::StatusText() const { return status_->text(); }

void TForm_Orsino_Cnf::ShowStatus(int tag) {
  status_->clear();
  status_->setText(QString::fromStdString(SettingsStatusText(tag)));
}

void TForm_Orsino_Cnf::FieldEdited(QLineEdit* field) {
  ShowStatus(TagOf(field));
  ok_->setEnabled(ValueOf(field).has_value());
}

bool TForm_Orsino_Cnf::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
    if (watched->isWidgetType()) ShowStatus(TagOf(watched));
  } else if (event->type() == QEvent::FocusOut) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (field != nullptr && Field(TagOf(field)) == field &&
        reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      const bool valid = ValueOf(field).has_value();
      ok_->setEnabled(valid);
      if (!valid) QTimer::singleShot(0, field, [field] { field->setFocus(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm_Orsino_Cnf::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(shown->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TForm_Orsino_Cnf::accept() {
  // Every field must hold a whole number in range: the OK button reflects only the
  // field edited last, and nothing half-valid may reach the record or the store.
  tSettingsRec values = ProgramSettings;
  for (const int tag : {kTagIterations, kTagTolerance, kTagDecimals}) {
    QLineEdit* field = Field(tag);
    const std::optional<std::int32_t> value = ValueOf(field);
    if (!value) {
      field->setFocus();
      field->selectAll();
      ShowStatus(tag);
      ok_->setEnabled(false);
      return;
    }
    if (tag == kTagIterations) values.Iterations = *value;
    if (tag == kTagTolerance) values.Tolerance = *value;
    if (tag == kTagDecimals) values.Decimals = *value;
  }
  values.RTFDocument = richText_->isChecked() ? 1 : 0;
  values.CheckNewVersion = version_->isChecked() ? 1 : 0;
  ConfirmSettings(values, setAsDefault_->isChecked(), store_);
  QDialog::accept();
}

}  // namespace kovalin::app
