#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "app/shell/number_locale.h"

#include "app/views/record_table_model.h"

namespace kovalin::app {
namespace {

QString Shown(const tRecordTableModel& model, int row, int col) {
  return model.data(model.index(row, col)).toString();
}

// A parameter table as the creation dialog makes it: Id 0, PA..P 2 decimals.
struct ParameterTable : ::testing::Test {
  ParameterTable() {
    createParamPV_DB(frame);
    frame.Setstatus(sEdit);
  }
  tRecordTableFrame frame;
  tRecordTableModel model{frame};
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// A user whose locale writes decimal commas, as the program starts.
TEST_F(ParameterTable, NumbersKeepThePointUnderADecimalCommaLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale here";
  KeepPointDecimalNumbers();
  frame.DataTable1.SetElem(2, 1, 0.85);
  frame.DataTable1.SetElem(3, 1, 0.004);
  const QString fixed = Shown(model, 0, 1);
  const QString exponent = Shown(model, 0, 2);
  model.setData(model.index(0, 3), "0,25");
  const double typed = frame.DataTable1.GetElem(4, 1);
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(fixed, "0.85");
  EXPECT_EQ(exponent, "4.0E-03");
  EXPECT_DOUBLE_EQ(typed, 0.25);
}

TEST_F(ParameterTable, ShowsTheStoreThroughTheGridRules) {
  EXPECT_EQ(model.columnCount(), 9);
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "PA");
  TDataTable& store = frame.DataTable1;
  store.SetElem(2, 1, 0.004);  // below 10^-2: exponent form
  store.SetElem(3, 1, 0.01);
  store.SetCellState(4, 1, kCellNotANumber);
  store.SetCellState(5, 1, kCellEmpty);
  store.SetElem(9, 1, 1234567890);  // 0 decimals, beyond 999999999
  EXPECT_EQ(Shown(model, 0, 1), "4.0E-03");
  EXPECT_EQ(Shown(model, 0, 2), "0.01");
  EXPECT_EQ(Shown(model, 0, 3), "-nan-");
  EXPECT_EQ(Shown(model, 0, 4), "");
  EXPECT_EQ(Shown(model, 0, 8), "1.2E+09");
  // A nominal column shows its labels, left-aligned.
  store.AddNominalLabel(1, "A1");
  store.SetElem(1, 1, 1);
  store.SetCellState(1, 1, kCellLabel);
  EXPECT_EQ(Shown(model, 0, 0), "A1");
  EXPECT_TRUE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
}

TEST_F(ParameterTable, StoresWhatTheUserTypesAndMarksTheTableModified) {
  QSignalSpy edited(&model, &tRecordTableModel::cellEdited);
  ASSERT_TRUE(model.setData(model.index(0, 1), "0,25"));
  EXPECT_DOUBLE_EQ(frame.DataTable1.GetElem(2, 1), 0.25);
  EXPECT_EQ(Shown(model, 0, 1), "0.25");
  EXPECT_TRUE(frame.pmodified);
  ASSERT_TRUE(model.setData(model.index(0, 2), "abc"));
  EXPECT_EQ(Shown(model, 0, 2), "-nan-");
  EXPECT_EQ(edited.count(), 2);
}

TEST_F(ParameterTable, RefusesEditsInStateSelection) {
  frame.Setstatus(sSelection);
  model.Repaint();
  EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model.setData(model.index(0, 1), "0.5"));
  EXPECT_DOUBLE_EQ(frame.DataTable1.GetElem(2, 1), 0.0);
  EXPECT_FALSE(frame.pmodified);
  frame.Setstatus(sEdit);
  EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
  // A locked cell stays closed even in state Edit.
  frame.DataTable1.SetCellState(3, 1, kCellLocked);
  EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
}

TEST_F(ParameterTable, FollowsRecordOperationsAfterReload) {
  frame.AddRecord();
  frame.AddRecord();
  model.Reload();
  EXPECT_EQ(model.rowCount(), 3);
  frame.DeleteRecord(1);
  model.Reload();
  EXPECT_EQ(model.rowCount(), 2);
}

}  // namespace
}  // namespace kovalin::app
