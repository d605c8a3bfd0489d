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
  Ask(kind, caption, text, {tAnswer::Ok}, tAnswer::Ok, tAnswer::Ok);
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

tAnswer Ask(tMessageKind kind, const QString& caption, const QString& text,
            const QList<tAnswer>& buttons, tAnswer defaultButton, tAnswer escapeButton) {
  tMessage message;
  message.kind = kind;
  message.caption = caption;
  message.text = text;
  message.buttons = buttons;
  message.defaultButton = defaultButton;
  message.escapeButton = escapeButton;
  return Questions().Show(message);
}

bool Confirm(const QString& caption, const QString& text) {
  return Ask(tMessageKind::Confirmation, caption, text, {tAnswer::Yes, tAnswer::No}, tAnswer::Yes,
             tAnswer::No) == tAnswer::Yes;
}

}  // namespace kovalin::app
