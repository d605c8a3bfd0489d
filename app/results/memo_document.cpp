#include "app/results/memo_document.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kovalin::app {

int MemoLineCount(const QPlainTextEdit& memo) {
  const QTextDocument* doc = memo.document();
  if (doc->isEmpty()) return 0;
  return doc->blockCount();
}

QStringList MemoLines(const QPlainTextEdit& memo) {
  QStringList lines;
  const QTextDocument* doc = memo.document();
  if (doc->isEmpty()) return lines;
  lines.reserve(doc->blockCount());
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines << b.text();
  return lines;
}

tMemoDocument::tMemoDocument(QPlainTextEdit* memo, QObject* parent)
    : QObject(parent), memo_(memo) {
  flushTimer_.setSingleShot(true);
  flushTimer_.setInterval(0);
  connect(&flushTimer_, &QTimer::timeout, this, &tMemoDocument::Flush);
  connect(memo_->document(), &QTextDocument::contentsChanged, this, [this] {
    if (!flushing_) oneEmptyLine_ = false;
  });
}

void tMemoDocument::AppendLine(std::string_view line) {
  if (pendingLines_ > 0) pending_ += u'\n';
  pending_ += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  ++pendingLines_;
  if (pendingLines_ >= kBlockLines)
    Flush();
  else if (!flushTimer_.isActive())
    flushTimer_.start();
}

int tMemoDocument::LineCount() const {
  return (oneEmptyLine_ ? 1 : MemoLineCount(*memo_)) + pendingLines_;
}

void tMemoDocument::Flush() {
  flushTimer_.stop();
  if (pendingLines_ == 0) return;
  QScrollBar* bar = memo_->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  const bool wasEmpty = memo_->document()->isEmpty() && !oneEmptyLine_;
  flushing_ = true;
  QTextCursor cursor(memo_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  if (!wasEmpty) cursor.insertBlock();
  cursor.insertText(pending_);
  cursor.endEditBlock();
  flushing_ = false;
  oneEmptyLine_ = memo_->document()->isEmpty();
  pending_.clear();
  pendingLines_ = 0;
  // Follow the output as it grows unless the reader scrolled up.
  if (atEnd) bar->setValue(bar->maximum());
}

void tMemoDocument::Clear() {
  flushTimer_.stop();
  pending_.clear();
  pendingLines_ = 0;
  memo_->clear();
  oneEmptyLine_ = false;
}

QStringList tMemoDocument::Lines() {
  Flush();
  if (oneEmptyLine_) return {QString()};
  return MemoLines(*memo_);
}

void tMemoDocument::SetLines(const QStringList& lines) {
  flushTimer_.stop();
  pending_.clear();
  pendingLines_ = 0;
  memo_->setPlainText(lines.join(u'\n'));
  oneEmptyLine_ = lines.size() == 1 && lines[0].isEmpty();
}

}  // namespace kovalin::app
