#pragma once

#include <QLineEdit>

namespace kovalin::app {

// Real number input shown with four fixed decimals. Only keystrokes that keep the
// text a real number are taken; a value outside 0 to 1 is drawn in warning colours
// (red text on a warning background) and still given by Value().
class TNumIO2 : public QLineEdit {
  Q_OBJECT

 public:
  explicit TNumIO2(QWidget* parent = nullptr);

  void SetValue(double value);
  // The number in the field; while the text is on its way to one ("", "-", "."),
  // the last number it held.
  double Value() const { return value_; }
  bool Warning() const { return warning_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void TextChanged(const QString& text);

  double value_ = 0;
  bool warning_ = false;
};

}  // namespace kovalin::app
