#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/testing/scripted_questions.h"
#include "app/views/data_table_frame.h"

namespace kovalin::app {
namespace {

QByteArray ReadAllOf(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

struct RecordFrame : ::testing::Test {
  RecordFrame() { ScriptedQuestions().Reset(); }
  QCheckBox* Autosave() { return frame.findChild<QCheckBox*>(); }
  QString StateText() { return frame.StateText(); }
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
  }
  QTemporaryDir dir;
  TFDataTable frame;
};

TEST_F(RecordFrame, EditAcceptsCellsAndSelectionSelectsWholeRowsOnly) {
  std::string message;
  CreateNewTable(frame.Frame(), itRawData, message);
  frame.TableChanged();
  frame.Setstatus(sEdit);
  EXPECT_EQ(StateText(), "Edit");
  EXPECT_FALSE(Autosave()->isChecked());
  EXPECT_TRUE(Autosave()->isEnabled());
  EXPECT_TRUE(frame.ActionsShown());
  EXPECT_TRUE(frame.Model()->flags(frame.Model()->index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_EQ(frame.Grid()->selectionBehavior(), QAbstractItemView::SelectItems);

  frame.Setstatus(sSelection);
  EXPECT_EQ(StateText(), "Selection");
  EXPECT_FALSE(frame.ActionsShown());
  EXPECT_FALSE(frame.PropertiesShown());
  EXPECT_EQ(frame.Grid()->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_FALSE(frame.Model()->flags(frame.Model()->index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_FALSE(Autosave()->isEnabled());
}

TEST_F(RecordFrame, RecordOperationsFollowTheSelectionAndSetTheMark) {
  std::string message;
  CreateNewTable(frame.Frame(), itParamsPV, message);
  frame.TableChanged();
  frame.Setstatus(sEdit);
  QSignalSpy modified(&frame, &TFDataTable::modifiedChanged);
  frame.Model()->setData(frame.Model()->index(0, 0), "7");
  EXPECT_TRUE(frame.Modified());
  EXPECT_EQ(frame.ModifiedText(), " *");
  frame.Grid()->setCurrentIndex(frame.Model()->index(0, 0));
  frame.DuplicateRecordClick();
  ASSERT_EQ(frame.Model()->rowCount(), 2);
  EXPECT_EQ(frame.Model()->data(frame.Model()->index(1, 0)).toString(), "7");
  frame.AddRecordClick();
  EXPECT_EQ(frame.Model()->rowCount(), 3);
  ScriptedQuestions().AnswerNext(tAnswer::Yes);
  frame.DeleteAllClick();
  EXPECT_EQ(ScriptedQuestions().Messages().value(0).text, "Delete all data?");
  EXPECT_EQ(frame.Model()->rowCount(), 1);
  EXPECT_EQ(frame.Model()->headerData(8, Qt::Horizontal).toString(), "n");
  EXPECT_GE(modified.count(), 3);
}

TEST_F(RecordFrame, ColumnHeadingMenuInsertsAndDeletesColumnsOnlyWhileEditing) {
  std::string message;
  CreateNewTable(frame.Frame(), itRawData, message);  // Id, X[1]..X[8]
  frame.TableChanged();
  auto menuItem = [&](int section, const QString& caption) -> QAction* {
    auto* menu = new QMenu(&frame);
    frame.FillHeadingMenu(*menu, Qt::Horizontal, section);
    for (QAction* a : menu->actions()) {
      if (a->text() == caption) return a;
    }
    return nullptr;
  };
  QAction* insert = menuItem(1, "Insert Column");
  ASSERT_NE(insert, nullptr);
  ASSERT_NE(menuItem(1, "Select Column"), nullptr);
  EXPECT_FALSE(insert->isEnabled());  // state Selection refuses changes
  EXPECT_FALSE(menuItem(1, "Delete Column")->isEnabled());

  frame.Setstatus(sEdit);
  frame.Model()->setData(frame.Model()->index(0, 1), "4");  // X[1]
  frame.Frame().pmodified = false;
  QSignalSpy columns(&frame, &TFDataTable::columnsChanged);
  menuItem(1, "Insert Column")->trigger();  // before X[1]
  ASSERT_EQ(frame.Model()->columnCount(), 10);
  EXPECT_EQ(frame.Model()->headerData(1, Qt::Horizontal).toString(), "C-2");
  EXPECT_EQ(frame.Model()->headerData(2, Qt::Horizontal).toString(), "X[1]");
  EXPECT_EQ(frame.Model()->data(frame.Model()->index(0, 2)).toString(), "4");
  EXPECT_EQ(frame.ModifiedText(), " *");
  EXPECT_TRUE(frame.Frame().VarExists("C-2", true));

  menuItem(2, "Delete Column")->trigger();  // X[1]
  EXPECT_EQ(frame.Model()->columnCount(), 9);
  EXPECT_EQ(frame.Model()->headerData(2, Qt::Horizontal).toString(), "X[2]");
  EXPECT_FALSE(frame.Frame().VarExists("X[1]", true));
  EXPECT_EQ(columns.count(), 2);
}

TEST_F(RecordFrame, SavingLabelsWritesTheirTextsWithoutAQuestion) {
  const QString path = Write("ids.txt", "Id\tX[1]\r\nA1\t3\r\nB7\t4\r\n");
  ScriptedQuestions().AnswerNextFile(path);
  frame.OpenClick();
  ASSERT_EQ(frame.Model()->data(frame.Model()->index(1, 0)).toString(), "B7");
  EXPECT_EQ(StateText(), "Selection");
  frame.Frame().pmodified = true;

  EXPECT_TRUE(frame.SaveClick());
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
  EXPECT_FALSE(frame.Modified());
  QFile saved(path);
  saved.open(QIODevice::ReadOnly);
  EXPECT_EQ(saved.readAll(), QByteArray("Id\tX[1]\r\nA1\t                   3\r\nB7\t                   4\r\n"));
}

TEST_F(RecordFrame, ASpreadsheetsSemicolonFileIsSavedWithSemicolons) {
  const QString path = Write("sheet.csv", "Id;PA\r\n1;0,85\r\n");
  ScriptedQuestions().AnswerNextFile(path);
  frame.OpenClick();
  ASSERT_EQ(frame.Model()->data(frame.Model()->index(0, 1)).toString(), "0.85");
  EXPECT_EQ(frame.Frame().ExportDelimiter, csvSemicolon);
  frame.Frame().pmodified = true;
  ASSERT_TRUE(frame.SaveClick());
  const QByteArray saved = ReadAllOf(path);
  EXPECT_TRUE(saved.startsWith("Id;PA\r\n")) << saved.constData();
  EXPECT_FALSE(saved.contains('\t'));
}

TEST_F(RecordFrame, AutosaveWritesEachRecordOperationThroughTheFile) {
  const QString path = Write("raw.txt", "Id\tX[1]\r\n1\t3\r\n");
  ScriptedQuestions().AnswerNextFile(path);
  frame.OpenClick();
  frame.Setstatus(sEdit);
  Autosave()->setChecked(true);
  frame.Grid()->setCurrentIndex(frame.Model()->index(0, 0));
  frame.DuplicateRecordClick();
  QFile saved(path);
  saved.open(QIODevice::ReadOnly);
  const QList<QByteArray> lines = saved.readAll().split('\n');
  EXPECT_EQ(lines.size(), 4);  // header, two records, the end after the last CR LF
  EXPECT_FALSE(frame.Modified());
  EXPECT_EQ(frame.Model()->rowCount(), 2);
}

TEST_F(RecordFrame, AFileThatCannotBeReadLeavesTheTableAsItWas) {
  std::string message;
  CreateNewTable(frame.Frame(), itRawData, message);
  frame.TableChanged();
  ScriptedQuestions().AnswerNextFile(dir.filePath("missing.txt"));
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  frame.OpenClick();
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains("missing.txt"));
  EXPECT_EQ(frame.Model()->columnCount(), 9);
  EXPECT_EQ(frame.Frame().pFilename, "N/A");
}

}  // namespace
}  // namespace kovalin::app
