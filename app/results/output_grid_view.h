#pragma once

#include <QTableView>

#include "app/results/output_grid_model.h"

namespace kovalin::app {

// The grid page's view: Ctrl+C (and the context menu) copy the selected cells
// to the clipboard at full precision.
class tOutputGridView : public QTableView {
  Q_OBJECT
 public:
  explicit tOutputGridView(tOutputGridModel* model, QWidget* parent = nullptr);
  tOutputGridModel* GridModel() const { return model_; }
  void CopySelection();

 private:
  tOutputGridModel* model_;
};

}  // namespace kovalin::app
