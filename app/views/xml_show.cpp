#include "app/views/xml_show.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kovalin::app {

TXML_Show::TXML_Show(const QString& caption, const QString& xml, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("XML_Show");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setAccessibleName("XML text");
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The file's CR LF line ends would show as blank lines.
  text_->setPlainText(QString(xml).remove('\r'));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(480, 520);
}

QString TXML_Show::Text() const { return text_->toPlainText(); }

}  // namespace kovalin::app
