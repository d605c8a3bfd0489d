#include "app/settings/options_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/settings/num_io2.h"
#include "engine/method_set.h"

namespace kovalin::app {

namespace {

// The decimals field accepts any short whole number while it is typed; a value
// outside 1 to 14 becomes 4 when the field is left.
class tDecimalsSpin : public QSpinBox {
 public:
  explicit tDecimalsSpin(QWidget* parent) : QSpinBox(parent) { setRange(1, 14); }

  QValidator::State validate(QString& input, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid) return state;
    const QString text = input.trimmed();
    bool whole = false;
    text.toInt(&whole);
    return whole && text.size() <= 3 ? QValidator::Intermediate : QValidator::Invalid;
  }
  void fixup(QString& input) const override {
    bool whole = false;
    const int value = input.trimmed().toInt(&whole);
    input = QString::number(DecimalsOnLeave(whole ? std::optional<int>(value) : std::nullopt));
  }
};

int DecimalsOf(const QSpinBox* field) {
  bool whole = false;
  const int value = field->cleanText().trimmed().toInt(&whole);
  return DecimalsOnLeave(whole ? std::optional<int>(value) : std::nullopt);
}

}  // namespace

TFMethods::TFMethods(QWidget* parent, tOptionsVariant variant) : QDialog(parent) {
  const tOptionsForm form = BeginOptionsDialog(variant);

  setWindowTitle("Options");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(BuildMethods());
  auto* lower = new QHBoxLayout;
  lower->addWidget(BuildParameters());
  lower->addWidget(BuildOutput());
  layout->addLayout(lower);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ok_ = new QPushButton("OK", this);
  ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);  // Escape rejects the dialog
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &TFMethods::accept);
  connect(cancel, &QPushButton::clicked, this, &TFMethods::reject);

  Show(form);
}

QWidget* TFMethods::BuildMethods() {
  auto* group = new QGroupBox("Methods", this);
  auto* layout = new QHBoxLayout(group);
  // Two columns, filled top to bottom.
  auto* list = new QGridLayout;
  const int rows = (kMethodCount + 1) / 2;
  for (int i = 0; i < kMethodCount; ++i) {
    auto* box = new QCheckBox(QString::fromStdString(MethodLabel(i + 1)), group);
    methods_.append(box);
    list->addWidget(box, i % rows, i / rows);
  }
  layout->addLayout(list);

  auto* column = new QVBoxLayout;
  const std::pair<tMethodButton, const char*> captions[] = {
      {tMethodButton::SelectAll, "Select all"}, {tMethodButton::ClearAll, "Clear all"},
      {tMethodButton::Invert, "Invert sel."},   {tMethodButton::D, "d"},
      {tMethodButton::R, "R"}};
  for (const auto& [button, caption] : captions) {
    auto* push = new QPushButton(caption, group);
    push->setAutoDefault(false);
    methodButtons_.append(push);
    connect(push, &QPushButton::clicked, this, [this, button] { Press(button); });
    column->addWidget(push);
  }
  column->addStretch();
  layout->addLayout(column);
  return group;
}

QWidget* TFMethods::BuildParameters() {
  auto* group = new QGroupBox("Parameters", this);
  auto* layout = new QGridLayout(group);
  layout->addWidget(new QLabel(QString::fromUtf8("\u03b5"), group), 0, 0);
  layout->addWidget(new QLabel("- correction", group), 0, 1);
  correction_ = new TNumIO2(group);
  correction_->setAccessibleName(QString::fromUtf8("\u03b5 - correction"));
  layout->addWidget(correction_, 0, 2, 1, 3);

  layout->addWidget(new QLabel(QString::fromUtf8("\u03b1"), group), 1, 0);
  layout->addWidget(new QLabel("level:", group), 1, 1);
  alpha010_ = new QRadioButton("0.10", group);
  alpha005_ = new QRadioButton("0.05", group);
  alpha001_ = new QRadioButton("0.01", group);
  alpha005_->setChecked(true);
  layout->addWidget(alpha010_, 1, 2);
  layout->addWidget(alpha005_, 1, 3);
  layout->addWidget(alpha001_, 1, 4);
  return group;
}

QWidget* TFMethods::BuildOutput() {
  auto* group = new QGroupBox("Output", this);
  auto* layout = new QGridLayout(group);
  auto* label = new QLabel("Decimal places:", group);
  decimals_ = new tDecimalsSpin(group);
  decimals_->setAccessibleName("Decimal places");
  label->setBuddy(decimals_);
  layout->addWidget(label, 0, 0);
  layout->addWidget(decimals_, 0, 1);
  fullOutput_ = new QCheckBox("Full output", group);
  layout->addWidget(fullOutput_, 1, 0, 1, 2);
  extendedOutput_ = new QCheckBox("Extended output", group);
  layout->addWidget(extendedOutput_, 2, 0, 1, 2);
  npvOutput_ = new QCheckBox("Negative predictive values (21 methods)", group);
  layout->addWidget(npvOutput_, 3, 0, 1, 2);
  return group;
}

void TFMethods::Show(const tOptionsForm& form) {
  for (int i = 0; i < kMethodCount; ++i) methods_[i]->setChecked(form.ticks[static_cast<std::size_t>(i)]);
  correction_->SetValue(form.epsilon);
  decimals_->setValue(form.decimals);
  fullOutput_->setEnabled(form.fullOutputEnabled);
  fullOutput_->setChecked(form.fullOutput);
  // Only an analysis prints the extended block: before a simulation the box shows
  // the setting but cannot change it.
  extendedOutput_->setEnabled(form.fullOutputEnabled);
  extendedOutput_->setChecked(form.extendedOutput);
  npvOutput_->setEnabled(form.fullOutputEnabled);
  npvOutput_->setChecked(form.npvOutput);
  AlphaButton(form.alpha)->setChecked(true);
}

tOptionsForm TFMethods::Form() const {
  tOptionsForm form;
  for (int i = 0; i < kMethodCount; ++i) form.ticks[static_cast<std::size_t>(i)] = methods_[i]->isChecked();
  form.epsilon = correction_->Value();
  form.decimals = DecimalsOf(decimals_);
  form.fullOutputEnabled = fullOutput_->isEnabled();
  form.fullOutput = fullOutput_->isChecked();
  form.extendedOutput = extendedOutput_->isChecked();
  form.npvOutput = npvOutput_->isChecked();
  form.alpha = alpha005_->isChecked()   ? tAlphaChoice::Alpha005
               : alpha001_->isChecked() ? tAlphaChoice::Alpha001
                                        : tAlphaChoice::Alpha010;
  return form;
}

void TFMethods::Press(tMethodButton button) {
  tOptionsForm form = Form();
  PressMethodButton(button, form.ticks);
  for (int i = 0; i < kMethodCount; ++i) methods_[i]->setChecked(form.ticks[static_cast<std::size_t>(i)]);
}

QPushButton* TFMethods::MethodButton(tMethodButton button) const {
  return methodButtons_[static_cast<int>(button)];
}

QRadioButton* TFMethods::AlphaButton(tAlphaChoice choice) const {
  switch (choice) {
    case tAlphaChoice::Alpha010: return alpha010_;
    case tAlphaChoice::Alpha001: return alpha001_;
    case tAlphaChoice::Alpha005: break;
  }
  return alpha005_;
}

void TFMethods::accept() {
  ConfirmOptionsDialog(Form());
  QDialog::accept();
}

}  // namespace kovalin::app
