#pragma once

#include <QList>
#include <QQueue>
#include <QString>

#include "app/shell/questions.h"

namespace kovalin::app {

// Answers given in advance, in order, and a record of every question asked.
// A question without an answer waiting fails the running test and gets the
// message's escape answer (Cancel for the prompt and the file dialogs).
class tScriptedQuestions : public tQuestions {
 public:
  void AnswerNext(tAnswer answer) { messageAnswers_.enqueue(answer); }
  void AnswerNextSavePrompt(tSavePromptAnswer answer) { promptAnswers_.enqueue(answer); }
  void AnswerNextFile(const QString& fileName, const QString& selectedFilter = {});
  void CancelNextFile();

  tAnswer Show(const tMessage& message) override;
  tSavePromptAnswer AskSaveBeforeClose(const QString& text) override;
  tFileAnswer AskOpenFile(const tFileRequest& request) override;
  tFileAnswer AskSaveFile(const tFileRequest& request) override;

  const QList<tMessage>& Messages() const { return messages_; }
  const QStringList& SavePrompts() const { return prompts_; }
  const QList<tFileRequest>& FileRequests() const { return fileRequests_; }
  // Forgets the record and every answer not used (call it at the start of a case).
  void Reset();
  bool AllAnswersUsed() const;

 private:
  tFileAnswer NextFile(const tFileRequest& request);

  QQueue<tAnswer> messageAnswers_;
  QQueue<tSavePromptAnswer> promptAnswers_;
  QQueue<tFileAnswer> fileAnswers_;
  QList<tMessage> messages_;
  QStringList prompts_;
  QList<tFileRequest> fileRequests_;
};

// The scripted questions of the test program (set by its main).
tScriptedQuestions& ScriptedQuestions();

}  // namespace kovalin::app
