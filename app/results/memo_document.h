#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "engine/text_document.h"

class QPlainTextEdit;

namespace kovalin::app {

// The engine's text document over a memo. Lines are gathered and put into the
// memo in blocks (at the next turn of the event loop, or when a block is full),
// so a report of a hundred thousand lines costs a few layouts, not one per line.
class tMemoDocument : public QObject, public tTextDocument {
  Q_OBJECT
 public:
  explicit tMemoDocument(QPlainTextEdit* memo, QObject* parent = nullptr);

  void AppendLine(std::string_view line) override;
  int LineCount() const override;

  // Puts the gathered lines into the memo now.
  void Flush();
  // Empties the memo and forgets the gathered lines.
  void Clear();
  // Every line, gathered ones included.
  QStringList Lines();
  // Replaces the text with these lines.
  void SetLines(const QStringList& lines);
  QPlainTextEdit* Memo() const { return memo_; }

  static constexpr int kBlockLines = 4096;

 private:
  QPlainTextEdit* memo_;
  QString pending_;
  int pendingLines_ = 0;
  QTimer flushTimer_;
  // A memo whose only line is empty looks the same as an empty memo.
  bool oneEmptyLine_ = false;
  bool flushing_ = false;
};

// The lines of a memo (none when it is empty).
QStringList MemoLines(const QPlainTextEdit& memo);
int MemoLineCount(const QPlainTextEdit& memo);

}  // namespace kovalin::app
