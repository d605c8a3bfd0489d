#pragma once

#include <QStringList>

#include "app/shell/document_window.h"
#include "app/views/fixed_grid_view.h"
#include "app/views/text_grid_model.h"
#include "tables/frequency_table.h"
#include "tables/table_loader.h"
#include "tables/table_types.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QUndoStack;

namespace kovalin::app {

class TFDataTable;
class tFrequencyGridView;

// The document of a data table: the frequency grid (Data), its percentage
// views (Percentages), the record-table frame (Input) and a text page (Text),
// with a tool bar, a three-panel status bar and a popup menu. Its own modified
// mark is the frequency table's; the record table's mark counts too, so a
// document with unsaved records asks before it closes.
class TFTabla : public tDocumentWindow {
  Q_OBJECT
 public:
  enum tPage { TSData = 0, TSPR = 1, TSNTabEd = 2, TSText = 3 };
  static constexpr const char* kXmlFilter =
      "XML file (*.xml)|*.xml|Orsino data file (*.qxf) | *.qxf|All files (*.*)|*.*";

  // The window's part of CreateTable: which pages are shown.
  TFTabla(TFMDIParent* creator, bool tabFreqs, bool tabNTabEd, bool tabText, QWidget* parent = nullptr);
  ~TFTabla() override;

  // Document base.
  bool SaveToFile(int mode) override;
  void setFileFullName(const QString& name) override;
  void ShowProperties() override;
  void ShowXmlStructure() override;
  // Only the frequency table is written to the file the close prompt's dialog names.
  bool SaveNeedsFileDialog() const override;
  // Open cell editors of both grids are committed.
  void CommitPendingEdits() override;
  // The record table's edit history (Ctrl+Z and Ctrl+Y in its grid).
  QUndoStack* UndoStack() const;

  // Writes the XML data file while the Data page is active; false when nothing was written.
  bool SaveCmd(int modo);
  // The XML text of the frequency table; with optionSave it replaces the Text
  // page and is written to fileName (false on a failed write), otherwise it is
  // shown in a read-only window captioned fileName.
  bool XML(const QString& fileName, bool optionSave);
  void CopyToClipBoard();
  void EraseData();
  // The table settings dialog of this document (not modal for the caller).
  void TableSettingsCmd();
  // What the dialog's closing does: OK applies CurrentTableSettings, and the title
  // typed in the dialog when there is one.
  void TableSettingsClosedWith(bool ok, const QString& typedTitle = QString());

  // Record-table kinds (the main window's New and Open).
  void createRawData();
  void createParamPV_DB();
  void assignDBType();
  // A file read by LoadRecordTable becomes the record table (state Selection).
  void AdoptRecordFile(tRecordTableFile&& file, const QString& path);
  // A frequency table read from an XML data file replaces this one.
  void AdoptFrequencyTable(tFrequencyTable&& table);

  tFrequencyTable& Frequencies() { return table_; }
  TFDataTable* Frame() const { return frame_; }
  tFrequencyGridView* FrequencyGrid() const { return grid_; }
  QTabWidget* Pages() const { return pages_; }
  tFixedGridView* PercentageView() const { return percentView_; }
  QTabBar* PercentageTabs() const { return percentTabs_; }
  QPlainTextEdit* TextPage() const { return text_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QMenu* PopupMenu() const { return popup_; }
  QAction* SaveAction() const { return saveAction_; }
  QString StatusPanel(int panel) const;
  bool StatusPanel0IsRed() const;
  // The shown percentage grid's texts.
  const tTextGrid& PercentageGrid() const { return percent_; }

  tDBType pDBtype = DBnull;
  int NumTable = 0;
  int No = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildActions();
  void RefreshStatus();
  void SetPanel(int panel, const QString& text);
  void SetPanel0(const QString& text, bool red);
  void UpdateSaveButton();
  void UpdateModified();
  void PageChanged(int page);
  void ShowPercentages();
  void SetTitle(const QString& title);
  // The record file a first save of the record table proposes: the document's
  // own file name (or, without one, its title) with the extension csv.
  QString RecordFileProposal() const;
  // The Properties "File" row: the file the document or its record frame was
  // last bound to, shown at once when this document's properties are on view.
  void ShowFileRow(const QString& path);
  void ToggleToolBar();

  tCopyKeys copyKeys_;
  tFrequencyTable table_;
  tTextGrid percent_;
  QStringList propertyNames_;
  QStringList propertyValues_;
  QTabWidget* pages_;
  tFrequencyGridView* grid_;
  QTabBar* percentTabs_;
  tFixedGridView* percentView_;
  tTextGridModel* percentModel_;
  TFDataTable* frame_;
  QPlainTextEdit* text_;
  QToolBar* toolBar_;
  QStatusBar* status_;
  QLabel* panels_[3];
  QMenu* popup_;
  QAction* settingsAction_;
  QAction* saveAction_;
  QAction* copyAction_;
  QAction* toolBarAction_;
  QAction* circularAction_;
  QAction* activeEditorAction_;
  QAction* eraseAction_;
};

}  // namespace kovalin::app
