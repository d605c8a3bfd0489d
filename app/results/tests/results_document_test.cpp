#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/results/results_document.h"
#include "app/results/results_save.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

TEST(ResultsDocument, GridCopiesCellsAtFullPrecision) {
  TFResults results(nullptr, false);
  tOutputGridModel& model = *results.GridModel();
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.columnCount(), 5);
  EXPECT_EQ(model.rowCount(), 4);
  model.Redimension(3, 2);
  model.SetColName(2, "d(cover)");
  model.SetDecPlaces(2, 4);
  model.SetElem(1, 1, 1);
  model.SetElem(2, 1, 1.0 / 3);
  model.SetElem(3, 1, -999);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "d(cover)");
  EXPECT_EQ(model.index(0, 1).data().toString(), "0.3333");
  results.NTabEd1()->selectionModel()->select(
      QItemSelection(model.index(0, 0), model.index(0, 2)), QItemSelectionModel::Select);
  results.NTabEd1()->CopySelection();
  EXPECT_EQ(QApplication::clipboard()->text(), "1\t0.3333333333333333\t-999\r\n");
}

TEST(ResultsDocument, GridColumnsWidenToWideValuesAndHeaders) {
  TFResults results(nullptr, false);
  tOutputGridModel& model = *results.GridModel();
  tOutputGridView* view = results.NTabEd1();
  QHeaderView* header = view->horizontalHeader();
  model.Redimension(3, 2);
  model.SetColName(1, "Rec");
  model.SetColName(2, "Fd/F2R(cover), a long column name");
  model.SetDecPlaces(3, 9);
  model.SetElem(3, 2, 123456789012.5);
  view->FitColumns();
  const QFontMetrics cells(view->font());
  EXPECT_EQ(header->sectionSize(0), header->defaultSectionSize());
  EXPECT_GE(header->sectionSize(1), QFontMetrics(header->font()).horizontalAdvance(
                                        "Fd/F2R(cover), a long column name"));
  EXPECT_GE(header->sectionSize(2), cells.horizontalAdvance(model.index(1, 2).data().toString()));
  // A column the user widened stays as wide; a new run starts from the default.
  header->resizeSection(0, 300);
  model.SetElem(1, 1, 1);
  view->FitColumns();
  EXPECT_EQ(header->sectionSize(0), 300);
  model.Redimension(3, 2);
  view->FitColumns();
  EXPECT_EQ(header->sectionSize(0), header->defaultSectionSize());
}

TEST(ResultsDocument, SaveProposesTheCaptionAndWritesRichTextByName) {
  ScriptedQuestions().Reset();
  QTemporaryDir dir;
  TFResults results(nullptr, true);
  results.ConfigAnalysis();
  results.SetCaption("Results 1.2");
  results.Mout("\xC2\xB7PPV \xC2\xB1 0.1");
  const QString name = dir.filePath("out.Rtf");
  ScriptedQuestions().AnswerNextFile(name);
  ASSERT_TRUE(results.SaveToFile(-1));
  const tFileRequest& request = ScriptedQuestions().FileRequests().last();
  EXPECT_EQ(request.proposedName, "Results 1.2");
  EXPECT_EQ(request.defaultSuffix, "rtf");
  EXPECT_TRUE(results.flgSaved);
  QFile f(name);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("\\u183?PPV \\u177? 0.1\\par"));
  // A cancelled dialog changes nothing.
  ScriptedQuestions().CancelNextFile();
  EXPECT_FALSE(results.SaveToFile(1));
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

// An analysis's text exists only in its window until saved: closing asks.
TEST(ResultsDocument, AnUnsavedAnalysisAsksAtCloseAndASavedOneDoesNot) {
  ScriptedQuestions().Reset();
  AskOnClose = true;
  QTemporaryDir dir;
  TFResults analysis(nullptr, false);
  analysis.ConfigAnalysis();
  analysis.SetCaption("Results 1.1");
  analysis.Mout("PPV 0.5");
  analysis.MarkUnsaved();
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(analysis.FormCloseQuery());
  ASSERT_EQ(ScriptedQuestions().SavePrompts().size(), 1);
  EXPECT_EQ(ScriptedQuestions().SavePrompts()[0], "Results 1.1\nhas been modified. Save before close?");
  // Save and close: the results save dialog, once, and the text is in the file.
  const QString path = dir.filePath("results.txt");
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  ScriptedQuestions().AnswerNextFile(path);
  EXPECT_TRUE(analysis.FormCloseQuery());
  EXPECT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("PPV 0.5"));
  EXPECT_FALSE(analysis.StatusModificado);
  EXPECT_TRUE(analysis.FormCloseQuery());
  EXPECT_EQ(ScriptedQuestions().SavePrompts().size(), 2);
  // "Don't ask again" holds for results too.
  TFResults second(nullptr, false);
  second.ConfigAnalysis();
  second.MarkUnsaved();
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::Discard, true});
  EXPECT_TRUE(second.FormCloseQuery());
  TFResults third(nullptr, false);
  third.ConfigAnalysis();
  third.MarkUnsaved();
  EXPECT_TRUE(third.FormCloseQuery());
  EXPECT_EQ(ScriptedQuestions().SavePrompts().size(), 3);
  AskOnClose = true;
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

// The text saved from its own page's Save button is kept: the close asks nothing.
TEST(ResultsDocument, AnAnalysisSavedFromItsTextPageClosesWithoutAsking) {
  ScriptedQuestions().Reset();
  AskOnClose = true;
  QTemporaryDir dir;
  TFResults analysis(nullptr, false);
  analysis.ConfigAnalysis();
  analysis.Mout("PPV 0.5");
  analysis.MarkUnsaved();
  analysis.TextEditor1()->SetTxtModificado(true);
  ScriptedQuestions().AnswerNextFile(dir.filePath("page.txt"));
  analysis.TextEditor1()->tbSaveClick();
  EXPECT_TRUE(QFile::exists(dir.filePath("page.txt")));
  EXPECT_FALSE(analysis.TextEditor1()->TxtModificado());
  EXPECT_FALSE(analysis.StatusModificado);
  EXPECT_TRUE(analysis.FormCloseQuery());
  EXPECT_TRUE(ScriptedQuestions().SavePrompts().empty());
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

}  // namespace
}  // namespace kovalin::app
