#pragma once

#include <QWidget>

#include <functional>

#include "app/views/record_table_model.h"
#include "tables/record_table_frame.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;
class QUndoStack;

namespace kovalin::app {

struct tFileRequest;

// The record-table frame on the Input page: the record grid over the store,
// the Properties and Actions panels, and its own status bar with the frame
// state and the modified mark. The record and file rules are tRecordTableFrame's.
class TFDataTable : public QWidget {
  Q_OBJECT
 public:
  explicit TFDataTable(QWidget* parent = nullptr);
  // The grid goes before the store it reads: a window closing as it is
  // destroyed still asks its grid for texts.
  ~TFDataTable() override;

  tRecordTableFrame& Frame() { return frame_; }
  const tRecordTableFrame& Frame() const { return frame_; }
  tRecordTableModel* Model() const { return model_; }
  QTableView* Grid() const { return grid_; }

  // The frame state, with its effect on the grid, the buttons and the panels.
  void Setstatus(setOfStatus status);
  // The store was replaced or reshaped: the grid, the field list and the counts follow.
  void TableChanged();
  // The text typed in an open cell editor is stored (before a close or a save).
  void CommitEdits();
  // The record table's edit history (the document's undo stack).
  QUndoStack* UndoStack() const;
  // Copy, cut, paste and Delete on the grid's selected cells (the keys of the grid).
  void CopyCells();
  bool ClearSelectedCells();
  // The clipboard's block at the current cell; a refusal is reported.
  bool PasteCells();
  // The hint of the frame's status bar, set when a key did nothing because the
  // table is not in state Edit.
  QString HintText() const;
  static constexpr const char* kEditHint =
      "The table is in Selection state: click Actions or Properties below to edit it";

  // The record table's own modified mark.
  bool Modified() const { return frame_.pmodified; }
  // The two panels of the frame's status bar.
  QString StateText() const;
  QString ModifiedText() const;
  // The first selected row of the store (1-based), or 0 without a selection.
  int FirstSelectedRow() const;

  // The buttons and panels, for the document and for tests.
  void ShowPanels(bool properties, bool actions);
  bool PropertiesShown() const;
  bool ActionsShown() const;
  void OpenClick();
  // False when nothing was written (no file chosen, the user said No, a failed write).
  bool SaveClick();
  void RefreshClick();
  void AddRecordClick();
  void DuplicateRecordClick();
  void DeleteRecordClick();
  void DeleteAllClick();
  void FileLabelDoubleClick();
  // Saves under a name asked for first; false when nothing was written.
  bool SaveAsClick();
  void SetExportDelimiter(TCSVDelimiters delimiter);
  // The folder and name the save dialog proposes while the frame has no file
  // (the document knows its title and its own file; the frame does not).
  void SetNameProposal(std::function<QString()> proposal) { proposal_ = std::move(proposal); }
  // The items of a heading's menu (Select, Insert and Delete Row or Column),
  // connected to their actions on the row or column of the given section.
  void FillHeadingMenu(QMenu& menu, Qt::Orientation orientation, int section);

 signals:
  // The record table's modified mark may have changed.
  void modifiedChanged(bool modified);
  // A column was inserted or deleted: the table's kind may have changed.
  void columnsChanged();
  // The frame is bound to another file (opened, chosen for a save); "N/A" for none.
  void fileNameChanged(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildPropertiesPanel();
  QWidget* BuildActionsPanel();
  void ShowCounts();
  void ShowStatus();
  void ShowFileName();
  // A save dialog's request: the current file, or the proposal without one.
  void ProposeName(tFileRequest& request) const;
  // Autosave from the box for one record operation.
  bool AutosaveAllowed();
  void Report(const tFrameFileResult& result);
  void AfterRecordOperation(bool changed);
  // The counts, field list and file name after the store changed its shape.
  void ShowShape();
  // A spreadsheet key of the grid (a tGridKey); true when handled.
  bool GridKey(int key);

  tRecordTableFrame frame_;
  tRecordTableModel* model_;
  QTableView* grid_;
  QWidget* propertiesPanel_;
  QWidget* actionsPanel_;
  QLabel* fieldsLabel_;
  QLabel* recordsLabel_;
  QComboBox* fieldList_;
  QSpinBox* decimals_;
  QLabel* fileLabel_;
  QButtonGroup* delimiterGroup_;
  QPushButton* addButton_;
  QPushButton* duplicateButton_;
  QPushButton* deleteButton_;
  QPushButton* deleteAllButton_;
  QCheckBox* autosave_;
  QLabel* statusText_;
  QLabel* modifiedText_;
  QLabel* hintText_;
  QToolButton* propertiesButton_;
  QToolButton* actionsButton_;
  std::function<QString()> proposal_;
  QString shownFile_ = "N/A";
};

}  // namespace kovalin::app
