#pragma once

#include <QString>
#include <QStringList>

namespace kovalin::app {

// The text rules of a results page that need no window: names shown in the
// status line, which tool buttons show, and reading and writing the lines.

// A name of up to 30 characters whole; a longer one as its first 5 characters,
// "..." and its last 23.
QString ShortFileName(const QString& name);

// "    3:   12": caret line and column, both from 1, each in five characters.
QString CaretPositionText(int line, int column);

// The second status panel: "  *" while the text is modified.
QString ModifiedMarkText(bool modified);

// The clear button shows while the memo holds a line; the save button only
// while it shows and the text is modified.
struct tEditorButtons {
  bool clear = false;
  bool save = false;
};
tEditorButtons EditorButtons(int lineCount, bool modified);

// A bound name may be a mask ("*.txt") rather than a file.
inline bool IsFileMask(const QString& name) { return name.contains(u'*'); }

// A filter written "Text (*.txt)|*.txt|All (*.*)|*.*" (pairs of caption and
// pattern) or a bare mask ("*.txt") as a file dialog's filter.
QString DialogFilter(const QString& pipeFilter);
// The extension of a name without its point ("" when it has none).
QString SuffixOf(const QString& fileName);

// Rich text rather than plain: the name, in capitals, contains ".RTF".
bool WantsRichText(const QString& fileName);

// The lines of a text file: UTF-8 (a byte-order mark is dropped), 8-bit text
// that is not valid UTF-8 as Latin-1; CR LF, LF and CR all end a line.
bool LoadTextLines(const QString& fileName, QStringList& lines, QString& error);

// Writes the lines as rich text or plain text (UTF-8, CR LF after every line),
// replacing the file whole. False, with the file name and the reason, on failure.
bool SaveTextLines(const QString& fileName, const QStringList& lines, QString& error);

// An RTF document in one fixed-pitch font with a paragraph per line: "\", "{"
// and "}" escaped, tabs as \tab, other characters beyond ASCII as \uN? escapes.
QByteArray RichTextOf(const QStringList& lines);

}  // namespace kovalin::app
