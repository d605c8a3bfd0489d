#include "app/views/data_table_frame.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/shell/questions.h"
#include "tables/frame_files.h"
#include "tables/warning_summary.h"

namespace kovalin::app {

namespace {

constexpr const char* kCaption = "Kovalin";
constexpr const char* kCsvFilter = "Text delimited (*.csv);;All files (*.*)";

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void MoveCursorDown(QTableView* view) {
  const QModelIndex at = view->currentIndex();
  const QModelIndex below = at.sibling(at.row() + 1, at.column());
  if (below.isValid()) view->selectionModel()->setCurrentIndex(below, QItemSelectionModel::ClearAndSelect);
}

// Enter in a cell editor stores the text and moves the cursor one row down.
class tDownOnEnterDelegate : public QStyledItemDelegate {
 public:
  explicit tDownOnEnterDelegate(QTableView* view) : QStyledItemDelegate(view), view_(view) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event)->key())) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      MoveCursorDown(view_);
      return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  QTableView* view_;
};

QString FromStd(const std::string& s) { return QString::fromStdString(s); }

bool IsRedo(const QKeyEvent* event) {
  return event->matches(QKeySequence::Redo) ||
         (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier);
}

// The keys the record grid takes as a spreadsheet does, while no cell editor is open.
enum class tGridKey { None, Copy, Cut, Paste, Clear, Undo, Redo, StartEdit };

tGridKey GridKeyOf(const QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return tGridKey::Copy;
  if (event->matches(QKeySequence::Cut)) return tGridKey::Cut;
  if (event->matches(QKeySequence::Paste)) return tGridKey::Paste;
  if (event->matches(QKeySequence::Undo)) return tGridKey::Undo;
  if (IsRedo(event)) return tGridKey::Redo;
  if (event->key() == Qt::Key_Delete && !(event->modifiers() & ~Qt::KeypadModifier)) return tGridKey::Clear;
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (plain && (event->key() == Qt::Key_F2 || event->key() == Qt::Key_Backspace)) return tGridKey::StartEdit;
  if (plain && !event->text().isEmpty() && event->text().at(0).isPrint()) return tGridKey::StartEdit;
  return tGridKey::None;
}

// The record grid: Enter moves the cursor down, with or without an open editor;
// copy, cut, paste, Delete, undo and redo act on the selected cells; the frame
// carries them out (and says how to start editing when the table takes no edits).
class tRecordGridView : public QTableView {
 public:
  using QTableView::QTableView;
  bool Editing() const { return state() == EditingState; }
  // True when the frame handled the key.
  std::function<bool(tGridKey)> gridKey;

  // The text in an open cell editor is stored, as if Enter had been pressed in place.
  void CommitOpenEditor() {
    if (!Editing()) return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }

 protected:
  bool event(QEvent* event) override {
    // The main window's Edit shortcuts must not take these keys from the grid.
    if (event->type() == QEvent::ShortcutOverride && !Editing()) {
      const tGridKey key = GridKeyOf(static_cast<QKeyEvent*>(event));
      if (key != tGridKey::None && key != tGridKey::StartEdit) {
        event->accept();
        return true;
      }
    }
    return QTableView::event(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (IsEnter(event->key()) && !Editing()) {
      MoveCursorDown(this);
      event->accept();
      return;
    }
    if (!Editing() && gridKey && gridKey(GridKeyOf(event))) {
      event->accept();
      return;
    }
    QTableView::keyPressEvent(event);
  }
};

bool Editing(QTableView* view) { return static_cast<tRecordGridView*>(view)->Editing(); }

}  // namespace

TFDataTable::TFDataTable(QWidget* parent) : QWidget(parent), model_(new tRecordTableModel(frame_, this)) {
  setObjectName("FDataTable1");
  auto* grid = new tRecordGridView(this);
  grid->gridKey = [this](tGridKey key) { return GridKey(static_cast<int>(key)); };
  grid_ = grid;
  grid_->setObjectName("NTabEd1");
  grid_->setAccessibleName("Record table");
  grid_->setModel(model_);
  grid_->setItemDelegate(new tDownOnEnterDelegate(grid_));
  // Uniform rows: a table of any length scrolls without measuring its rows.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

  // The headings' own menus.
  for (QHeaderView* heading : {grid_->verticalHeader(), grid_->horizontalHeader()}) {
    heading->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(heading, &QHeaderView::customContextMenuRequested, this, [this, heading](const QPoint& at) {
      const int section = heading->logicalIndexAt(at);
      if (section < 0) return;
      QMenu menu;
      FillHeadingMenu(menu, heading->orientation(), section);
      menu.exec(heading->mapToGlobal(at));
    });
  }

  propertiesPanel_ = BuildPropertiesPanel();
  actionsPanel_ = BuildActionsPanel();

  statusText_ = new QLabel(this);
  statusText_->setAccessibleName("Frame state");
  statusText_->setMinimumWidth(90);
  modifiedText_ = new QLabel(this);
  modifiedText_->setAccessibleName("Record table modified");
  modifiedText_->setMinimumWidth(20);
  hintText_ = new QLabel(this);
  hintText_->setAccessibleName("Record table hint");
  propertiesButton_ = new QToolButton(this);
  propertiesButton_->setText("Properties");
  propertiesButton_->setAccessibleName("Properties");
  propertiesButton_->setToolTip("Show or hide the properties of the table");
  actionsButton_ = new QToolButton(this);
  actionsButton_->setText("Actions");
  actionsButton_->setAccessibleName("Actions");
  actionsButton_->setToolTip("Show or hide the record actions");
  connect(propertiesButton_, &QToolButton::clicked, this, [this] {
    const bool show = !PropertiesShown();
    ShowPanels(show, show);
    Setstatus(show ? sEdit : sSelection);
  });
  connect(actionsButton_, &QToolButton::clicked, this, [this] {
    const bool show = !ActionsShown();
    ShowPanels(false, show);
    Setstatus(show ? sEdit : sSelection);
  });

  auto* status = new QHBoxLayout;
  status->setContentsMargins(2, 0, 2, 0);
  status->addWidget(statusText_);
  status->addWidget(modifiedText_);
  status->addWidget(hintText_, 1);
  status->addStretch();
  status->addWidget(propertiesButton_);
  status->addWidget(actionsButton_);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->addWidget(propertiesPanel_);
  body->addWidget(grid_, 1);
  body->addWidget(actionsPanel_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(body, 1);
  layout->addLayout(status);

  connect(model_, &tRecordTableModel::modifiedChanged, this, [this](bool modified) {
    ShowStatus();
    emit modifiedChanged(modified);
  });
  connect(model_, &tRecordTableModel::shapeChanged, this, [this](bool columns) {
    ShowShape();
    if (columns) emit columnsChanged();
  });

  // A new frame: no file, not modified, side panels hidden, state Selection.
  ShowPanels(false, false);
  Setstatus(sSelection);
  frame_.Autosave = true;  // ticked at start
  autosave_->setChecked(true);
  TableChanged();
}

TFDataTable::~TFDataTable() { delete grid_; }

void TFDataTable::FillHeadingMenu(QMenu& menu, Qt::Orientation orientation, int section) {
  const bool editable = !frame_.NTabEd1.DataReadOnly();
  const int at = section + 1;  // the store counts from 1
  if (orientation == Qt::Vertical) {
    connect(menu.addAction("Select Row"), &QAction::triggered, this, [this, section] { grid_->selectRow(section); });
    QAction* insert = menu.addAction("Insert Row");
    QAction* remove = menu.addAction("Delete Row");
    insert->setEnabled(editable);
    remove->setEnabled(editable && frame_.DataTable1.NrOfRows() > 1);
    connect(insert, &QAction::triggered, this, [this, at] { model_->ChangeRows(true, at); });
    connect(remove, &QAction::triggered, this, [this, at] { model_->ChangeRows(false, at); });
    return;
  }
  connect(menu.addAction("Select Column"), &QAction::triggered, this, [this, section] { grid_->selectColumn(section); });
  QAction* insert = menu.addAction("Insert Column");
  QAction* remove = menu.addAction("Delete Column");
  insert->setEnabled(editable);
  remove->setEnabled(editable && frame_.DataTable1.NrOfColumns() > 1);
  connect(insert, &QAction::triggered, this, [this, at] {
    model_->ChangeShape("Insert column", [at](tRecordTableFrame& f) { return f.InsertColumn(at); });
  });
  connect(remove, &QAction::triggered, this, [this, at] {
    model_->ChangeShape("Delete column", [at](tRecordTableFrame& f) { return f.DeleteColumn(at); });
  });
}

void TFDataTable::CommitEdits() { static_cast<tRecordGridView*>(grid_)->CommitOpenEditor(); }

QUndoStack* TFDataTable::UndoStack() const { return model_->UndoStack(); }

QString TFDataTable::HintText() const { return hintText_->text(); }

bool TFDataTable::GridKey(int code) {
  const auto key = static_cast<tGridKey>(code);
  if (key == tGridKey::None) return false;
  if (key == tGridKey::Copy) {
    CopyCells();
    return true;
  }
  if (frame_.NTabEd1.DataReadOnly()) {
    // Said where the user looks: the key did nothing because of the state.
    hintText_->setText(kEditHint);
    return true;
  }
  switch (key) {
    case tGridKey::Cut:
      CopyCells();
      ClearSelectedCells();
      return true;
    case tGridKey::Paste:
      PasteCells();
      return true;
    case tGridKey::Clear:
      ClearSelectedCells();
      return true;
    case tGridKey::Undo:
      model_->UndoStack()->undo();
      return true;
    case tGridKey::Redo:
      model_->UndoStack()->redo();
      return true;
    default:
      return false;  // the grid opens its editor
  }
}

void TFDataTable::CopyCells() {
  const QString text = model_->CopyText(grid_->selectionModel()->selectedIndexes());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool TFDataTable::ClearSelectedCells() {
  QModelIndexList cells = grid_->selectionModel()->selectedIndexes();
  if (cells.isEmpty() && grid_->currentIndex().isValid()) cells << grid_->currentIndex();
  return model_->ClearCells(cells);
}

bool TFDataTable::PasteCells() {
  const QString text = QApplication::clipboard()->text();
  QModelIndex at = grid_->currentIndex();
  // A paste over a selection starts at its top left cell.
  for (const QModelIndex& i : grid_->selectionModel()->selectedIndexes()) {
    if (!at.isValid() || i.row() < at.row() || (i.row() == at.row() && i.column() < at.column())) at = i;
  }
  const int col = at.column();
  const int row = at.row();
  QString message;
  if (!model_->PasteBlock(at, text, message)) {
    ShowWarning(kCaption, message);
    return false;
  }
  // The pasted block stays selected, as spreadsheets leave it.
  const tCellBlock block = ParseCellBlock(text.toStdString());
  const QModelIndex first = model_->index(row, col);
  const QModelIndex last = model_->index(row + block.Height() - 1, col + block.Width() - 1);
  grid_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  grid_->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
  return true;
}

QWidget* TFDataTable::BuildPropertiesPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("PropertiesPanel");
  fieldsLabel_ = new QLabel(panel);
  recordsLabel_ = new QLabel(panel);
  fieldList_ = new QComboBox(panel);
  fieldList_->setAccessibleName("Field");
  decimals_ = new QSpinBox(panel);
  decimals_->setRange(0, TNTabEd::kMaxDecPlaces);
  decimals_->setAccessibleName("Decimals");
  fileLabel_ = new QLabel("N/A", panel);
  fileLabel_->setAccessibleName("File");
  fileLabel_->setToolTip("Double click to save under another name");
  fileLabel_->installEventFilter(this);
  fileLabel_->setAttribute(Qt::WA_Hover);

  delimiterGroup_ = new QButtonGroup(panel);
  auto* delimiters = new QVBoxLayout;
  const std::pair<const char*, TCSVDelimiters> choices[] = {
      {"Tab", csvTab}, {"Semicolon", csvSemicolon}, {"Comma", csvComma}, {"Blank", csvBlank}};
  for (const auto& [caption, code] : choices) {
    auto* button = new QRadioButton(caption, panel);
    delimiterGroup_->addButton(button, code);
    delimiters->addWidget(button);
  }
  delimiterGroup_->button(csvTab)->setChecked(true);
  connect(delimiterGroup_, &QButtonGroup::idClicked, this,
          [this](int id) { frame_.ExportDelimiter = static_cast<TCSVDelimiters>(id); });

  connect(fieldList_, &QComboBox::currentIndexChanged, this, [this](int i) {
    const QSignalBlocker block(decimals_);
    decimals_->setValue(frame_.NTabEd1.GetDecPlaces(i + 1));
  });
  connect(decimals_, &QSpinBox::valueChanged, this, [this](int value) {
    const int col = fieldList_->currentIndex() + 1;
    if (col < 1) return;
    frame_.NTabEd1.SetDecPlaces(col, value);
    model_->Repaint();
  });

  auto* close = new QPushButton("Close", panel);
  close->setAccessibleName("Close properties");
  connect(close, &QPushButton::clicked, this, [this] {
    ShowPanels(false, false);
    Setstatus(sSelection);
  });

  auto* form = new QFormLayout;
  form->addRow("Fields:", fieldsLabel_);
  form->addRow("Records:", recordsLabel_);
  form->addRow("Field", fieldList_);
  form->addRow("Decimals", decimals_);
  form->addRow("File:", fileLabel_);
  form->addRow("Delimiter", delimiters);
  auto* layout = new QVBoxLayout(panel);
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(close);
  return panel;
}

QWidget* TFDataTable::BuildActionsPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("ActionsPanel");
  auto* layout = new QVBoxLayout(panel);
  auto button = [&](const char* caption, const char* name, void (TFDataTable::*action)()) {
    auto* b = new QPushButton(caption, panel);
    b->setAccessibleName(QString(name));
    connect(b, &QPushButton::clicked, this, action);
    layout->addWidget(b);
    return b;
  };
  button("Open", "Open table", &TFDataTable::OpenClick);
  auto* save = new QPushButton("Save", panel);
  save->setAccessibleName("Save table");
  connect(save, &QPushButton::clicked, this, [this] { SaveClick(); });
  layout->addWidget(save);
  addButton_ = button("Add record", "Add record", &TFDataTable::AddRecordClick);
  duplicateButton_ = button("Duplicate record", "Duplicate record", &TFDataTable::DuplicateRecordClick);
  deleteButton_ = button("Delete record", "Delete record", &TFDataTable::DeleteRecordClick);
  deleteAllButton_ = button("Delete all", "Delete all data", &TFDataTable::DeleteAllClick);
  button("Refresh", "Refresh", &TFDataTable::RefreshClick);
  autosave_ = new QCheckBox("    Autosave", panel);
  autosave_->setAccessibleName("Autosave");
  connect(autosave_, &QCheckBox::toggled, this, [this](bool on) { frame_.Autosave = on; });
  layout->addWidget(autosave_);
  layout->addStretch();
  auto* close = new QPushButton("Close", panel);
  close->setAccessibleName("Close actions");
  connect(close, &QPushButton::clicked, this, [this] {
    ShowPanels(false, false);
    Setstatus(sSelection);
  });
  layout->addWidget(close);
  return panel;
}

void TFDataTable::ShowPanels(bool properties, bool actions) {
  propertiesPanel_->setVisible(properties);
  actionsPanel_->setVisible(actions);
}

bool TFDataTable::PropertiesShown() const { return !propertiesPanel_->isHidden(); }
bool TFDataTable::ActionsShown() const { return !actionsPanel_->isHidden(); }

void TFDataTable::Setstatus(setOfStatus status) {
  // What is typed in an open editor is kept before the grid stops taking edits.
  CommitEdits();
  hintText_->clear();
  frame_.Setstatus(status);
  const bool readOnly = frame_.NTabEd1.DataReadOnly();
  // An open editor closes without storing when the grid now refuses edits.
  if (readOnly && Editing(grid_)) grid_->reset();
  const bool rows = status == sSelection || status == sCalculating;
  grid_->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid_->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                  : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed);
  const bool records = status == sEdit;
  for (QPushButton* b : {addButton_, duplicateButton_, deleteButton_, deleteAllButton_}) b->setEnabled(records);
  if (status == sEdit && !ActionsShown() && !PropertiesShown()) ShowPanels(false, true);
  if (rows) ShowPanels(false, false);
  // The box works with the record buttons, so it is usable while the grid takes
  // edits; every switch clears it.
  {
    const QSignalBlocker block(autosave_);
    autosave_->setEnabled(!readOnly);
    autosave_->setChecked(frame_.Autosave);
  }
  model_->Repaint();
  ShowStatus();
}

void TFDataTable::TableChanged() {
  ShowShape();
  model_->ForgetHistory();
}

void TFDataTable::ShowShape() {
  model_->Reload();
  {
    const QSignalBlocker block(fieldList_);
    fieldList_->clear();
    for (int c = 1; c <= frame_.NTabEd1.GetNrOfColumns(); ++c) fieldList_->addItem(FromStd(frame_.NTabEd1.GetColName(c)));
  }
  if (fieldList_->count() > 0) {
    fieldList_->setCurrentIndex(0);
    const QSignalBlocker block(decimals_);
    decimals_->setValue(frame_.NTabEd1.GetDecPlaces(1));
  }
  ShowCounts();
  ShowFileName();
  ShowStatus();
  if (QAbstractButton* b = delimiterGroup_->button(frame_.ExportDelimiter)) b->setChecked(true);
  grid_->scrollTo(model_->index(0, 0));
  emit modifiedChanged(frame_.pmodified);
}

void TFDataTable::ShowCounts() {
  fieldsLabel_->setText(QString::number(frame_.NTabEd1.GetNrOfColumns()));
  recordsLabel_->setText(QString::number(frame_.NTabEd1.GetNrOfRows()));
}

void TFDataTable::ShowFileName() {
  const QString full = FromStd(frame_.pFilename);
  fileLabel_->setText(full == "N/A" ? full : QFileInfo(full).fileName());
  fileLabel_->setToolTip(full);
  if (full != shownFile_) {
    shownFile_ = full;
    emit fileNameChanged(full);
  }
}

void TFDataTable::ProposeName(tFileRequest& request) const {
  if (frame_.pFilename != "N/A") {
    const QFileInfo current(FromStd(frame_.pFilename));
    request.directory = current.absolutePath();
    request.proposedName = current.fileName();
    request.defaultSuffix = current.suffix();
    return;
  }
  if (!proposal_) return;
  const QFileInfo proposed(proposal_());
  if (proposed.fileName().isEmpty()) return;
  if (!proposed.path().isEmpty() && proposed.path() != ".") request.directory = proposed.path();
  request.proposedName = proposed.fileName();
}

void TFDataTable::ShowStatus() {
  statusText_->setText(StatusText(frame_.pstatus));
  modifiedText_->setText(FromStd(frame_.ModifiedMarkText()));
}

QString TFDataTable::StateText() const { return statusText_->text(); }
QString TFDataTable::ModifiedText() const { return modifiedText_->text(); }

int TFDataTable::FirstSelectedRow() const {
  const QModelIndexList rows = grid_->selectionModel()->selectedIndexes();
  int first = 0;
  for (const QModelIndex& i : rows) {
    if (first == 0 || i.row() + 1 < first) first = i.row() + 1;
  }
  if (first == 0 && grid_->currentIndex().isValid()) first = grid_->currentIndex().row() + 1;
  return first;
}

void TFDataTable::Report(const tFrameFileResult& result) {
  if (!result.ok && !result.error.empty()) ShowError(kCaption, FromStd(result.error));
  if (result.warnings.empty()) return;
  QStringList lines;
  for (const std::string& line : SummarizeWarnings(result.warnings)) lines << FromStd(line);
  ShowWarning(kCaption, lines.join('\n'));
}

void TFDataTable::OpenClick() {
  tFileRequest request;
  request.caption = "Open";
  request.filter = "Data files (*.mrd *.txt *.csv);;All files (*.*)";
  if (frame_.pFilename != "N/A") {
    const QFileInfo current(FromStd(frame_.pFilename));
    request.directory = current.absolutePath();
    request.proposedName = current.fileName();
  }
  const tFileAnswer answer = Questions().AskOpenFile(request);
  if (!answer.accepted) return;
  const std::string path = answer.fileName.toStdString();
  tRecordTableFile file = LoadRecordTable(path);
  if (!file.ok) {
    ShowError(kCaption, FromStd(file.error));
    return;
  }
  tFrameFileResult shown;
  shown.ok = true;
  shown.warnings = file.warnings;
  AdoptRecordTable(frame_, std::move(file), path);
  TableChanged();
  Setstatus(sEdit);
  ShowPanels(false, false);
  Setstatus(sSelection);
  Report(shown);
}

bool TFDataTable::SaveClick() {
  frame_.ExportDelimiter = static_cast<TCSVDelimiters>(delimiterGroup_->checkedId());
  if (frame_.pFilename == "N/A") {
    tFileRequest request;
    request.caption = "Save as";
    request.filter = kCsvFilter;
    request.defaultSuffix = "csv";
    ProposeName(request);
    const tFileAnswer answer = Questions().AskSaveFile(request);
    if (!answer.accepted) return false;
    frame_.SetFileName(answer.fileName.toStdString());
    ShowFileName();
  }
  CommitEdits();
  const tFrameFileResult result = frame_.ExportAsCSV(frame_.ExportDelimiter);
  if (result.ok) model_->MarkSaved();
  Report(result);
  ShowStatus();
  emit modifiedChanged(frame_.pmodified);
  return result.ok;
}

void TFDataTable::RefreshClick() {
  frame_.ExportDelimiter = static_cast<TCSVDelimiters>(delimiterGroup_->checkedId());
  if (frame_.pFilename == "N/A" && !SaveClick()) return;
  const tFrameFileResult result = frame_.Refresh();
  Report(result);
  TableChanged();
}

void TFDataTable::FileLabelDoubleClick() { SaveAsClick(); }

bool TFDataTable::SaveAsClick() {
  tFileRequest request;
  request.caption = "Save as";
  request.filter = kCsvFilter;
  request.defaultSuffix = "csv";
  ProposeName(request);
  const tFileAnswer answer = Questions().AskSaveFile(request);
  if (!answer.accepted) return false;
  frame_.SetFileName(answer.fileName.toStdString());
  ShowFileName();
  return SaveClick();
}

void TFDataTable::SetExportDelimiter(TCSVDelimiters delimiter) {
  if (QAbstractButton* b = delimiterGroup_->button(delimiter)) b->setChecked(true);
  frame_.ExportDelimiter = delimiter;
}

bool TFDataTable::AutosaveAllowed() {
  frame_.Autosave = autosave_->isChecked();
  return frame_.Autosave;
}

void TFDataTable::AfterRecordOperation(bool changed) {
  if (!changed) return;
  Report(frame_.lastFileResult);
  const QModelIndex at = grid_->currentIndex();
  TableChanged();
  if (at.isValid()) grid_->setCurrentIndex(model_->index(std::min(at.row(), model_->rowCount() - 1), at.column()));
}

void TFDataTable::AddRecordClick() {
  AutosaveAllowed();
  AfterRecordOperation(frame_.AddRecord());
}

void TFDataTable::DuplicateRecordClick() {
  AutosaveAllowed();
  AfterRecordOperation(frame_.DuplicateRecord(FirstSelectedRow()));
}

void TFDataTable::DeleteRecordClick() {
  AutosaveAllowed();
  AfterRecordOperation(frame_.DeleteRecord(FirstSelectedRow()));
}

void TFDataTable::DeleteAllClick() {
  if (!Confirm(kCaption, kDeleteAllQuestion)) return;
  frame_.DeleteAllData();
  TableChanged();
}

bool TFDataTable::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fileLabel_) {
    if (event->type() == QEvent::MouseButtonDblClick) {
      FileLabelDoubleClick();
      return true;
    }
    // The full name while the mouse is over the label.
    if (event->type() == QEvent::HoverEnter) fileLabel_->setText(FromStd(frame_.pFilename));
    if (event->type() == QEvent::HoverLeave) ShowFileName();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kovalin::app
