#include <QAbstractItemModelTester>
#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "app/testing/scripted_questions.h"
#include "app/views/frequency_grid_view.h"

namespace kovalin::app {
namespace {

// A shown 2 x 2 grid, cursor on the first frequency.
struct FrequencyGrid : ::testing::Test {
  FrequencyGrid() {
    ScriptedQuestions().Reset();
    rTableSettings settings;
    settings.WinReg.DimR = 2;
    settings.WinReg.DimC = 2;
    settings.WinReg.LblR = "R";
    settings.WinReg.LblC = "C";
    table.BuildFromSettings(settings);
    view.GridModel()->Refresh();
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    view.SetCursor(2, 2);
  }
  // Types into the grid as a user does: the first key opens the cell editor.
  void Type(const QString& text, Qt::Key end = Qt::Key_Return) {
    for (QChar ch : text) QTest::keyClick(Focused(), ch.toLatin1());
    QTest::keyClick(Focused(), end);
  }
  QWidget* Focused() {
    QWidget* w = QApplication::focusWidget();
    return w != nullptr ? w : &view;
  }
  tFrequencyTable table;
  tFrequencyGridView view{table};
  QAbstractItemModelTester tester{view.GridModel(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(FrequencyGrid, EnterCommitsAndMovesDownThenToTheNextColumnThenBackToTheStart) {
  QSignalSpy modified(&view, &tFrequencyGridView::modifiedByEntry);
  Type("12");
  EXPECT_EQ(view.Cursor(), (tGridPos{2, 3}));
  Type("3");
  EXPECT_EQ(view.Cursor(), (tGridPos{3, 2}));
  Type("5");
  Type("20");
  EXPECT_EQ(view.Cursor(), (tGridPos{2, 2}));
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 12);
  EXPECT_DOUBLE_EQ(table.Value(2, 1), 3);
  EXPECT_DOUBLE_EQ(table.Value(1, 2), 5);
  EXPECT_DOUBLE_EQ(table.Value(0, 0), 40);
  EXPECT_EQ(view.GridModel()->data(view.GridModel()->index(1, 1)).toString(), "        40");
  EXPECT_GE(modified.count(), 6);  // one per released digit
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
}

TEST_F(FrequencyGrid, TypingRightAfterAClickOnTheCurrentCellIsCommitted) {
  const QRect cell = view.visualRect(view.GridModel()->index(2, 2));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
  Type("6");
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 6);
  EXPECT_EQ(view.Cursor(), (tGridPos{2, 3}));
  QTest::qWait(QApplication::doubleClickInterval() + 50);  // the click's delayed editing
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 6);
  Type("4");
  EXPECT_DOUBLE_EQ(table.Value(2, 1), 4);
}

TEST_F(FrequencyGrid, ArrowsAndTabCommitBeforeMoving) {
  Type("7", Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 7);
  EXPECT_EQ(view.Cursor(), (tGridPos{3, 2}));
  Type("4", Qt::Key_Down);
  EXPECT_DOUBLE_EQ(table.Value(1, 2), 4);
  EXPECT_EQ(view.Cursor(), (tGridPos{3, 3}));
}

TEST_F(FrequencyGrid, ARefusedEntryShowsTheErrorAndKeepsTheCursorOnTheCell) {
  Type("5");
  view.SetCursor(2, 2);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  Type("-1");
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].text, "The input must be a value greater or equal to 0");
  EXPECT_EQ(view.Cursor(), (tGridPos{2, 2}));
  EXPECT_EQ(table.StatusPanel0Text(), "DATA ERROR!");
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 5);  // the previous frequency is shown again
  EXPECT_EQ(view.GridModel()->data(view.GridModel()->index(2, 2)).toString().trimmed(), "5");
  // A valid entry clears the error.
  Type("6");
  EXPECT_FALSE(table.PosError.IsSet());
}

TEST_F(FrequencyGrid, AFractionWithoutRealsIsCutAfterTheMessage) {
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  Type("3.7");
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].text, "Only integer values are allowed");
  EXPECT_DOUBLE_EQ(table.Value(1, 1), 3);
}

// Clearing a cell with Backspace types no digit, yet changes the table.
TEST_F(FrequencyGrid, ABackspaceThatClearsACellMarksTheDocument) {
  Type("12");
  view.SetCursor(2, 2);
  QSignalSpy modified(&view, &tFrequencyGridView::modifiedByEntry);
  QTest::keyClick(Focused(), Qt::Key_F2);
  QTest::keyClick(Focused(), Qt::Key_End);
  QTest::keyClick(Focused(), Qt::Key_Backspace);
  QTest::keyClick(Focused(), Qt::Key_Backspace);
  QTest::keyClick(Focused(), Qt::Key_Return);
  EXPECT_EQ(table.Value(1, 1), 0);
  EXPECT_GE(modified.count(), 1);
  // An editor opened and closed without a change marks nothing.
  view.SetCursor(2, 3);
  modified.clear();
  QTest::keyClick(Focused(), Qt::Key_F2);
  QTest::keyClick(Focused(), Qt::Key_Return);
  EXPECT_EQ(modified.count(), 0);
}

TEST_F(FrequencyGrid, CtrlCReleaseAsksForACopy) {
  QSignalSpy copy(&view, &tFrequencyGridView::copyRequested);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(copy.count(), 1);
  EXPECT_EQ(view.Cursor(), (tGridPos{2, 2}));  // no editor was opened
  // Ctrl let go a moment before C: still a copy, and only one.
  QTest::keyPress(&view, Qt::Key_C, Qt::ControlModifier);
  QTest::keyRelease(&view, Qt::Key_Control, Qt::ControlModifier);
  QTest::keyRelease(&view, Qt::Key_C, Qt::NoModifier);
  EXPECT_EQ(copy.count(), 2);
  QTest::keyRelease(&view, Qt::Key_C, Qt::NoModifier);
  EXPECT_EQ(copy.count(), 2);
}

TEST(FrequencyGridScrolling, LabelAndTotalRowsAndColumnsStayInPlace) {
  rTableSettings settings;
  settings.WinReg.DimR = 12;
  settings.WinReg.DimC = 12;
  settings.WinReg.LblR = "R";
  settings.WinReg.LblC = "Disease";
  tFrequencyTable table;
  table.BuildFromSettings(settings);
  tFrequencyGridView view(table);
  view.GridModel()->Refresh();
  view.resize(360, 200);
  view.show();
  view.SetCursor(13, 13);  // the last frequency: the grid scrolls both ways
  QApplication::processEvents();
  ASSERT_GT(view.horizontalScrollBar()->value(), 0);
  ASSERT_GT(view.verticalScrollBar()->value(), 0);

  // The scrolling cells never show a label or a total.
  EXPECT_GE(view.columnAt(0), 2);
  EXPECT_GE(view.rowAt(0), 2);
  // Above and beside each shown cell: its own column label and row label.
  QTableView* top = view.FixedRowsView();
  QTableView* left = view.FixedColumnsView();
  for (const int x : {1, view.viewport()->width() / 2, view.viewport()->width() - 2}) {
    EXPECT_EQ(top->columnAt(x), view.columnAt(x)) << "x " << x;
  }
  for (const int y : {1, view.viewport()->height() / 2, view.viewport()->height() - 2}) {
    EXPECT_EQ(left->rowAt(y), view.rowAt(y)) << "y " << y;
  }
  const QPoint topLeft = view.viewport()->mapTo(&view, QPoint(0, 0));
  EXPECT_EQ(top->geometry().bottom() + 1, topLeft.y());
  EXPECT_EQ(left->geometry().right() + 1, topLeft.x());
  EXPECT_TRUE(top->isVisible());
  const QModelIndex lastLabel = top->indexAt(QPoint(top->width() - 2, 1));
  EXPECT_EQ(lastLabel.row(), 0);
  EXPECT_TRUE(lastLabel.data().toString().endsWith("(12)")) << lastLabel.data().toString().toStdString();
  // Each column is wide enough for its label, shown without its padding.
  const QString label = view.GridModel()->index(0, 13).data().toString().trimmed();
  EXPECT_GE(top->columnWidth(13), view.fontMetrics().horizontalAdvance(label)) << label.toStdString();
  EXPECT_EQ(top->columnWidth(13), view.columnWidth(13));
  QTableView* corner = view.CornerView();
  EXPECT_EQ(corner->indexAt(QPoint(corner->width() - 2, corner->height() - 2)),
            view.GridModel()->index(1, 1));  // the grand total
}

}  // namespace
}  // namespace kovalin::app
