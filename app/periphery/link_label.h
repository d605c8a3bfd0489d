#pragma once

#include <QColor>
#include <QLabel>

namespace kovalin::app {

// Gives a widget's text one colour normally and another while the pointer is over it.
void SetHoverColours(QWidget* widget, const QColor& normal, const QColor& hover);

inline const QColor kLinkColour{0x00, 0x00, 0x80};       // navy
inline const QColor kLinkHoverColour{0x8B, 0x00, 0x00};  // dark red

// A text that acts as a link: hover colours, a hand pointer, and Clicked on a left click
// or, with the keyboard focus, on Enter or Space. Its text is always plain text.
class tLinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit tLinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kovalin::app
