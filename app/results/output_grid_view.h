#pragma once

#include <QTableView>
#include <QTimer>

#include "app/results/output_grid_model.h"

namespace kovalin::app {

// The grid page's view: Ctrl+C (and the context menu) copy the selected cells
// to the clipboard at full precision. Columns widen to their contents as a run
// writes them, never narrower than the default, so that wide values are not cut.
class tOutputGridView : public QTableView {
  Q_OBJECT
 public:
  explicit tOutputGridView(tOutputGridModel* model, QWidget* parent = nullptr);
  tOutputGridModel* GridModel() const { return model_; }
  void CopySelection();
  // Widens the columns written since the last fit; runs on its own shortly after
  // a change, so that a run writing cell by cell measures once per burst.
  void FitColumns();

 private:
  void MarkColumns(int first, int last);

  tOutputGridModel* model_;
  QTimer fitTimer_;
  int dirtyFirst_ = -1;
  int dirtyLast_ = -1;
};

}  // namespace kovalin::app
