#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTableView>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

#include "app/shell/main_desk.h"
#include "app/testing/scripted_questions.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "app/views/frequency_grid_view.h"
#include "app/views/table_commands.h"

namespace kovalin::app {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

class DataTableDocument : public ::testing::Test {
 protected:
  DataTableDocument() {
    ScriptedQuestions().Reset();
    AskOnClose = true;
    CurrentTableSettings = rTableSettings{};
    desk.FormCreate();
  }
  ~DataTableDocument() override {
    // Close what is left without prompts.
    for (TFMDIChild* d : desk.DocumentsFrontToBack()) d->IsCloseQuery = false;
    while (!desk.DocumentsFrontToBack().isEmpty()) {
      if (!desk.DocumentsFrontToBack().front()->RequestClose()) break;
    }
    CurrentTableSettings = rTableSettings{};
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
  }
  // A document with a 2 x 2 frequency table titled Study A holding 12, 5 / 3, 20.
  TFTabla* StudyA() {
    const QString xml = Write("study.xml",
        "<dataset><table><title>Study A</title><dim><dimrows>2</dimrows><dimcols>2</dimcols></dim>"
        "<labels><lblrows>R</lblrows><lblcols>C</lblcols></labels><sampling>0</sampling><cells>"
        "<cell><row>1</row><col>1</col><val>12</val></cell><cell><row>1</row><col>2</col><val>5</val></cell>"
        "<cell><row>2</row><col>1</col><val>3</val></cell><cell><row>2</row><col>2</col><val>20</val></cell>"
        "</cells></table></dataset>");
    return LoadTableFile(desk, xml);
  }
  QTemporaryDir dir;
  tMainDesk desk;
};

TEST_F(DataTableDocument, ANewRawDataTableShowsOnlyItsInputPageInStateEdit) {
  TFTabla* doc = NewTableFromOptions(desk, {"  Trial  ", true, itRawData});
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->Pages()->isTabVisible(TFTabla::TSData));
  EXPECT_FALSE(doc->Pages()->isTabVisible(TFTabla::TSPR));
  EXPECT_FALSE(doc->Pages()->isTabVisible(TFTabla::TSText));
  EXPECT_EQ(doc->Pages()->currentIndex(), TFTabla::TSNTabEd);
  EXPECT_EQ(doc->Frame()->StateText(), "Edit");
  EXPECT_EQ(doc->Frame()->Model()->columnCount(), 9);
  EXPECT_EQ(doc->pDBtype, DBRawData);
  EXPECT_EQ(doc->pFileName, "Trial");
  EXPECT_EQ(tDocumentTree::Text(doc->TreeNode), "Trial");
  EXPECT_EQ(doc->Caption(), "Table 1");
  // The title is no file of the record table: its save asks where to write.
  EXPECT_EQ(doc->Frame()->Frame().pFilename, "N/A");
  doc->ShowProperties();
  EXPECT_EQ(desk.Properties().Title(0), "Data table");
  EXPECT_EQ(desk.Properties().Value(desk.Properties().RowCount() - 1), "Raw Data");

  // The table settings' OK gives the caption to the tree node: they agree again.
  doc->TableSettingsClosedWith(true);
  EXPECT_EQ(doc->Caption(), "Table 1");
  EXPECT_EQ(tDocumentTree::Text(doc->TreeNode), "Table 1");
  EXPECT_EQ(CurrentTableSettings.Problema, "Table 1");
  // A title typed in the dialog reaches the caption, the node and the settings.
  doc->TableSettingsClosedWith(true, "  Screening study ");
  EXPECT_EQ(doc->Caption(), "Screening study");
  EXPECT_EQ(tDocumentTree::Text(doc->TreeNode), "Screening study");
  EXPECT_EQ(CurrentTableSettings.Problema, "Screening study");

  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  TFTabla* sesp = NewTableFromOptions(desk, {"", true, itParamsS});
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].text, "To be implemented ... ");
  EXPECT_EQ(sesp->pDBtype, DBnull);
}

TEST_F(DataTableDocument, AnOpenedTextFileIsInStateSelectionWithItsNameAsCaption) {
  const QString path = Write("trial 3.txt", "Id;PA\r\n1;0.25\r\n");
  TFTabla* doc = OpenTableFile(desk, path);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Caption(), "trial 3");
  EXPECT_EQ(doc->Frame()->StateText(), "Selection");
  EXPECT_EQ(doc->pDBtype, DBparamsVP);
  EXPECT_EQ(doc->Frame()->Model()->data(doc->Frame()->Model()->index(0, 1)).toString(), "0.25");
  EXPECT_FALSE(doc->Frame()->Model()->flags(doc->Frame()->Model()->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(DataTableDocument, AFileThatCannotBeReadGivesOneMessageAndNoDocument) {
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  EXPECT_EQ(OpenTableFile(desk, dir.filePath("gone.csv")), nullptr);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().Messages()[0].text.contains("gone.csv"));
  EXPECT_TRUE(desk.DocumentsFrontToBack().isEmpty());
}

TEST_F(DataTableDocument, AFileThatIsNotATableIsRefusedWithItsReasonAndNoDocument) {
  const QString empty = Write("empty.txt", "");
  const QString binary = Write("image.png", QByteArray("\x89PNG\r\n\x1a\n\x01\x02", 10));
  for (const QString& path : {empty, binary}) {
    ScriptedQuestions().AnswerNext(tAnswer::Ok);
    EXPECT_EQ(OpenTableFile(desk, path), nullptr);
  }
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 2);
  EXPECT_EQ(ScriptedQuestions().Messages()[0].text, empty + ": it holds no text; it is not a table");
  EXPECT_TRUE(ScriptedQuestions().Messages()[1].text.endsWith("), not text; it is not a table"));
  EXPECT_TRUE(desk.DocumentsFrontToBack().isEmpty());
}

TEST_F(DataTableDocument, LoadWarningsShowTwentyAndHowManyMore) {
  QByteArray text = "Id;PA\r\n0;0.5\r\n";
  for (int i = 1; i <= 30; ++i) text += QByteArray::number(i) + "\r\n";  // 30 short lines
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  TFTabla* doc = OpenTableFile(desk, Write("short.txt", text));
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 1);
  const QStringList lines = ScriptedQuestions().Messages()[0].text.split('\n');
  ASSERT_EQ(lines.size(), 21);
  EXPECT_TRUE(lines[0].endsWith(":3: the line has 1 of the 2 fields; column \"PA\" is missing there"));
  EXPECT_EQ(lines[20], "and 10 more");
  EXPECT_EQ(doc->Frame()->Model()->data(doc->Frame()->Model()->index(1, 1)).toString(), "");
}

TEST_F(DataTableDocument, SaveWritesTheXmlFileOnlyFromTheDataPage) {
  TFTabla* doc = StudyA();
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->Pages()->isTabVisible(TFTabla::TSText));
  EXPECT_EQ(doc->Caption(), "study.xml");
  const QString target = dir.filePath("copy.xml");
  // Save as from the Input page saves the record table, under a name asked for.
  doc->Pages()->setCurrentIndex(TFTabla::TSNTabEd);
  ScriptedQuestions().AnswerNextFile(dir.filePath("records.csv"));
  EXPECT_TRUE(doc->SaveToFile(1));
  ASSERT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().FileRequests()[0].filter.contains("*.csv"));
  EXPECT_TRUE(QFile::exists(dir.filePath("records.csv")));
  EXPECT_FALSE(QFile::exists(target));

  doc->Pages()->setCurrentIndex(TFTabla::TSData);
  ScriptedQuestions().AnswerNextFile(target);
  ASSERT_TRUE(doc->SaveToFile(1));
  const QByteArray written = ReadAll(target);
  EXPECT_TRUE(written.startsWith("<dataset text=\"Kovalin_data\">\r\n  <table>\r\n    <title>study.xml</title>"));
  EXPECT_TRUE(written.contains("<val>20</val>"));
  EXPECT_EQ(doc->Caption(), "copy.xml");
  EXPECT_EQ(doc->StatusPanel(0), " Saved");

  // Read back into a new document.
  TFTabla* again = LoadTableFile(desk, target);
  ASSERT_NE(again, nullptr);
  EXPECT_DOUBLE_EQ(again->Frequencies().Value(0, 0), 40);
}

TEST_F(DataTableDocument, CtrlCCopiesTheGridOnView) {
  TFTabla* doc = StudyA();
  ASSERT_NE(doc, nullptr);
  QTest::keyClick(doc->FrequencyGrid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "\tC(1)\tC(2)\tTotal\r\nR(1)\t12\t5\t17\r\nR(2)\t3\t20\t23\r\nTotal\t15\t25\t40 ");
  doc->Pages()->setCurrentIndex(TFTabla::TSPR);
  QTest::keyClick(doc->PercentageView(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("\tC(1)\tC(2)\tTotal\r\nR(1)\t70.59\t29.41\t100.00"));
  EXPECT_EQ(doc->PercentageGrid().Cell(1, 0), "     Total");
  // On the Input and Text pages Ctrl+C is their controls' own copy.
  for (const int page : {TFTabla::TSNTabEd, TFTabla::TSText}) {
    doc->Pages()->setCurrentIndex(page);
    QGuiApplication::clipboard()->setText("mine");
    QWidget* control = page == TFTabla::TSText ? static_cast<QWidget*>(doc->TextPage()) : doc->Frame()->Grid();
    QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->text().contains("C(1)")) << "page " << page;
  }
}

TEST_F(DataTableDocument, ABadFrequencyShowsDataErrorInRed) {
  TFTabla* doc = StudyA();
  ASSERT_NE(doc, nullptr);
  doc->show();
  QApplication::setActiveWindow(doc);
  doc->FrequencyGrid()->setFocus();
  doc->FrequencyGrid()->SetCursor(2, 2);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  QTest::keyClick(doc->FrequencyGrid(), Qt::Key_X);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(doc->StatusPanel(0), "DATA ERROR!");
  EXPECT_TRUE(doc->StatusPanel0IsRed());
  EXPECT_DOUBLE_EQ(doc->Frequencies().Value(1, 1), 12);
}

TEST_F(DataTableDocument, ATypedFrequencyMarksTheDocumentAndThePromptSavesItsXml) {
  TFTabla* doc = StudyA();
  ASSERT_NE(doc, nullptr);
  doc->show();
  QApplication::setActiveWindow(doc);
  doc->FrequencyGrid()->setFocus();
  doc->FrequencyGrid()->SetCursor(3, 3);
  QTest::keyClick(doc->FrequencyGrid(), Qt::Key_7);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(doc->StatusModificado);
  EXPECT_EQ(doc->StatusPanel(0), " Modified");
  EXPECT_TRUE(doc->SaveAction()->isEnabled());

  const QString target = dir.filePath("closing.xml");
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  ScriptedQuestions().AnswerNextFile(target);
  EXPECT_TRUE(doc->RequestClose());
  EXPECT_TRUE(ReadAll(target).contains("<val>7</val>"));
}

TEST_F(DataTableDocument, EditedRecordsAskBeforeTheDocumentCloses) {
  TFTabla* doc = NewTableFromOptions(desk, {"", true, itParamsPV});
  ASSERT_NE(doc, nullptr);
  doc->Frame()->Model()->setData(doc->Frame()->Model()->index(0, 1), "0.9");
  EXPECT_TRUE(doc->StatusModificado);
  QPointer<TFTabla> alive(doc);

  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(doc->RequestClose());
  ASSERT_EQ(ScriptedQuestions().SavePrompts().size(), 1);
  EXPECT_TRUE(alive);

  // Save and close writes the records to the file the frame asks for, and
  // asks for no XML file, which it would not write.
  const QString records = dir.filePath("params.csv");
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::SaveAndClose, false});
  ScriptedQuestions().AnswerNextFile(records);
  EXPECT_TRUE(doc->RequestClose());
  ASSERT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  EXPECT_TRUE(ScriptedQuestions().FileRequests()[0].filter.contains("*.csv"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(alive);
  EXPECT_TRUE(ReadAll(records).startsWith("Id\tPA\tPB"));
}

// 777 typed into a cell, no Enter, then Close: the text is kept and the close asks.
// File > Save and Save as then write the record table, which has no XML side.
TEST_F(DataTableDocument, CloseKeepsAnOpenEditorsTextAndSaveWritesTheRecordTable) {
  TFTabla* doc = NewTableFromOptions(desk, {"", true, itRawData});
  ASSERT_NE(doc, nullptr);
  QTableView* grid = doc->Frame()->Grid();
  grid->setCurrentIndex(doc->Frame()->Model()->index(0, 1));
  grid->edit(grid->currentIndex());
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("777");
  ScriptedQuestions().AnswerNextSavePrompt({tSavePromptChoice::Cancel, false});
  EXPECT_FALSE(doc->RequestClose());
  EXPECT_EQ(ScriptedQuestions().SavePrompts().size(), 1);
  const TDataTable& store = doc->Frame()->Frame().DataTable1;
  EXPECT_EQ(store.GetRawElem(2, 1), 777);

  const QString path = dir.filePath("raw.csv");
  ScriptedQuestions().AnswerNextFile(path);
  EXPECT_TRUE(doc->SaveToFile(-1));
  EXPECT_FALSE(doc->StatusModificado);
  EXPECT_TRUE(ReadAll(path).simplified().contains("0 777 0")) << ReadAll(path).toStdString();
  // The next Save writes the same file without asking; Save as asks first.
  doc->Frame()->Model()->setData(doc->Frame()->Model()->index(0, 2), "5");
  EXPECT_TRUE(doc->StatusModificado);
  EXPECT_TRUE(doc->SaveToFile(-1));
  EXPECT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  EXPECT_TRUE(ReadAll(path).simplified().contains("0 777 5 0"));
  const QString copy = dir.filePath("copy.csv");
  ScriptedQuestions().AnswerNextFile(copy);
  EXPECT_TRUE(doc->SaveToFile(1));
  EXPECT_EQ(ScriptedQuestions().FileRequests().size(), 2);
  EXPECT_EQ(ReadAll(copy), ReadAll(path));
  EXPECT_TRUE(doc->RequestClose());  // saved: no question
  EXPECT_EQ(ScriptedQuestions().SavePrompts().size(), 1);
}

TEST_F(DataTableDocument, TheRecordSaveProposesTheTitleAndPropertiesShowTheFileSavedTo) {
  TFTabla* doc = NewTableFromOptions(desk, {"Trial/2", true, itRawData});
  ASSERT_NE(doc, nullptr);
  const QString records = dir.filePath("records.csv");
  ScriptedQuestions().AnswerNextFile(records);
  ASSERT_TRUE(doc->Frame()->SaveClick());
  ASSERT_EQ(ScriptedQuestions().FileRequests().size(), 1);
  EXPECT_EQ(ScriptedQuestions().FileRequests()[0].proposedName, "Trial_2.csv");
  auto fileRow = [&] {
    for (int row = 0; row < desk.Properties().RowCount(); ++row) {
      if (desk.Properties().Name(row) == "File") return desk.Properties().Value(row);
    }
    return QString("(no File row)");
  };
  EXPECT_EQ(fileRow(), records);

  // An XML document's records propose its own name in its folder.
  TFTabla* study = StudyA();
  ASSERT_NE(study, nullptr);
  EXPECT_EQ(fileRow(), dir.filePath("study.xml"));
  ScriptedQuestions().CancelNextFile();
  EXPECT_FALSE(study->Frame()->SaveClick());
  ASSERT_EQ(ScriptedQuestions().FileRequests().size(), 2);
  EXPECT_EQ(ScriptedQuestions().FileRequests()[1].proposedName, "study.csv");
  EXPECT_EQ(QDir(ScriptedQuestions().FileRequests()[1].directory), QDir(dir.path()));
}

TEST_F(DataTableDocument, TheStatusPanelsShowTheirTextsWholeInTheFirstWindowSize) {
  CurrentTableSettings.WinReg.DimR = 2;
  CurrentTableSettings.WinReg.DimC = 2;
  CurrentTableSettings.WinReg.AllowReals = true;
  auto doc = std::make_unique<TFTabla>(&desk, true, true, false);
  doc->show();
  doc->resize(425, 280);
  QApplication::processEvents();
  EXPECT_EQ(doc->width(), 425);  // the panels do not widen the window
  ASSERT_EQ(doc->StatusPanel(1), " Real values allowed");
  for (QLabel* panel : doc->findChildren<QLabel*>()) {
    if (!panel->accessibleName().startsWith("Status panel") || panel->text().isEmpty()) continue;
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()))
        << qPrintable(panel->accessibleName() + ": " + panel->text());
  }
}

}  // namespace
}  // namespace kovalin::app
