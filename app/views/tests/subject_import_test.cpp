#include "app/views/subject_import.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/shell/main_window.h"
#include "app/testing/scripted_questions.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"

namespace kovalin::app {
namespace {

// An identifier, the two tests and the biopsy; line 4 has no MRI result.
const char* kStudy =
    "id,mammo,mri,biopsy\n"
    "1,pos,pos,malignant\n"
    "2,neg,pos,benign\n"
    "3,pos,,malignant\n"
    "4,neg,neg,benign\n"
    "5,neg,neg,benign\n";

class SubjectImport : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    CurrentTableSettings = rTableSettings{};
    QFile f(dir_.filePath("study.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kStudy);
    path_ = f.fileName();
  }
  void TearDown() override { CurrentTableSettings = rTableSettings{}; }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(SubjectImport, DialogShowsTheFirstRowsAndNamesTheTestsAfterTheirColumns) {
  const tSubjectPreview preview = PreviewSubjectFile(path_.toStdString(), 8);
  ASSERT_TRUE(preview.ok);
  TFSubjectImport dialog(path_, preview);
  dialog.open();
  EXPECT_EQ(dialog.PreviewTable()->rowCount(), 5);
  EXPECT_EQ(dialog.PreviewTable()->item(1, 3)->text(), "benign");
  // The identifier is left out of the first choice.
  EXPECT_EQ(dialog.ColumnBox(0)->currentIndex(), 1);
  EXPECT_EQ(dialog.ColumnBox(2)->currentIndex(), 3);
  EXPECT_EQ(dialog.NameEdit(0)->text(), "mammo");
  dialog.ColumnBox(1)->setCurrentIndex(0);
  EXPECT_EQ(dialog.NameEdit(1)->text(), "id");
  dialog.ColumnBox(1)->setCurrentIndex(2);
  dialog.NameEdit(0)->setText(" Mammography ");
  dialog.PositiveEdit()->setText("malignant,pos");
  dialog.NegativeEdit()->setText("benign,neg");
  const tSubjectChoice choice = dialog.Choice();
  EXPECT_EQ(choice.a, 2);
  EXPECT_EQ(choice.b, 3);
  EXPECT_EQ(choice.gold, 4);
  EXPECT_EQ(choice.names.a, "Mammography");
  EXPECT_EQ(choice.names.b, "mri");
  dialog.accept();
}

TEST_F(SubjectImport, RowsLeftOutAreAskedAboutAndTheTableHoldsTheCells) {
  tSubjectChoice choice;
  choice.a = 2;
  choice.b = 3;
  choice.gold = 4;
  choice.names = {"Mammography", "MRI"};
  choice.positive = "malignant,pos";
  choice.negative = "benign,neg";
  TFMain window;
  ScriptedQuestions().AnswerNext(tAnswer::Cancel);
  EXPECT_EQ(ImportSubjectsFromChoice(window, path_, choice), nullptr);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains(
      "study.csv: 1 of 5 rows left out (1 with a missing code), on line 4"))
      << ScriptedQuestions().Messages()[0].text.toStdString();
  EXPECT_TRUE(window.DocumentsFrontToBack().isEmpty());

  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  TFTabla* table = ImportSubjectsFromChoice(window, path_, choice);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->pDBtype, DBRawData);
  const TDataTable& cells = table->Frame()->Frame().DataTable1;
  ASSERT_EQ(cells.NrOfRows(), 1);
  const double expected[9] = {1, 1, 0, 0, 0, 0, 0, 1, 2};  // Id, then +++ ... ---
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(cells.GetElem(c, 1), expected[c - 1]) << "column " << c;
  EXPECT_EQ(TestNamesOf(table).b, "MRI");
  // No file behind it: a save never writes over the subjects' file.
  EXPECT_EQ(table->Frame()->Frame().pFilename, "N/A");
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
  for (TFMDIChild* d : window.DocumentsFrontToBack()) d->IsCloseQuery = false;
}

TEST_F(SubjectImport, CodesThatReadNoSubjectCreateNothing) {
  TFMain window;
  tSubjectChoice choice;  // the biopsy's words are no codes without being given
  choice.a = 2;
  choice.b = 3;
  choice.gold = 4;
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  EXPECT_EQ(ImportSubjectsFromChoice(window, path_, choice), nullptr);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].kind, tMessageKind::Error);
  EXPECT_TRUE(window.DocumentsFrontToBack().isEmpty());
}

}  // namespace
}  // namespace kovalin::app
