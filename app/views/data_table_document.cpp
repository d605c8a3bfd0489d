#include "app/views/data_table_document.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/shell/properties_list.h"
#include "app/shell/questions.h"
#include "app/views/data_table_frame.h"
#include "app/views/fixed_grid_view.h"
#include "app/views/frequency_grid_view.h"
#include "app/views/table_settings_dialog.h"
#include "app/views/xml_show.h"
#include "tables/csv_export.h"
#include "tables/frame_files.h"
#include "tables/xml_data_file.h"

namespace kovalin::app {

namespace {

QString FromStd(const std::string& s) { return QString::fromStdString(s); }

tPercentView ViewOfTab(int tab) {
  switch (tab) {
    case 1: return tPercentView::ByColumns;
    case 2: return tPercentView::Totals;
    default: return tPercentView::ByRows;
  }
}

}  // namespace

TFTabla::TFTabla(TFMDIParent* creator, bool tabFreqs, bool tabNTabEd, bool tabText, QWidget* parent)
    : tDocumentWindow(creator, parent) {
  setObjectName("FTabla");
  setAttribute(Qt::WA_DeleteOnClose);
  FormType = tFormType::F_Data;

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl");

  // Step 3: the frequency table and its grid from the current settings.
  table_.BuildFromSettings(CurrentTableSettings);
  grid_ = new tFrequencyGridView(table_, pages_);
  pages_->addTab(grid_, "Data");

  auto* percentPage = new QWidget(pages_);
  percentTabs_ = new QTabBar(percentPage);
  percentTabs_->addTab("% by rows");
  percentTabs_->addTab("% by columns");
  percentTabs_->addTab("% totals");
  percentModel_ = new tTextGridModel(&percent_, this);
  percentModel_->SetEditable(false);
  percentView_ = new tFixedGridView(percentPage);
  percentView_->setObjectName("SGPercent");
  percentView_->setAccessibleName("Percentage grid");
  percentView_->setModel(percentModel_);
  percentView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  percentView_->SetCellSize(percentView_->fontMetrics().horizontalAdvance(QString(11, '0')) + 8,
                            percentView_->fontMetrics().height() + 6);
  auto* percentLayout = new QVBoxLayout(percentPage);
  percentLayout->setContentsMargins(0, 0, 0, 0);
  percentLayout->addWidget(percentTabs_);
  percentLayout->addWidget(percentView_);
  pages_->addTab(percentPage, "Percentages");

  frame_ = new TFDataTable(pages_);
  pages_->addTab(frame_, " Input");
  text_ = new QPlainTextEdit(pages_);
  text_->setObjectName("TextEditor");
  text_->setAccessibleName("Text");
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  pages_->addTab(text_, " Text");

  toolBar_ = new QToolBar(this);
  toolBar_->installEventFilter(this);
  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(status_);
    panels_[i]->setAccessibleName(QString("Status panel %1").arg(i));
    status_->addWidget(panels_[i], i == 2 ? 1 : 0);
  }
  // The first two panels take what their texts need (the second none while
  // empty) and the position panel the rest of the window's 425 pixels; it
  // may be cut only in a narrower window, and then its tooltip shows it whole.
  panels_[2]->setMinimumWidth(panels_[2]->fontMetrics().horizontalAdvance(QString(10, '0')));
  BuildActions();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(pages_, 1);
  layout->addWidget(status_);

  // CreateTable's choice of pages; the status bar and the tool bar follow the Data page.
  pages_->setTabVisible(TSData, tabFreqs);
  pages_->setTabVisible(TSPR, tabFreqs);
  pages_->setTabVisible(TSNTabEd, tabNTabEd);
  pages_->setTabVisible(TSText, tabText);
  status_->setVisible(tabFreqs);
  toolBar_->setVisible(tabFreqs);
  toolBarAction_->setText(tabFreqs ? "Hide tool bar" : "Show tool bar");

  connect(pages_, &QTabWidget::currentChanged, this, &TFTabla::PageChanged);
  connect(percentTabs_, &QTabBar::currentChanged, this, [this] { ShowPercentages(); });
  connect(grid_, &tFrequencyGridView::statusChanged, this, &TFTabla::RefreshStatus);
  connect(grid_, &tFrequencyGridView::modifiedByEntry, this, [this] {
    table_.modified = true;
    UpdateModified();
    RefreshStatus();
  });
  connect(grid_, &tFrequencyGridView::copyRequested, this, &TFTabla::CopyToClipBoard);
  connect(grid_, &tFrequencyGridView::unlocked, this, [this] { SetPanel0("Editing", false); });
  connect(frame_, &TFDataTable::modifiedChanged, this, &TFTabla::UpdateModified);
  connect(frame_, &TFDataTable::columnsChanged, this, &TFTabla::assignDBType);
  frame_->SetNameProposal([this] { return RecordFileProposal(); });
  connect(frame_, &TFDataTable::fileNameChanged, this, [this](const QString& path) {
    if (path != "N/A") ShowFileRow(path);
  });

  // Step 4: title, Data page, panels, cursor on the first frequency.
  SetTitle(FromStd(table_.Alias));
  grid_->SetCursor(2, 2);
  if (tabFreqs) {
    pages_->setCurrentIndex(TSData);
    grid_->setFocus();
  }
  SetPanel0("", false);
  SetPanel(1, FromStd(table_.StatusPanel1Text()));
  SetPanel(2, FromStd(table_.CreationStatusText()));
  UpdateSaveButton();

  // Steps 2 and 5: size, no file, the XML file settings.
  resize(425, 280);
  SetFileSettings(QString(), "xml", kXmlFilter);
  RaizEliminable = true;
  propertyNames_ = {"Table", "File"};
  propertyValues_ = {QString::number(NumTable), "N/A"};
  SetProperties(&propertyNames_, &propertyValues_);
}

// The frequency table is erased with its window.
TFTabla::~TFTabla() { table_.Erase(grid_->CircularFocus()); }

void TFTabla::BuildActions() {
  settingsAction_ = new QAction("Table settings", this);
  connect(settingsAction_, &QAction::triggered, this, &TFTabla::TableSettingsCmd);
  saveAction_ = new QAction("&Save data", this);
  connect(saveAction_, &QAction::triggered, this, [this] { SaveCmd(0); });
  copyAction_ = new QAction("&Copy to clipboard   (Ctrl-C)", this);
  connect(copyAction_, &QAction::triggered, this, &TFTabla::CopyToClipBoard);
  toolBarAction_ = new QAction("Hide tool bar", this);
  connect(toolBarAction_, &QAction::triggered, this, &TFTabla::ToggleToolBar);
  circularAction_ = new QAction("Circular focus", this);
  circularAction_->setCheckable(true);
  circularAction_->setChecked(true);
  connect(circularAction_, &QAction::toggled, this, [this](bool on) { grid_->SetCircularFocus(on); });
  activeEditorAction_ = new QAction("Active editor mode", this);
  activeEditorAction_->setCheckable(true);
  connect(activeEditorAction_, &QAction::toggled, this, [this](bool on) { grid_->SetActiveEditorMode(on); });
  eraseAction_ = new QAction("&Erase data", this);
  connect(eraseAction_, &QAction::triggered, this, &TFTabla::EraseData);

  popup_ = new QMenu(this);
  for (QAction* a : {settingsAction_, saveAction_, copyAction_, toolBarAction_, circularAction_,
                     activeEditorAction_, eraseAction_}) {
    popup_->addAction(a);
  }
  QAction* settingsButton = toolBar_->addAction("Table settings", this, &TFTabla::TableSettingsCmd);
  settingsButton->setToolTip("Table settings");
  // The tool button shares the menu item's enabling, with the button's own caption.
  QAction* saveButton = toolBar_->addAction("Save table");
  connect(saveButton, &QAction::triggered, saveAction_, &QAction::trigger);
  connect(saveAction_, &QAction::enabledChanged, saveButton, &QAction::setEnabled);
}

QString TFTabla::StatusPanel(int panel) const { return panels_[panel < 0 || panel > 2 ? 0 : panel]->text(); }

bool TFTabla::StatusPanel0IsRed() const { return panels_[0]->styleSheet().contains("red"); }

void TFTabla::SetPanel(int panel, const QString& text) {
  QLabel* label = panels_[panel];
  label->setText(text);
  if (panel == 1) label->setVisible(!text.isEmpty());
  if (panel == 2) label->setToolTip(text);
}

void TFTabla::SetPanel0(const QString& text, bool red) {
  SetPanel(0, text);
  panels_[0]->setStyleSheet(red ? "color: red;" : "color: black;");
}

void TFTabla::RefreshStatus() {
  SetPanel0(FromStd(table_.StatusPanel0Text()), table_.StatusPanel0IsError());
  SetPanel(1, FromStd(table_.StatusPanel1Text()));
  const tGridPos at = grid_->Cursor();
  if (at.IsSet()) SetPanel(2, FromStd(table_.SelectionStatusText(at.col, at.row)));
  UpdateSaveButton();
}

void TFTabla::UpdateSaveButton() {
  saveAction_->setEnabled(pages_->currentIndex() == TSData && table_.modified);
}

void TFTabla::UpdateModified() {
  SetModified(table_.modified || frame_->Modified());
  UpdateSaveButton();
}

void TFTabla::SetTitle(const QString& title) {
  Alias = title;
  table_.Alias = title.toStdString();
  SetCaption(title);
}

QString TFTabla::RecordFileProposal() const {
  // A file read or written has a folder; a new table's file name is its title,
  // which has none and no extension: it is taken whole.
  const bool realFile = QDir::isAbsolutePath(pFilePath);
  QString name = (realFile ? pFileNameNoExt : pFileFullName.isEmpty() ? Alias : pFileFullName).trimmed();
  if (name.isEmpty()) return QString();
  name.replace('/', '_').replace('\\', '_');
  name += ".csv";
  return realFile ? QDir(pFilePath).filePath(name) : name;
}

void TFTabla::PageChanged(int page) {
  if (page == TSData) {
    status_->show();
    table_.AsignaDatos();
    grid_->Redraw();
    UpdateSaveButton();
    return;
  }
  saveAction_->setEnabled(false);
  ShowPercentages();
  status_->hide();
}

void TFTabla::ShowPercentages() {
  percent_ = table_.PercentageGrid(ViewOfTab(percentTabs_->currentIndex()));
  percentModel_->Refresh();
}

bool TFTabla::SaveCmd(int modo) {
  // Only the frequency table is written, and only from its own visible page.
  if (pages_->currentIndex() != TSData || !pages_->isTabVisible(TSData)) {
    UpdateSaveButton();
    return false;
  }
  QString path = pFileFullName;
  if (path.isEmpty() || modo == 1) {
    tFileRequest request;
    request.caption = "Save as";
    request.directory = pFilePath;
    request.proposedName = Alias;
    request.defaultSuffix = pfileExt.startsWith('.') ? pfileExt.mid(1) : pfileExt;
    request.filter = QtFileFilter(kXmlFilter);
    const tFileAnswer answer = Questions().AskSaveFile(request);
    if (!answer.accepted) {
      UpdateSaveButton();
      return false;
    }
    setFileFullName(answer.fileName);
    path = answer.fileName;
  }
  if (!XML(path, true)) {
    UpdateSaveButton();
    return false;
  }
  SetTitle(pFileName);
  if (TreeNode != nullptr) tDocumentTree::SetText(TreeNode, pFileName);
  table_.modified = false;
  UpdateModified();
  SetPanel0(" Saved", false);
  UpdateSaveButton();
  return true;
}

bool TFTabla::SaveNeedsFileDialog() const { return table_.modified && pages_->isTabVisible(TSData); }

void TFTabla::CommitPendingEdits() {
  frame_->CommitEdits();
  grid_->CommitOpenEditor();
}

QUndoStack* TFTabla::UndoStack() const { return frame_->UndoStack(); }

bool TFTabla::SaveToFile(int mode) {
  CommitPendingEdits();
  if (mode != 0) {
    // Save and Save as save the table in view: the record table on its page,
    // and always when the frequency table's pages are hidden.
    const bool records = pages_->currentIndex() == TSNTabEd || !pages_->isTabVisible(TSData);
    if (records) return mode == 1 ? frame_->SaveAsClick() : frame_->SaveClick();
    return SaveCmd(mode);
  }
  // The close prompt: whatever is modified is saved, or the window stays open.
  bool ok = true;
  if (frame_->Modified()) ok = frame_->SaveClick();
  if (ok && table_.modified && pages_->isTabVisible(TSData)) {
    setFileFullName(pFileName);  // the name the prompt's dialog just chose
    pages_->setCurrentIndex(TSData);
    ok = SaveCmd(0);
  }
  return ok;
}

// The record frame keeps its own file: it is set where a record file is read
// (Open) or chosen (the frame's buttons). Sharing the document's name would let
// an XML save and a record save overwrite each other's file, and would make a
// new table's title a file in the working folder.
void TFTabla::setFileFullName(const QString& name) {
  tDocumentWindow::setFileFullName(name);
  ShowFileRow(pFileFullName.isEmpty() ? "N/A" : pFileFullName);
}

void TFTabla::ShowFileRow(const QString& path) {
  if (propertyValues_.size() < 2 || propertyValues_[1] == path) return;
  propertyValues_[1] = path;
  if (ParentForm != nullptr && !ParentForm->DocumentsFrontToBack().isEmpty() &&
      ParentForm->DocumentsFrontToBack().front() == this) {
    ShowProperties();
  }
}

void TFTabla::ShowProperties() {
  propertyValues_[0] = QString::number(NumTable);
  tDocumentWindow::ShowProperties();
  if (PropertiesList == nullptr) return;
  PropertiesList->SetTitles(DBTypePropertiesTitle(pDBtype), " ");
  PropertiesList->AddRow("Type", DBTypeCaption(pDBtype));
}

bool TFTabla::XML(const QString& fileName, bool optionSave) {
  table_.Alias = Caption().toStdString();
  const std::string text = XmlDataText(table_);
  if (!optionSave) {
    auto* window = new TXML_Show(fileName, FromStd(text), this);
    window->show();
    return true;
  }
  text_->setPlainText(FromStd(text).remove('\r'));
  std::string reason;
  if (!WriteFileBytes(fileName.toStdString(), text, reason)) {
    ShowError("Kovalin", fileName + ": " + FromStd(reason));
    return false;
  }
  return true;
}

void TFTabla::ShowXmlStructure() { XML(pFileName.isEmpty() ? Caption() : pFileName, false); }

void TFTabla::CopyToClipBoard() {
  const tTextGrid& grid = pages_->currentIndex() == TSPR ? percent_ : table_.Grid;
  QGuiApplication::clipboard()->setText(FromStd(ClipboardText(grid)));
}

void TFTabla::EraseData() {
  No = 0;
  table_.Erase(grid_->CircularFocus());
  grid_->Redraw();
  if (!table_.DataLocked) grid_->UnlockForEditing();
  if (pages_->currentIndex() == TSPR) ShowPercentages();
}

void TFTabla::TableSettingsCmd() {
  auto* dialog = new TFTable_Settings(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
    TableSettingsClosedWith(result == QDialog::Accepted, dialog->TitleEdit()->text());
  });
  dialog->open();
}

void TFTabla::TableSettingsClosedWith(bool ok, const QString& typedTitle) {
  if (ok) {
    // The shown title: the main window may have given the caption ("Table 1")
    // after the frequency table took its empty title from the settings.
    const std::string previous = Caption().toStdString();
    table_.Asigna_DeRegATabla(CurrentTableSettings);
    if (table_.Alias.empty()) table_.Alias = previous;  // an empty setting leaves the title
    // A title typed in the dialog is what the user asked for: OK gives it to the
    // table, where the process-wide settings would otherwise drop it unseen.
    const QString typed = typedTitle.trimmed();
    if (!typed.isEmpty()) table_.Alias = typed.toStdString();
    grid_->Redraw();
    SetTitle(FromStd(table_.Alias));
    SetPanel0("", false);
    SetPanel(1, FromStd(table_.StatusPanel1Text()));
    SetPanel(2, FromStd(table_.SettingsAppliedStatusText()));
    grid_->SetCursor(2, 2);
    if (pages_->isTabVisible(TSData)) pages_->setCurrentIndex(TSData);
  }
  const QString title = Alias.trimmed();
  if (!title.isEmpty()) {
    TableSettingsClosed(title.toStdString());
    if (TreeNode != nullptr) tDocumentTree::SetText(TreeNode, title);
    SetTitle(title);
  }
}

void TFTabla::createRawData() {
  pDBtype = kovalin::createRawData(frame_->Frame());
  frame_->TableChanged();
}

void TFTabla::createParamPV_DB() {
  pDBtype = kovalin::createParamPV_DB(frame_->Frame());
  frame_->TableChanged();
}

void TFTabla::assignDBType() { pDBtype = kovalin::assignDBType(frame_->Frame().DataTable1); }

void TFTabla::AdoptRecordFile(tRecordTableFile&& file, const QString& path) {
  AdoptRecordTable(frame_->Frame(), std::move(file), path.toStdString());
  frame_->TableChanged();
  frame_->Setstatus(sEdit);
  frame_->ShowPanels(false, false);
  frame_->Setstatus(sSelection);
  assignDBType();
}

void TFTabla::AdoptFrequencyTable(tFrequencyTable&& table) {
  table_.BuildFromSettings(CurrentTableSettings);
  for (int i = 1; i <= table.TablaDimR; ++i) {
    for (int j = 1; j <= table.TablaDimC; ++j) table_.SetValue(i, j, table.Value(i, j));
  }
  table_.flgDataIsReal = table.flgDataIsReal;
  table_.AsignaDatos();
  SetTitle(FromStd(table.Alias));
  grid_->Redraw();
  grid_->SetCursor(2, 2);
  RefreshStatus();
  SetPanel0("", false);
}

void TFTabla::ToggleToolBar() {
  const bool show = toolBar_->isHidden();
  toolBar_->setVisible(show);
  toolBarAction_->setText(show ? "Hide tool bar" : "Show tool bar");
}

void TFTabla::keyReleaseEvent(QKeyEvent* event) {
  // The frequency grid copies by itself; the release reaches the window from
  // the other controls, the percentage grid among them. Only over those two
  // pages: on the Input and Text pages Ctrl+C is the record grid's and the
  // editor's own copy, which the frequency table must not replace.
  const bool pressedHere = copyKeys_.Released(event);
  const bool pressedInPercentages = percentView_->IsCopyRelease(event);
  const int page = pages_->currentIndex();
  const bool gridPage = pages_->isTabVisible(TSData) && (page == TSData || page == TSPR);
  if ((pressedHere || pressedInPercentages) && gridPage) {
    CopyToClipBoard();
    event->accept();
    return;
  }
  tDocumentWindow::keyReleaseEvent(event);
}

void TFTabla::keyPressEvent(QKeyEvent* event) {
  if (copyKeys_.Pressed(event)) {
    event->accept();
    return;
  }
  tDocumentWindow::keyPressEvent(event);
}

bool TFTabla::eventFilter(QObject* watched, QEvent* event) {
  if (watched == toolBar_ && event->type() == QEvent::MouseButtonDblClick) {
    ToggleToolBar();
    return true;
  }
  return tDocumentWindow::eventFilter(watched, event);
}

void TFTabla::contextMenuEvent(QContextMenuEvent* event) {
  popup_->popup(event->globalPos());
  event->accept();
}

}  // namespace kovalin::app
