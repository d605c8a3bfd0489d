#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTemporaryDir>
#include <QToolBar>

#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include "app/results/text_editor.h"
#include "app/results/text_logic.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

class TextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { ScriptedQuestions().Reset(); }
  void TearDown() override { EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed()); }
  QTemporaryDir dir_;
};

TEST_F(TextEditorTest, MemoDocumentCountsGatheredLinesAndShowsThemInBlocks) {
  TTextEditor editor;
  tMemoDocument& doc = editor.Document();
  EXPECT_EQ(doc.LineCount(), 0);
  // An empty first line is a line, although the memo looks empty.
  doc.AppendLine("");
  EXPECT_EQ(doc.LineCount(), 1);
  doc.Flush();
  EXPECT_EQ(doc.LineCount(), 1);
  doc.AppendLine("\xC2\xB7Se");
  doc.AppendLine("last");
  EXPECT_EQ(doc.LineCount(), 3);
  EXPECT_EQ(editor.Memo1()->document()->blockCount(), 1);  // shown when the loop turns
  QCoreApplication::processEvents();
  EXPECT_EQ(editor.Memo1()->toPlainText(), QString::fromUtf8("\n\xC2\xB7Se\nlast"));
  EXPECT_EQ(doc.Lines(), (QStringList{"", QString::fromUtf8("\xC2\xB7Se"), "last"}));
  // A full block goes in at once.
  for (int i = 0; i < tMemoDocument::kBlockLines; ++i) doc.AppendLine("x");
  EXPECT_EQ(editor.Memo1()->document()->blockCount(), 3 + tMemoDocument::kBlockLines);
  doc.Clear();
  EXPECT_EQ(doc.LineCount(), 0);
}

TEST_F(TextEditorTest, TabsStopEveryEightColumnsAsInATextFile) {
  TTextEditor editor;
  editor.Memo1()->setPlainText("ab\tc\nabcdefghc");
  editor.resize(400, 200);
  editor.show();
  QCoreApplication::processEvents();
  QTextCursor afterTab(editor.Memo1()->document()->findBlockByNumber(0));
  afterTab.setPosition(afterTab.position() + 3);
  QTextCursor column8(editor.Memo1()->document()->findBlockByNumber(1));
  column8.setPosition(column8.position() + 8);
  EXPECT_NEAR(editor.Memo1()->cursorRect(afterTab).left(),
              editor.Memo1()->cursorRect(column8).left(), 1);
}

TEST_F(TextEditorTest, InitLoadsAnExistingFileAndBindsAMaskWithoutLoading) {
  const QString name = dir_.filePath("a_rather_long_folder_name/table_IC_0001.txt");
  QString error;
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("a_rather_long_folder_name")));
  ASSERT_TRUE(SaveTextLines(name, {"Rec;Pa", "1;0.8"}, error));
  TTextEditor editor;
  editor.Init(name, QString());
  EXPECT_EQ(editor.Lines(), (QStringList{"Rec;Pa", "1;0.8"}));
  EXPECT_FALSE(editor.TxtModificado());
  EXPECT_EQ(editor.StatusPanel(1), "");
  EXPECT_EQ(editor.StatusPanel(2), ShortFileName(name));
  EXPECT_TRUE(editor.tbDel()->isVisible());
  EXPECT_FALSE(editor.tbSave()->isVisible());
  EXPECT_TRUE(editor.ToolBar()->isHidden());

  TTextEditor masked;
  masked.Init("*.txt", "*.txt");
  EXPECT_EQ(masked.GetArchivo(), "*.txt");
  EXPECT_TRUE(masked.Lines().isEmpty());
  EXPECT_FALSE(masked.tbDel()->isVisible());
}

TEST_F(TextEditorTest, AppendedTextShowsSaveAndClearUntilSaved) {
  TTextEditor editor;
  editor.Init(QString(), "*.txt");
  editor.ToolButton1Click();
  EXPECT_FALSE(editor.ToolBar()->isHidden());
  editor.Document().AppendLine(">Input: line 1 to line 1");
  editor.Document().Flush();
  EXPECT_TRUE(editor.TxtModificado());
  EXPECT_EQ(editor.StatusPanel(1), "  *");
  EXPECT_TRUE(editor.tbSave()->isVisible());
  EXPECT_TRUE(editor.tbDel()->isVisible());

  const QString name = dir_.filePath("report.txt");
  ScriptedQuestions().AnswerNextFile(name);
  editor.tbSaveClick();
  ASSERT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  EXPECT_EQ(ScriptedQuestions().FileRequests()[0].filter, "*.txt");
  EXPECT_FALSE(editor.TxtModificado());
  EXPECT_FALSE(editor.tbSave()->isVisible());
  EXPECT_TRUE(editor.tbDel()->isVisible());
  EXPECT_EQ(editor.GetArchivo(), name);
  EXPECT_EQ(editor.StatusHint(), name);
  EXPECT_TRUE(QFile::exists(name));
  // Not modified: a save does nothing and asks nothing.
  editor.tbSaveClick();
  EXPECT_EQ(ScriptedQuestions().FileRequests().size(), 1);
}

TEST_F(TextEditorTest, ClearAsksOnlyWhenModified) {
  TTextEditor editor;
  editor.Init();
  editor.Document().AppendLine("kept");
  editor.Document().Flush();
  // Yes saves and keeps the lines.
  ScriptedQuestions().AnswerNext(tAnswer::Yes);
  ScriptedQuestions().AnswerNextFile(dir_.filePath("kept.txt"));
  editor.tbDelClick();
  EXPECT_EQ(ScriptedQuestions().Messages().back().text, "Save text?");
  EXPECT_EQ(editor.Lines(), QStringList{"kept"});
  EXPECT_FALSE(editor.TxtModificado());
  // Not modified now: cleared without a question.
  const qsizetype asked = ScriptedQuestions().Messages().size();
  editor.tbDelClick();
  EXPECT_EQ(ScriptedQuestions().Messages().size(), asked);
  EXPECT_TRUE(editor.Lines().isEmpty());
  EXPECT_EQ(editor.StatusPanel(2), "");
  // Modified and Cancel keeps the text; No clears it.
  editor.Document().AppendLine("again");
  editor.Document().Flush();
  ScriptedQuestions().AnswerNext(tAnswer::Cancel);
  editor.tbDelClick();
  EXPECT_EQ(editor.Lines(), QStringList{"again"});
  ScriptedQuestions().AnswerNext(tAnswer::No);
  editor.tbDelClick();
  EXPECT_TRUE(editor.Lines().isEmpty());
}

TEST_F(TextEditorTest, OpenAsksToSaveAModifiedTextAndLoadsTheChosenFile) {
  const QString name = dir_.filePath("other.txt");
  QString error;
  ASSERT_TRUE(SaveTextLines(name, {"loaded"}, error));
  TTextEditor editor;
  editor.Init();
  editor.ToolButton1Click();
  editor.Document().AppendLine("typed");
  editor.Document().Flush();
  ScriptedQuestions().AnswerNext(tAnswer::Cancel);
  editor.tbOpenClick();
  EXPECT_EQ(ScriptedQuestions().Messages().back().text, "Save existing text?");
  EXPECT_EQ(editor.Lines(), QStringList{"typed"});
  ScriptedQuestions().AnswerNext(tAnswer::No);
  ScriptedQuestions().AnswerNextFile(name);
  editor.tbOpenClick();
  EXPECT_EQ(editor.Lines(), QStringList{"loaded"});
  EXPECT_FALSE(editor.TxtModificado());
  EXPECT_EQ(editor.GetArchivo(), name);
  EXPECT_TRUE(editor.ToolBar()->isHidden());
}

}  // namespace
}  // namespace kovalin::app
