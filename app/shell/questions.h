#pragma once

#include <QString>
#include <QStringList>

namespace kovalin::app {

// Every question the desktop asks a user goes through this interface: message boxes,
// the save prompt of a closing document and the file dialogs. The program shows the
// real dialogs; tests answer in advance, so no test ever waits on a modal window.

enum class tMessageKind { Error, Warning, Information, Confirmation };

enum class tAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct tMessage {
  tMessageKind kind = tMessageKind::Information;
  QString caption;
  QString text;
  // The buttons in the order shown; Ok alone when empty.
  QList<tAnswer> buttons;
  tAnswer defaultButton = tAnswer::Ok;
  // The answer of the Escape key and of the close box.
  tAnswer escapeButton = tAnswer::Cancel;
};

// The save prompt of a modified document that is about to close.
enum class tSavePromptChoice { SaveAndClose, Discard, Cancel };
struct tSavePromptAnswer {
  tSavePromptChoice choice = tSavePromptChoice::Cancel;
  bool dontAskAgain = false;
};

struct tFileRequest {
  QString caption;
  QString directory;
  QString proposedName;
  // Qt filter text ("Text files (*.txt);;All files (*)"), and the one selected first.
  QString filter;
  QString selectedFilter;
  // Added to a typed name without an extension, without its point ("txt").
  QString defaultSuffix;
};

struct tFileAnswer {
  bool accepted = false;
  QString fileName;
  QString selectedFilter;
};

class tQuestions {
 public:
  virtual ~tQuestions() = default;
  virtual tAnswer Show(const tMessage& message) = 0;
  // `text` is the prompt's whole text (the file or window name, a line break, the question).
  virtual tSavePromptAnswer AskSaveBeforeClose(const QString& text) = 0;
  virtual tFileAnswer AskOpenFile(const tFileRequest& request) = 0;
  virtual tFileAnswer AskSaveFile(const tFileRequest& request) = 0;
};

// The process-wide questions: the real dialogs unless a test set others.
tQuestions& Questions();
// Sets the questions to use (not owned); nullptr returns to the real dialogs.
void SetQuestions(tQuestions* questions);

// Shorthands for the usual message boxes.
void ShowError(const QString& caption, const QString& text);
void ShowWarning(const QString& caption, const QString& text);
void ShowInformation(const QString& caption, const QString& text);
// Yes/No with Yes as default; true for Yes.
bool Confirm(const QString& caption, const QString& text);
// A message box of the given kind and buttons; the answer chosen.
tAnswer Ask(tMessageKind kind, const QString& caption, const QString& text,
            const QList<tAnswer>& buttons, tAnswer defaultButton, tAnswer escapeButton);

}  // namespace kovalin::app
