#include <gtest/gtest.h>

#include "app/shell/tests/plain_document.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

class ClosePrompt : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    AskOnClose = true;
    document.SetCaption("Table 1");
    document.StatusModificado = true;
  }
  void TearDown() override {
    EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
    AskOnClose = true;
  }
  tScriptedQuestions& questions = ScriptedQuestions();
  tPlainDocument document;
};

TEST(FileName, NotAvailableClearsAndFullPathSplits) {
  tPlainDocument document;
  document.setFileFullName("/home/ana/data/study.v2.mrd");
  EXPECT_EQ(document.pFileFullName, "/home/ana/data/study.v2.mrd");
  EXPECT_EQ(document.pFilePath, "/home/ana/data/");
  EXPECT_EQ(document.pFileName, "study.v2.mrd");
  EXPECT_EQ(document.pFileNameNoExt, "study.v2");
  EXPECT_EQ(document.pfileExt, ".mrd");
  for (const char* none : {"N/A", "?", ""}) {
    document.setFileFullName("/x/y.txt");
    document.setFileFullName(none);
    EXPECT_TRUE(document.pFileName.isEmpty() && document.pFileFullName.isEmpty() &&
                document.pFilePath.isEmpty() && document.pFileNameNoExt.isEmpty() &&
                document.pfileExt.isEmpty())
        << none;
  }
}

TEST_F(ClosePrompt, UnmodifiedClosesWithoutAQuestion) {
  document.StatusModificado = false;
  EXPECT_TRUE(document.FormCloseQuery());
  EXPECT_TRUE(questions.SavePrompts().isEmpty());
}

TEST_F(ClosePrompt, DontAskAgainWithDiscardSilencesLaterPrompts) {
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, true});
  EXPECT_TRUE(document.FormCloseQuery());
  ASSERT_EQ(questions.SavePrompts().size(), 1);
  EXPECT_EQ(questions.SavePrompts()[0], "Table 1\nhas been modified. Save before close?");
  EXPECT_FALSE(AskOnClose);

  tPlainDocument later;
  later.StatusModificado = true;
  EXPECT_TRUE(later.FormCloseQuery());
  EXPECT_EQ(questions.SavePrompts().size(), 1);
  EXPECT_TRUE(later.saves.isEmpty());
}

TEST_F(ClosePrompt, CancelAndCancelledSaveDialogKeepTheWindow) {
  document.pFileName = "study.mrd";
  questions.AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(document.FormCloseQuery());
  EXPECT_TRUE(document.IsCloseQuery);

  questions.AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  questions.CancelNextFile();
  EXPECT_FALSE(document.FormCloseQuery());
  EXPECT_TRUE(document.saves.isEmpty());
  EXPECT_TRUE(document.StatusModificado);
  EXPECT_TRUE(document.IsCloseQuery);
  EXPECT_EQ(questions.SavePrompts()[1], "study.mrd\nhas been modified. Save before close?");
  ASSERT_EQ(questions.FileRequests().size(), 1);
  EXPECT_EQ(questions.FileRequests()[0].proposedName, "study.mrd");
}

TEST_F(ClosePrompt, SaveAndCloseSavesToTheChosenName) {
  document.Alias = "Table 1";
  document.SetFileSettings({}, ".mrd", "Kovalin data|*.mrd|Text|txt");
  questions.AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  questions.AnswerNextFile("/tmp/k/first.mrd");
  EXPECT_TRUE(document.FormCloseQuery());
  EXPECT_EQ(questions.FileRequests()[0].proposedName, "Table 1");
  EXPECT_EQ(questions.FileRequests()[0].defaultSuffix, "mrd");
  EXPECT_EQ(questions.FileRequests()[0].filter, "Kovalin data (*.mrd);;Text (*.txt)");
  EXPECT_EQ(document.saves, QStringList{"0:/tmp/k/first.mrd"});
  EXPECT_EQ(document.pFileName, "first.mrd");
  EXPECT_EQ(document.pFilePath, "/tmp/k/");
  EXPECT_FALSE(document.StatusModificado);
  EXPECT_FALSE(document.IsCloseQuery);
}

TEST_F(ClosePrompt, FailedSaveKeepsTheWindowAndItsChanges) {
  document.saveSucceeds = false;
  questions.AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  questions.AnswerNextFile("/nowhere/first.mrd");
  EXPECT_FALSE(document.FormCloseQuery());
  EXPECT_EQ(document.saves.size(), 1);
  EXPECT_TRUE(document.StatusModificado);
  EXPECT_TRUE(document.pFileName.isEmpty());
}

}  // namespace
}  // namespace kovalin::app
