#include "app/shell/questions.h"

#include "app/shell/dialog_questions.h"

namespace kovalin::app {

namespace {
tQuestions* current = nullptr;
}  // namespace

tQuestions& Questions() {
  if (current != nullptr) return *current;
  static tDialogQuestions dialogs;
  return dialogs;
}

void SetQuestions(tQuestions* questions) { current = questions; }

static void ShowKind(tMessageKind kind, const QString& caption, const QString& text) {
  tMessage message;
  message.kind = kind;
  message.caption = caption;
  message.text = text;
  message.buttons = {tAnswer::Ok};
  message.defaultButton = tAnswer::Ok;
  message.escapeButton = tAnswer::Ok;
  Questions().Show(message);
}

void ShowError(const QString& caption, const QString& text) {
  ShowKind(tMessageKind::Error, caption, text);
}
void ShowWarning(const QString& caption, const QString& text) {
  ShowKind(tMessageKind::Warning, caption, text);
}
void ShowInformation(const QString& caption, const QString& text) {
  ShowKind(tMessageKind::Information, caption, text);
}

bool Confirm(const QString& caption, const QString& text) {
  tMessage message;
  message.kind = tMessageKind::Confirmation;
  message.caption = caption;
  message.text = text;
  message.buttons = {tAnswer::Yes, tAnswer::No};
  message.defaultButton = tAnswer::Yes;
  message.escapeButton = tAnswer::No;
  return Questions().Show(message) == tAnswer::Yes;
}

}  // namespace kovalin::app
