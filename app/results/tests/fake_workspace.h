#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/results/results_document.h"
#include "app/results/results_workspace.h"
#include "simulation/grid_record_source.h"
#include "tables/table_loader.h"

namespace kovalin::app::testing {

// A main window reduced to what the commands use: one table loaded from a file,
// results documents numbered "Results 1.k" in creation order.
class tFakeWorkspace : public tResultsWorkspace {
 public:
  explicit tFakeWorkspace(const std::string& path) : file_(LoadRecordTable(path)) {
    source_ = std::make_unique<tGridRecordSource>(file_.table);
    tableDocument_ = std::make_unique<QWidget>();
    fileName_ = QString::fromStdString(path);
  }

  bool ActiveTable(tActiveTable& t) override {
    if (!tableDocument_) return false;
    t.document = tableDocument_.get();
    t.records = source_.get();
    t.firstSelected = first_;
    t.lastSelected = last_;
    t.rows = file_.table.NrOfRows();
    t.number = 1;
    t.fileName = fileName_;
    return true;
  }
  TFResults* NewResults(bool simulation) override {
    results_.push_back(std::make_unique<TFResults>(false));
    TFResults* r = results_.back().get();
    r->setObjectName(QStringLiteral("Results 1.%1").arg(results_.size()));
    simulation_.push_back(simulation);
    if (onNewResults) onNewResults(r);
    return r;
  }
  void FinishResults(TFResults* r) override { r->setWindowTitle(r->objectName()); }
  void OptionsBeforeFirstRun(bool) override { ++optionsShown; }

  void Select(int first, int last) {
    first_ = first;
    last_ = last;
  }
  void SetFileName(const QString& name) { fileName_ = name; }
  void CloseTable() { tableDocument_.reset(); }
  QWidget* TableDocument() const { return tableDocument_.get(); }
  const std::vector<std::unique_ptr<TFResults>>& Results() const { return results_; }

  int optionsShown = 0;
  std::function<void(TFResults*)> onNewResults;

 private:
  tRecordTableFile file_;
  std::unique_ptr<tGridRecordSource> source_;
  std::unique_ptr<QWidget> tableDocument_;
  QString fileName_;
  int first_ = 1;
  int last_ = 1;
  std::vector<std::unique_ptr<TFResults>> results_;
  std::vector<bool> simulation_;
};

}  // namespace kovalin::app::testing
