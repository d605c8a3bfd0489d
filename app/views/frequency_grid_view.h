#pragma once

#include "app/views/fixed_grid_view.h"
#include "app/views/text_grid_model.h"
#include "tables/frequency_table.h"

namespace kovalin::app {

// The frequency grid of a data table document: the cell texts of the frequency
// table with its fixed label and total rows and columns, and the keys that
// commit an entry. Every text typed into a cell is committed when its editor
// closes, whatever closed it (Enter, an arrow, Tab, a click elsewhere), so the
// matrix never lags behind what the grid shows.
class tFrequencyGridView : public tFixedGridView {
  Q_OBJECT
 public:
  explicit tFrequencyGridView(tFrequencyTable& table, QWidget* parent = nullptr);

  tTextGridModel* GridModel() const { return model_; }
  // The grid texts or the size changed outside the view (new settings, a load, erase).
  void Redraw();
  // Moves the cursor to grid cell (col, row).
  void SetCursor(int col, int row);
  // The grid position of the cursor (column, row).
  tGridPos Cursor() const;

  bool CircularFocus() const { return circularFocus_; }
  void SetCircularFocus(bool on) { circularFocus_ = on; }
  bool ActiveEditorMode() const { return activeEditor_; }
  void SetActiveEditorMode(bool on);
  // Keeps the editor open and allows range selection.
  void UnlockForEditing();

  // The text in an open cell editor is committed, as if the editor closed.
  void CommitOpenEditor();
  // Commits the text of grid cell (col, row) as a frequency; false when it was refused.
  bool Commit(int col, int row);
  // A key pressed in the grid or in its cell editor (Enter, arrows, Tab).
  void NavigationKey(int key, Qt::KeyboardModifiers modifiers, bool committed);
  // A key released in the grid or in its cell editor.
  void KeyReleased(const QKeyEvent* event);

 signals:
  // After every selection and every commit: the status scan has run.
  void statusChanged();
  // A digit, comma, minus or period key was released, or an entry changed a
  // cell's text (a Backspace that cleared it, a paste into the editor).
  void modifiedByEntry();
  // Ctrl+C was released.
  void copyRequested();
  // The grid was unlocked for editing.
  void unlocked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void OnTextEntered(int col, int row);
  void OnCurrentChanged();
  void ApplyEditMode();

  tFrequencyTable& table_;
  tTextGridModel* model_;
  bool circularFocus_ = true;
  bool activeEditor_ = false;
  bool unlocked_ = false;
  // A text typed into (col, row) waits for its editor to close.
  tGridPos pending_;
  bool lastCommitAccepted_ = true;
};

// Whether a released key sets the document's modified mark: a digit of the
// main keys or the numeric pad, comma, minus or period.
bool IsValueKey(int key);

}  // namespace kovalin::app
