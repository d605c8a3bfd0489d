#pragma once

#include <QLabel>

namespace kovalin::app {

// An output label of the launcher that acts as a link: red text and a hand pointer while the pointer is
// over it, black again when it leaves; a click emits clicked().
class tOutputLabel : public QLabel {
  Q_OBJECT
 public:
  explicit tOutputLabel(const QString& text, QWidget* parent = nullptr);
  bool Highlighted() const { return highlighted_; }

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetHighlighted(bool on);
  bool highlighted_ = false;
};

}  // namespace kovalin::app
