#include "app/results/results_document.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/results/results_save.h"
#include "app/results/text_logic.h"
#include "app/shell/properties_list.h"
#include "app/shell/questions.h"

namespace kovalin::app {

TFResults::TFResults(TFMDIParent* creator, bool rtfDocument, QWidget* parent)
    : tDocumentWindow(creator, parent), IsRTF(rtfDocument) {
  FormType = tFormType::F_Results;
  RaizEliminable = true;
  SetFileSettings(QString(), "rtf", "*.rtf|rtf");
  pages_ = new QTabWidget(this);
  gridModel_ = new tOutputGridModel(this);
  gridView_ = new tOutputGridView(gridModel_, pages_);
  textEditorLog_ = new TTextEditor(pages_);
  textEditor1_ = new TTextEditor(pages_);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setFixedPitch(true);
  textEditor1_->Memo1()->setFont(courier);
  // Saving the analysis text from its page's own Save keeps it as surely as
  // the document's Save: the close need not ask again.
  connect(textEditor1_, &TTextEditor::saved, this, [this] {
    flgSaved = true;
    SetModified(false);
  });
  pages_->addTab(gridView_, "Output");
  pages_->addTab(textEditorLog_, "Log");
  pages_->addTab(textEditor1_, "Text File");
  plot_ = new tSimPlotView(pages_);
  pages_->addTab(plot_, "Plot");
  pages_->setTabVisible(ts_Plot, false);
  forest_ = new tForestPlotPage(pages_);
  pages_->addTab(forest_, "Plot");
  pages_->setTabVisible(ts_Forest, false);

  statusBar_ = new QStatusBar(this);
  statusBar_->setSizeGripEnabled(false);
  progressPanel_ = new QProgressBar(statusBar_);
  progressPanel_->setRange(0, 100);
  statusBar_->addPermanentWidget(progressPanel_);
  progressPanel_->setVisible(false);

  stopped_ = new QFrame(this);
  static_cast<QFrame*>(stopped_)->setFrameShape(QFrame::StyledPanel);
  auto* stoppedLayout = new QHBoxLayout(stopped_);
  stoppedLayout->setContentsMargins(6, 3, 6, 3);
  stoppedLabel_ = new QLabel(stopped_);
  stoppedLabel_->setWordWrap(true);
  stoppedLabel_->setAccessibleName("Run stopped");
  continueButton_ = new QPushButton("Continue", stopped_);
  continueButton_->setToolTip("Runs the records that did not finish, with the same seed, into "
                              "the same file");
  stoppedLayout->addWidget(stoppedLabel_, 1);
  stoppedLayout->addWidget(continueButton_);
  stopped_->setVisible(false);
  connect(continueButton_, &QPushButton::clicked, this, &TFResults::continueRequested);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(stopped_);
  layout->addWidget(pages_, 1);
  layout->addWidget(statusBar_);
}

void TFResults::ShowRunStopped(const QString& text, bool canContinue) {
  stoppedLabel_->setText(text);
  continueButton_->setVisible(canContinue);
  continueButton_->setEnabled(canContinue);
  stopped_->setVisible(true);
}

void TFResults::HideRunStopped() { stopped_->setVisible(false); }

void TFResults::Mout(std::string_view line) { textEditor1_->Document().AppendLine(line); }

void TFResults::ShowPage(tPage page, bool shown) { pages_->setTabVisible(page, shown); }

bool TFResults::PageShown(tPage page) const { return pages_->isTabVisible(page); }

void TFResults::SetPageCaption(tPage page, const QString& caption) {
  pages_->setTabText(page, caption);
}

QString TFResults::PageCaption(tPage page) const { return pages_->tabText(page); }

TFResults::tPage TFResults::ActivePage() const {
  return static_cast<tPage>(pages_->currentIndex());
}

void TFResults::SetActivePage(tPage page) { pages_->setCurrentIndex(page); }

void TFResults::ConfigAnalysis() {
  ShowPage(ts_Output_File, true);
  ShowPage(ts_Output_grid, false);
  ShowPage(ts_Output_Log, false);
  ShowPage(ts_Plot, false);
  ShowPage(ts_Forest, true);
  SetPageCaption(ts_Output_File, "Output");
  SetActivePage(ts_Output_File);
  statusBar_->setVisible(false);
  textEditor1_->Init(QString(), "*.txt");
}

void TFResults::ConfigResultados(const QString& fileName, const QString& logFileName,
                                 bool showGrid) {
  textEditor1_->Init(fileName, QString());
  textEditorLog_->Init(logFileName, QString());
  ShowPage(ts_Output_grid, showGrid);
  ShowPage(ts_Output_Log, true);
  ShowPage(ts_Output_File, false);
  ShowPage(ts_Plot, true);
  ShowPage(ts_Forest, false);
  SetActivePage(showGrid ? ts_Output_grid : ts_Output_Log);
}

bool TFResults::bSave_Click() {
  const tResultsSaveProposal p = ProposeResultsSave(Caption(), IsRTF);
  Alias = p.alias;
  tFileRequest request;
  request.caption = "Save results";
  request.proposedName = p.proposedName;
  request.filter = p.filter;
  request.selectedFilter = p.selectedFilter;
  request.defaultSuffix = p.defaultSuffix;
  const tFileAnswer answer = Questions().AskSaveFile(request);
  if (!answer.accepted) return false;
  QString error;
  if (!SaveTextLines(answer.fileName, textEditor1_->Lines(), error)) {
    ShowError("Kovalin", error);
    return false;
  }
  flgSaved = true;
  SetModified(false);
  return true;
}

bool TFResults::SaveToFile(int) { return bSave_Click(); }

void TFResults::ShowProperties() {
  TFMDIChild::ShowProperties();
  if (PropertiesList) PropertiesList->SetTitles("Results", " ");
}

}  // namespace kovalin::app
