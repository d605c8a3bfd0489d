// The record grid as a spreadsheet user works it: the editor, Delete, copy,
// paste and undo, through the keys.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include <bit>
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "app/testing/scripted_questions.h"
#include "app/views/data_table_frame.h"

namespace kovalin::app {
namespace {

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// A parameter table (Id, PA, PB, NA, NB, P, Opos, Oneg, n) in state Edit, on screen.
struct RecordGrid : ::testing::Test {
  RecordGrid() {
    ScriptedQuestions().Reset();
    std::string message;
    CreateNewTable(frame.Frame(), itParamsPV, message);
    frame.TableChanged();
    frame.Setstatus(sEdit);
    frame.resize(900, 400);
    frame.show();
    QApplication::setActiveWindow(&frame);
    Grid()->setFocus();
  }
  ~RecordGrid() override { EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed()); }
  QTableView* Grid() { return frame.Grid(); }
  TDataTable& Store() { return frame.Frame().DataTable1; }
  QModelIndex At(int row, int col) { return frame.Model()->index(row, col); }
  QString Shown(int row, int col) { return frame.Model()->data(At(row, col)).toString(); }
  void GoTo(int row, int col) { Grid()->setCurrentIndex(At(row, col)); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : Grid();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
  QLineEdit* Editor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
  void SelectBlock(int top, int left, int bottom, int right) {
    Grid()->setCurrentIndex(At(top, left));
    Grid()->selectionModel()->select(QItemSelection(At(top, left), At(bottom, right)),
                                     QItemSelectionModel::ClearAndSelect);
  }

  TFDataTable frame;
  QAbstractItemModelTester tester{frame.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(RecordGrid, F2AndEnterLeaveTheStoredValueBitForBitAndTypedTextIsKeptAtClose) {
  const double value = 1.041666666667;
  Store().SetElem(2, 1, value);
  frame.Frame().NTabEd1.SetDecPlaces(2, 10);
  frame.Model()->Repaint();
  EXPECT_EQ(Shown(0, 1), "1.0E+00");
  GoTo(0, 1);
  Key(Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), "1.041666666667");
  Key(Qt::Key_Return);
  EXPECT_EQ(Bits(Store().GetRawElem(2, 1)), Bits(value));
  EXPECT_FALSE(frame.Modified());  // nothing changed, nothing to save
  EXPECT_EQ(frame.UndoStack()->count(), 0);

  // 777 typed and no Enter: what a close or a save runs first stores it.
  GoTo(0, 2);
  Key(Qt::Key_7);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "77");
  frame.CommitEdits();
  EXPECT_EQ(Store().GetRawElem(3, 1), 777);
  EXPECT_TRUE(frame.Modified());
  EXPECT_EQ(frame.ModifiedText(), " *");
  // So does leaving state Edit with the editor open.
  GoTo(0, 3);
  Key(Qt::Key_5);
  frame.Setstatus(sSelection);
  EXPECT_EQ(Store().GetRawElem(4, 1), 5);
}

TEST_F(RecordGrid, APasteIsOneUndoStepThatAddsRowsAndReadsDecimalCommas) {
  Store().SetElem(2, 1, 0.9);
  GoTo(0, 1);
  // As LibreOffice puts it on the clipboard: CR LF after each row, an empty cell.
  QApplication::clipboard()->setText("0,25\t0.5\r\n\t0.75\r\n0.125\t1e-3\r\n");
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(frame.Model()->rowCount(), 3);
  EXPECT_EQ(Store().GetRawElem(2, 1), 0.25);
  EXPECT_EQ(Store().GetRawElem(3, 1), 0.5);
  EXPECT_TRUE(Store().GetCellState(2, 2) & kCellEmpty);
  EXPECT_EQ(Store().GetRawElem(3, 2), 0.75);
  EXPECT_EQ(Store().GetRawElem(2, 3), 0.125);
  EXPECT_EQ(Store().GetRawElem(3, 3), 0.001);
  // The added records are missing where the block puts nothing, not 0.
  EXPECT_TRUE(Store().GetCellState(9, 3) & kCellEmpty);
  EXPECT_EQ(Shown(2, 8), "");
  EXPECT_TRUE(frame.Modified());
  EXPECT_EQ(frame.UndoStack()->count(), 1);

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(frame.Model()->rowCount(), 1);
  EXPECT_EQ(Store().GetRawElem(2, 1), 0.9);
  EXPECT_EQ(Store().GetRawElem(3, 1), 0);
  EXPECT_FALSE(frame.Modified());  // back where the table was

  GoTo(0, 1);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(frame.Model()->rowCount(), 3);
  EXPECT_EQ(Store().GetRawElem(3, 3), 0.001);
  EXPECT_TRUE(frame.Modified());

  // A block that would run past the last column is refused, with the reason.
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  GoTo(0, 7);
  QApplication::clipboard()->setText("1\t2\t3\n");
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains("past the last column (n)"));
  EXPECT_EQ(Store().GetRawElem(8, 1), 0);
  EXPECT_EQ(frame.UndoStack()->count(), 1);
}

TEST_F(RecordGrid, DeleteMakesCellsMissingAndCopyCarriesFullPrecision) {
  Store().SetElem(2, 1, 0.8333333333333334);
  Store().SetElem(3, 1, 2.5);
  SelectBlock(0, 1, 0, 2);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "0.8333333333333334\t2.5");

  Key(Qt::Key_Delete);
  for (int col : {2, 3}) {
    EXPECT_EQ(Store().GetCellState(col, 1) & kCellEmpty, kCellEmpty);
    EXPECT_TRUE(std::isnan(Store().GetRawElem(col, 1)));  // no old value left to save
  }
  EXPECT_EQ(Shown(0, 1), "");
  EXPECT_TRUE(frame.Modified());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Bits(Store().GetRawElem(2, 1)), Bits(0.8333333333333334));
  EXPECT_EQ(Store().GetCellState(3, 1), 0);
  EXPECT_FALSE(frame.Modified());
}

TEST_F(RecordGrid, ColumnAndRowChangesUndoWithTheirNamesAndDecimals) {
  frame.Frame().NTabEd1.SetDecPlaces(3, 7);
  Store().SetElem(3, 1, 0.125);
  QMenu columnMenu;
  frame.FillHeadingMenu(columnMenu, Qt::Horizontal, 2);
  columnMenu.actions().at(2)->trigger();  // Delete Column
  ASSERT_EQ(frame.Model()->columnCount(), 8);
  EXPECT_EQ(frame.Model()->headerData(2, Qt::Horizontal).toString(), "NA");
  QMenu rowMenu;
  frame.FillHeadingMenu(rowMenu, Qt::Vertical, 0);
  rowMenu.actions().at(1)->trigger();  // Insert Row
  EXPECT_EQ(frame.Model()->rowCount(), 2);
  EXPECT_TRUE(frame.Modified());

  frame.UndoStack()->undo();
  frame.UndoStack()->undo();
  EXPECT_EQ(frame.Model()->rowCount(), 1);
  ASSERT_EQ(frame.Model()->columnCount(), 9);
  EXPECT_EQ(frame.Model()->headerData(2, Qt::Horizontal).toString(), "PB");
  EXPECT_EQ(frame.Frame().NTabEd1.GetDecPlaces(3), 7);
  EXPECT_EQ(Store().GetRawElem(3, 1), 0.125);
  EXPECT_TRUE(frame.Frame().VarExists("PB", true));
  EXPECT_FALSE(frame.Modified());
  frame.UndoStack()->redo();
  EXPECT_EQ(frame.Model()->columnCount(), 8);
  frame.UndoStack()->undo();

  // A deleted record comes back with its cells and its name.
  rowMenu.actions().at(1)->trigger();  // Insert Row: two records
  Store().SetRowName(2, "second");
  Store().SetCellState(4, 2, kCellEmpty);
  QMenu deleteMenu;
  frame.FillHeadingMenu(deleteMenu, Qt::Vertical, 1);
  deleteMenu.actions().at(2)->trigger();  // Delete Row
  EXPECT_EQ(frame.Model()->rowCount(), 1);
  frame.UndoStack()->undo();
  ASSERT_EQ(frame.Model()->rowCount(), 2);
  EXPECT_EQ(Store().GetRowName(2), "second");
  EXPECT_EQ(Store().GetRawElem(3, 2), 0.125);
  EXPECT_EQ(Store().GetCellState(4, 2), kCellEmpty);
}

TEST_F(RecordGrid, KeysIgnoredInSelectionSayHowToStartEditing) {
  Store().SetElem(2, 1, 0.5);
  frame.Setstatus(sSelection);
  GoTo(0, 1);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Store().GetRawElem(2, 1), 0.5);
  EXPECT_EQ(frame.HintText(), TFDataTable::kEditHint);
  frame.Setstatus(sEdit);
  EXPECT_EQ(frame.HintText(), "");
  GoTo(0, 1);
  frame.Setstatus(sSelection);
  Key(Qt::Key_4);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(frame.HintText(), TFDataTable::kEditHint);
  // Copying needs no editing: the selected record, whole.
  Grid()->selectRow(0);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("0\t0.5\t")) << QApplication::clipboard()->text().toStdString();
}

}  // namespace
}  // namespace kovalin::app
