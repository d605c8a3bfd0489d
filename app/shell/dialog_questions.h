#pragma once

#include "app/shell/questions.h"

class QWidget;

namespace kovalin::app {

// The real dialogs: QMessageBox, the save prompt and QFileDialog, over the window
// that is active when the question is asked.
class tDialogQuestions : public tQuestions {
 public:
  tAnswer Show(const tMessage& message) override;
  tSavePromptAnswer AskSaveBeforeClose(const QString& text) override;
  tFileAnswer AskOpenFile(const tFileRequest& request) override;
  tFileAnswer AskSaveFile(const tFileRequest& request) override;
};

}  // namespace kovalin::app
