#include <memory>
#include <vector>

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include "app/shell/main_desk.h"
#include "app/shell/tests/plain_document.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

// The main window's bookkeeping over documents without windows.
class Desk : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    AskOnClose = true;
    desk.FormCreate();
  }
  void TearDown() override { EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed()); }

  tPlainDocument* NewTable(const QString& problema = {}) {
    return static_cast<tPlainDocument*>(desk.CreateTable(problema, [this](int) {
      owned.push_back(std::make_unique<tPlainDocument>(&desk));
      return owned.back().get();
    }));
  }
  tPlainDocument* NewResults() {
    owned.push_back(std::make_unique<tPlainDocument>(&desk, tFormType::F_Results));
    EXPECT_TRUE(desk.PlaceResults(owned.back().get(), false));
    return owned.back().get();
  }
  QStringList Texts(tNode node) {
    QStringList texts;
    for (int row = 0; row < tDocumentTree::ChildCount(node); ++row) {
      texts << tDocumentTree::Text(tDocumentTree::Child(node, row));
    }
    return texts;
  }

  tScriptedQuestions& questions = ScriptedQuestions();
  // Declared first: the documents must go before the desk.
  tMainDesk desk;
  std::vector<std::unique_ptr<tPlainDocument>> owned;
  QAbstractItemModelTester tester{desk.Tree().Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(Desk, StartsWithTheRootAndNoActiveData) {
  EXPECT_EQ(tDocumentTree::Text(desk.NodoRaiz), "Kovalin (x32) 20E");
  EXPECT_EQ(desk.Tree().Selected(), desk.NodoRaiz);
  EXPECT_FALSE(desk.NodoRaiz->icon().isNull());  // the bundled icons are found
  EXPECT_EQ(desk.StatusText(0), "Kovalin (x32) 20E (compilation: 23/02/22/ 20E x32)");
  EXPECT_FALSE(desk.DeleteBranchEnabled());
  EXPECT_FALSE(desk.SidePanelShown);
  EXPECT_EQ(desk.OI_Panels, (QStringList{"Object browser", "Properties"}));
}

TEST_F(Desk, TablesAreNumberedByTheCountOfTablesCreated) {
  tPlainDocument* first = NewTable();
  EXPECT_TRUE(desk.SidePanelShown);
  EXPECT_EQ(first->Caption(), "Table 1");
  EXPECT_EQ(first->Alias, "Table 1");
  EXPECT_EQ(Texts(desk.NodoRaiz), QStringList{"Analysis 1"});
  EXPECT_EQ(desk.StatusText(1), "Active data: Table 1 [1]");
  EXPECT_EQ(tDocumentTree::Icon(first->TreeNode), tNodeIcon::ActiveTable);
  EXPECT_TRUE(desk.DeleteBranchEnabled());

  ASSERT_TRUE(first->RequestClose());
  EXPECT_EQ(desk.StatusText(1), "Active data: None");
  EXPECT_EQ(tDocumentTree::ChildCount(desk.NodoRaiz), 0);
  EXPECT_FALSE(desk.DeleteBranchEnabled());

  tPlainDocument* second = NewTable("Cervical screening");
  EXPECT_EQ(second->tag, 2);
  EXPECT_EQ(second->Caption(), "Cervical screening");
  EXPECT_EQ(Texts(desk.NodoRaiz), QStringList{"Analysis 2"});
  EXPECT_EQ(desk.StatusText(1), "Active data: Cervical screening [2]");
}

TEST_F(Desk, ResultsNumberFollowsThePreviousResults) {
  tPlainDocument* table = NewTable();
  tPlainDocument* r1 = NewResults();
  NewResults();
  tNode folder = tDocumentTree::Parent(table->TreeNode);
  EXPECT_EQ(Texts(folder), (QStringList{"Table 1", "Results 1.1", "Results 1.2"}));
  ASSERT_TRUE(r1->RequestClose());
  NewResults();
  EXPECT_EQ(Texts(folder), (QStringList{"Table 1", "Results 1.2", "Results 1.3"}));

  // Without an active data table there is nowhere to put results.
  ASSERT_TRUE(table->RequestClose());
  EXPECT_EQ(Texts(folder), (QStringList{"Results 1.2", "Results 1.3"}));
  tPlainDocument orphan(&desk, tFormType::F_Results);
  EXPECT_FALSE(desk.PlaceResults(&orphan, false));
}

TEST_F(Desk, ClosingATableLeavesTheTableFurthestBackActive) {
  tPlainDocument* t1 = NewTable();
  tPlainDocument* t2 = NewTable();
  tPlainDocument* t3 = NewTable();
  t1->FormActivate();  // front to back now: t1, t3, t2
  EXPECT_EQ(desk.StatusText(1), "Active data: Table 1 [1]");
  ASSERT_TRUE(t1->RequestClose());
  EXPECT_EQ(desk.ActiveData, t2);
  EXPECT_EQ(desk.StatusText(1), "Active data: Table 2 [2]");
  EXPECT_FALSE(t3->IsActiveData);
  EXPECT_EQ(tDocumentTree::Icon(t3->TreeNode), tNodeIcon::Table);
  EXPECT_EQ(desk.TreeActTableNode, t2->TreeNode);

  // A click on a table's node makes it the active data set.
  desk.Tree().Select(t3->TreeNode);
  EXPECT_EQ(desk.ActiveData, t3);
  EXPECT_EQ(desk.StatusText(1), "Active data: Table 3 [3]");
}

TEST_F(Desk, ChildrenOfAClosedNodeMoveUpToItsParent) {
  tPlainDocument* table = NewTable();
  tNode folder = tDocumentTree::Parent(table->TreeNode);
  tNode below = desk.Tree().AddChild(table->TreeNode, "below");
  ASSERT_TRUE(table->RequestClose());
  EXPECT_EQ(Texts(folder), QStringList{"below"});
  EXPECT_EQ(tDocumentTree::Parent(below), folder);
}

TEST_F(Desk, DeleteBranchOnTheRootClosesEverythingAfterOneConfirmation) {
  tPlainDocument* t1 = NewTable();
  NewResults();
  NewTable()->StatusModificado = true;
  NewResults();
  desk.Tree().Select(desk.NodoRaiz);
  questions.AnswerNext(tAnswer::Yes);
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  EXPECT_TRUE(desk.DeleteBranch());
  EXPECT_EQ(questions.Messages().size(), 1);
  EXPECT_EQ(questions.Messages()[0].text, "Please, confirm to delete.");
  EXPECT_EQ(tDocumentTree::ChildCount(desk.NodoRaiz), 0);
  EXPECT_TRUE(desk.DocumentsFrontToBack().isEmpty());
  EXPECT_EQ(t1->TreeNode, nullptr);
  EXPECT_EQ(desk.StatusText(1), "Active data: None");
  EXPECT_EQ(desk.TreeActNode, desk.NodoRaiz);
}

TEST_F(Desk, DeleteBranchAsksEachModifiedDocumentOnceAndKeepsTheCancelled) {
  tPlainDocument* table = NewTable();
  table->StatusModificado = true;
  tPlainDocument* results = NewResults();
  tNode folder = tDocumentTree::Parent(table->TreeNode);
  desk.Tree().Select(desk.NodoRaiz);
  questions.AnswerNext(tAnswer::Yes);
  questions.AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  desk.DeleteBranch();
  EXPECT_EQ(questions.SavePrompts().size(), 1);
  EXPECT_EQ(Texts(folder), QStringList{"Table 1"});
  EXPECT_EQ(results->TreeNode, nullptr);
  EXPECT_EQ(desk.ActiveData, table);

  // "No" keeps everything; an empty folder asks nothing.
  desk.Tree().Select(folder);
  questions.AnswerNext(tAnswer::No);
  desk.DeleteBranch();
  EXPECT_EQ(Texts(folder), QStringList{"Table 1"});
  desk.Tree().Select(desk.Tree().AddChild(desk.NodoRaiz, "Analysis 9"));
  EXPECT_FALSE(desk.DeleteBranch());
  EXPECT_EQ(questions.Messages().size(), 2);
}

}  // namespace
}  // namespace kovalin::app
