#include <gtest/gtest.h>

#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

TEST(Questions, ShorthandsReachTheScriptedAnswers) {
  tScriptedQuestions& questions = ScriptedQuestions();
  questions.Reset();
  questions.AnswerNext(tAnswer::No);
  EXPECT_FALSE(Confirm("Kovalin", "Delete branch?"));
  ASSERT_EQ(questions.Messages().size(), 1);
  EXPECT_EQ(questions.Messages()[0].kind, tMessageKind::Confirmation);
  EXPECT_EQ(questions.Messages()[0].defaultButton, tAnswer::Yes);
  EXPECT_EQ(questions.Messages()[0].escapeButton, tAnswer::No);
  EXPECT_TRUE(questions.AllAnswersUsed());
}

}  // namespace
}  // namespace kovalin::app
