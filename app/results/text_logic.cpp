#include "app/results/text_logic.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace kovalin::app {

QString ShortFileName(const QString& name) {
  if (name.size() <= 30) return name;
  return name.left(5) + "..." + name.right(23);
}

QString CaretPositionText(int line, int column) {
  return QStringLiteral("%1:%2").arg(line, 5).arg(column, 5);
}

QString ModifiedMarkText(bool modified) { return modified ? QStringLiteral("  *") : QString(); }

tEditorButtons EditorButtons(int lineCount, bool modified) {
  tEditorButtons b;
  b.clear = lineCount >= 1;
  b.save = modified && b.clear;
  return b;
}

QString DialogFilter(const QString& pipeFilter) {
  if (!pipeFilter.contains(u'|')) return pipeFilter;
  const QStringList parts = pipeFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString caption = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    // A caption that already shows its pattern keeps it; Qt reads the
    // patterns from the last parentheses.
    if (caption.contains(u'(') && caption.endsWith(u')'))
      filters << caption;
    else
      filters << caption + " (" + patterns + ")";
  }
  return filters.join(";;");
}

QString SuffixOf(const QString& fileName) {
  const qsizetype sep = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot <= sep) return {};
  return fileName.mid(dot + 1);
}

bool WantsRichText(const QString& fileName) { return fileName.toUpper().contains(".RTF"); }

bool LoadTextLines(const QString& fileName, QStringList& lines, QString& error) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    error = fileName + ": " + file.errorString();
    return false;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = fileName + ": " + file.errorString();
    return false;
  }
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  text.replace("\r\n", "\n");
  text.replace(u'\r', u'\n');
  if (text.endsWith(u'\n')) text.chop(1);
  lines = text.isEmpty() && bytes.isEmpty() ? QStringList() : text.split(u'\n');
  return true;
}

QByteArray RichTextOf(const QStringList& lines) {
  QByteArray rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
      "{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}\r\n\\f0\\fs20 ";
  for (const QString& line : lines) {
    for (const QChar c : line) {
      const char16_t u = c.unicode();
      if (u == u'\\' || u == u'{' || u == u'}') {
        rtf += '\\';
        rtf += static_cast<char>(u);
      } else if (u == u'\t') {
        rtf += "\\tab ";
      } else if (u >= 0x20 && u < 0x7F) {
        rtf += static_cast<char>(u);
      } else if (u < 0x20 || u == 0x7F) {
        rtf += ' ';  // other control characters have no place in a paragraph
      } else {
        // \uN takes a signed 16-bit number; "?" is what an old reader shows.
        // Surrogate pairs are written as two escapes, as RTF readers expect.
        rtf += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
      }
    }
    rtf += "\\par\r\n";
  }
  rtf += "}\r\n";
  return rtf;
}

bool SaveTextLines(const QString& fileName, const QStringList& lines, QString& error) {
  QByteArray bytes;
  if (WantsRichText(fileName)) {
    bytes = RichTextOf(lines);
  } else {
    for (const QString& line : lines) {
      bytes += line.toUtf8();
      bytes += "\r\n";
    }
  }
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    error = fileName + ": " + file.errorString();
    return false;
  }
  return true;
}

}  // namespace kovalin::app
