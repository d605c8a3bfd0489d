#include "app/testing/scripted_questions.h"

#include <gtest/gtest.h>

namespace kovalin::app {

void tScriptedQuestions::AnswerNextFile(const QString& fileName, const QString& selectedFilter) {
  tFileAnswer answer;
  answer.accepted = true;
  answer.fileName = fileName;
  answer.selectedFilter = selectedFilter;
  fileAnswers_.enqueue(answer);
}

void tScriptedQuestions::CancelNextFile() { fileAnswers_.enqueue(tFileAnswer{}); }

tAnswer tScriptedQuestions::Show(const tMessage& message) {
  messages_.append(message);
  if (messageAnswers_.isEmpty()) {
    ADD_FAILURE() << "unanswered message box: " << message.caption.toStdString() << ": "
                  << message.text.toStdString();
    return message.escapeButton;
  }
  return messageAnswers_.dequeue();
}

tSavePromptAnswer tScriptedQuestions::AskSaveBeforeClose(const QString& text) {
  prompts_.append(text);
  if (promptAnswers_.isEmpty()) {
    ADD_FAILURE() << "unanswered save prompt: " << text.toStdString();
    return tSavePromptAnswer{};
  }
  return promptAnswers_.dequeue();
}

tFileAnswer tScriptedQuestions::NextFile(const tFileRequest& request) {
  fileRequests_.append(request);
  if (fileAnswers_.isEmpty()) {
    ADD_FAILURE() << "unanswered file dialog: " << request.caption.toStdString();
    return tFileAnswer{};
  }
  return fileAnswers_.dequeue();
}

tFileAnswer tScriptedQuestions::AskOpenFile(const tFileRequest& request) { return NextFile(request); }
tFileAnswer tScriptedQuestions::AskSaveFile(const tFileRequest& request) { return NextFile(request); }

void tScriptedQuestions::Reset() {
  messageAnswers_.clear();
  promptAnswers_.clear();
  fileAnswers_.clear();
  messages_.clear();
  prompts_.clear();
  fileRequests_.clear();
}

bool tScriptedQuestions::AllAnswersUsed() const {
  return messageAnswers_.isEmpty() && promptAnswers_.isEmpty() && fileAnswers_.isEmpty();
}

tScriptedQuestions& ScriptedQuestions() {
  return static_cast<tScriptedQuestions&>(Questions());
}

}  // namespace kovalin::app
