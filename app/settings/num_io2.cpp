#include "app/settings/num_io2.h"

#include <QPalette>
#include <QValidator>

#include "app/settings/options_logic.h"
#include "app/settings/settings_record.h"

namespace kovalin::app {

namespace {

class tRealValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    const std::string text = input.toStdString();
    if (!KeepsRealNumber(text)) return Invalid;
    return ParseNumberText(text) ? Acceptable : Intermediate;
  }
};

}  // namespace

TNumIO2::TNumIO2(QWidget* parent) : QLineEdit(parent) {
  setValidator(new tRealValidator(this));
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::textChanged, this, &TNumIO2::TextChanged);
  SetValue(0.05);
}

void TNumIO2::SetValue(double value) {
  setText(QString::fromStdString(CorrectionText(value)));
  value_ = value;
}

void TNumIO2::TextChanged(const QString& text) {
  if (const std::optional<double> number = ParseNumberText(text.toStdString())) value_ = *number;
  const bool warning = !CorrectionInRange(value_);
  if (warning == warning_) return;
  warning_ = warning;
  QPalette colours = palette();
  if (warning_) {
    colours.setColor(QPalette::Text, Qt::red);
    colours.setColor(QPalette::Base, QColor(255, 255, 192));
  } else {
    colours = QPalette();
  }
  setPalette(colours);
}

void TNumIO2::focusOutEvent(QFocusEvent* event) {
  // Back to the four-decimal form once the typing is done.
  const int cursor = cursorPosition();
  SetValue(value_);
  setCursorPosition(cursor);
  QLineEdit::focusOutEvent(event);
}

}  // namespace kovalin::app
