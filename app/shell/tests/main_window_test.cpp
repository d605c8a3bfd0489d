#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "app/shell/document_window.h"
#include "app/shell/main_window.h"
#include "app/shell/side_panel.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

// Stands in for a data table or results window: a line editor and a recorded save.
class tStandInWindow : public tDocumentWindow {
 public:
  explicit tStandInWindow(TFMDIParent* parent) : tDocumentWindow(parent) {
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit("frequencies", this);
    layout->addWidget(edit);
  }
  bool SaveToFile(int mode) override {
    saves << mode;
    return true;
  }
  void ShowXmlStructure() override { ++xmlShown; }
  QLineEdit* edit;
  QList<int> saves;
  int xmlShown = 0;
};

// Visible items of a menu as captions ("-" for a separator), with shortcuts.
QStringList Items(const QMenu* menu) {
  QStringList items;
  for (const QAction* action : menu->actions()) {
    if (!action->isVisible()) continue;
    QString item = action->isSeparator() ? "-" : action->text();
    if (!action->shortcut().isEmpty()) item += " [" + action->shortcut().toString() + "]";
    items << item;
  }
  return items;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    AskOnClose = true;
    window = std::make_unique<TFMain>(false);
    window->show();
  }
  void TearDown() override {
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
  }
  tStandInWindow* NewTable() {
    tStandInWindow* made = nullptr;
    window->CreateTableWindow([&](int) { return made = new tStandInWindow(window.get()); });
    return made;
  }
  void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  tScriptedQuestions& questions = ScriptedQuestions();
  std::unique_ptr<TFMain> window;
};

TEST_F(MainWindow, StartsWithTheRootAndTheFileCommandsWaitingForActivation) {
  const tMainActions& a = window->Actions();
  EXPECT_EQ(window->Tree().Model()->item(0)->text(), "Kovalin (x32) 20E");
  EXPECT_EQ(window->StatusPanelText(0), "Kovalin (x32) 20E (compilation: 23/02/22/ 20E x32)");
  const QLabel* first = window->statusBar()->findChildren<QLabel*>().value(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text(), window->StatusPanelText(0));
  const bool cut = first->fontMetrics().horizontalAdvance(first->text()) > 270;
  EXPECT_EQ(first->toolTip(), cut ? first->text() : QString());
  EXPECT_FALSE(window->SidePanel()->isVisible());
  EXPECT_FALSE(a.newTable->isEnabled());
  EXPECT_FALSE(a.save->isEnabled());
  EXPECT_FALSE(a.deleteBranch->isEnabled());
  EXPECT_FALSE(a.font->isEnabled());

  window->ConnectCommand(tCommand::NewTable, [] {});
  EXPECT_FALSE(a.newTable->isEnabled());
  window->FormActivate();
  EXPECT_EQ(window->windowTitle(), "Kovalin (x32) 20E (x32)");
  EXPECT_TRUE(a.newTable->isEnabled());
  EXPECT_TRUE(a.save->isEnabled());
  // Open was never connected: it stays off rather than pretending.
  EXPECT_FALSE(a.open->isEnabled());
  EXPECT_FALSE(a.analyze->isEnabled());
  EXPECT_TRUE(a.options->isEnabled());
  EXPECT_TRUE(a.about->isEnabled());
}

TEST_F(MainWindow, MenusAndToolBarShowTheirCaptionsInOrder) {
  QStringList titles;
  for (const QAction* menu : window->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "Analysis", "&View", "&Window",
                                 "&Help and support"}));
  const QList<QAction*> menus = window->menuBar()->actions();
  EXPECT_EQ(Items(menus[0]->menu()),
            (QStringList{"Download example tables ", "-", "NewTable", "&Open... [Ctrl+O]",
                         "Import subjects...", "&Save [Ctrl+S]", "Save as...", "&Close", "-",
                         "E&xit"}));
  EXPECT_EQ(Items(menus[1]->menu()), (QStringList{"Cu&t [Ctrl+X]", "&Copy [Ctrl+C]",
                                                  "&Paste [Ctrl+V]", "-", "&Font... [Ctrl+F]"}));
  EXPECT_EQ(Items(menus[2]->menu()),
            (QStringList{"Analize selected data", "Perform a simulation"}));
  EXPECT_EQ(Items(menus[3]->menu()), (QStringList{"Object Inspector", "XML", "-"}));
  EXPECT_EQ(Items(menus[4]->menu()),
            (QStringList{"-", "&Cascade", "Tile &Vertical", "Tile &Horizontal", "&Arrange Icons",
                         "&Minimize All"}));
  EXPECT_EQ(Items(menus[5]->menu()),
            (QStringList{"&User guide [F1]", "&About...", "-", "&Kovalin website"}));
  EXPECT_EQ(window->Actions().exit->statusTip(), "Quits the application");
  EXPECT_FALSE(window->Actions().settings->isVisible());
  EXPECT_FALSE(window->Actions().checkVersion->isVisible());

  QStringList tips;
  for (const QAction* action : window->Actions().toolBar->actions()) {
    if (action->isVisible()) tips << (action->isSeparator() ? "-" : action->toolTip());
  }
  EXPECT_EQ(tips, (QStringList{"New data table", "Open data file", "Save to file", "Options",
                               "Analyze selected row(s)", "-", "Perform a simulation"}));
}

TEST_F(MainWindow, FirstTableOpensTheSidePanelAndTheWindowList) {
  tStandInWindow* table = NewTable();
  Settle();
  EXPECT_TRUE(window->SidePanel()->isVisible());
  EXPECT_TRUE(window->Actions().objectInspector->isChecked());
  ASSERT_NE(table->SubWindow(), nullptr);
  EXPECT_EQ(table->SubWindow()->windowTitle(), "Table 1[*]");
  EXPECT_EQ(window->StatusPanelText(1), "Active data: Table 1 [1]");
  EXPECT_TRUE(window->Actions().deleteBranch->isEnabled());

  emit window->Actions().windowMenu->aboutToShow();
  EXPECT_EQ(Items(window->Actions().windowMenu).last(), "&1 Table 1");

  // A click on the first section's header collapses it to the header alone.
  tSidePanel* side = window->SidePanel();
  side->Header(0)->click();
  Settle();
  EXPECT_FALSE(side->SectionOpen(0));
  EXPECT_EQ(side->SectionHeight(0), kSectionHeaderHeight);
  side->Header(0)->click();
  EXPECT_EQ(side->SectionHeight(0), side->height() / 2);

  window->Actions().objectInspector->trigger();
  EXPECT_FALSE(side->isVisible());
}

TEST_F(MainWindow, ClosePromptDecidesCloseAndExit) {
  tStandInWindow* table = NewTable();
  table->SetModified(true);
  Settle();
  questions.AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  window->Actions().close->trigger();
  Settle();
  EXPECT_EQ(window->DocumentArea()->subWindowList().size(), 1);

  questions.AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(questions.SavePrompts().size(), 2);
  EXPECT_EQ(questions.SavePrompts()[1], "Table 1\nhas been modified. Save before close?");

  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  EXPECT_TRUE(window->close());
  Settle();
  EXPECT_TRUE(window->DocumentArea()->subWindowList().isEmpty());
  EXPECT_EQ(window->Tree().Model()->item(0)->rowCount(), 0);
  EXPECT_EQ(window->StatusPanelText(1), "Active data: None");
}

// Exit with three modified windows, the one at the back answering Cancel:
// nothing is saved and nothing closes, not even the windows that answered first.
TEST_F(MainWindow, ExitAsksEveryDocumentBeforeClosingAnyAndACancelKeepsThemAll) {
  tStandInWindow* back = NewTable();
  tStandInWindow* middle = NewTable();
  tStandInWindow* front = NewTable();
  for (tStandInWindow* w : {back, middle, front}) w->SetModified(true);
  Settle();
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  questions.AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  questions.AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(window->close());
  Settle();
  EXPECT_EQ(questions.SavePrompts().size(), 3);
  EXPECT_TRUE(questions.SavePrompts()[0].startsWith("Table 3\n"));  // front first
  EXPECT_EQ(window->DocumentArea()->subWindowList().size(), 3);
  EXPECT_TRUE(middle->saves.isEmpty());
  for (tStandInWindow* w : {back, middle, front}) EXPECT_TRUE(w->StatusModificado);

  // Answered through: the chosen save is made, then every window closes.
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  questions.AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  QTemporaryDir dir;
  questions.AnswerNextFile(dir.filePath("middle.xml"));
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  EXPECT_TRUE(window->close());
  EXPECT_EQ(middle->saves, QList<int>{0});
  Settle();
  EXPECT_TRUE(window->DocumentArea()->subWindowList().isEmpty());
  EXPECT_EQ(questions.SavePrompts().size(), 6);
}

TEST_F(MainWindow, DeleteBranchClosesTheWindowsOfTheTree) {
  NewTable();
  ASSERT_TRUE(window->CreateResults(new tStandInWindow(window.get()), false));
  NewTable()->SetModified(true);
  Settle();
  window->Tree().Select(window->NodoRaiz);
  questions.AnswerNext(tAnswer::Yes);
  questions.AnswerNextSavePrompt({tSavePromptChoice::Discard, false});
  window->Actions().deleteBranch->trigger();
  Settle();
  EXPECT_TRUE(window->DocumentArea()->subWindowList().isEmpty());
  EXPECT_EQ(window->Tree().Model()->item(0)->rowCount(), 0);
  EXPECT_FALSE(window->Actions().deleteBranch->isEnabled());
  EXPECT_FALSE(window->Actions().close->isEnabled());
}

TEST_F(MainWindow, XmlAndSaveActOnTheDocumentInFront) {
  window->Actions().xml->trigger();  // nothing open: nothing happens
  tStandInWindow* table = NewTable();
  window->Actions().xml->trigger();
  EXPECT_EQ(table->xmlShown, 1);
  window->Actions().saveAs->trigger();
  EXPECT_EQ(table->saves, QList<int>{1});

  auto* results = new tStandInWindow(window.get());
  ASSERT_TRUE(window->CreateResults(results, false));
  window->DocumentArea()->setActiveSubWindow(results->SubWindow());
  questions.AnswerNext(tAnswer::Ok);
  window->Actions().xml->trigger();
  ASSERT_EQ(questions.Messages().size(), 1);
  EXPECT_EQ(questions.Messages()[0].text, "A data table must be selected to see its xml structure");
  EXPECT_EQ(table->xmlShown, 1);
}

TEST_F(MainWindow, CopyAndCutFollowTheFocusedTextControl) {
  tStandInWindow* table = NewTable();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  table->edit->setFocus();
  Settle();
  EXPECT_FALSE(window->Actions().copy->isEnabled());
  table->edit->setSelection(0, 5);
  EXPECT_TRUE(window->Actions().copy->isEnabled());
  window->Actions().cut->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "frequ");
  EXPECT_EQ(table->edit->text(), "encies");
  EXPECT_TRUE(window->Actions().paste->isEnabled());
  table->edit->setReadOnly(true);
  table->edit->setSelection(0, 2);
  EXPECT_FALSE(window->Actions().cut->isEnabled());
}

}  // namespace
}  // namespace kovalin::app
