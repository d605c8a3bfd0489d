#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/results/desk_workspace.h"
#include "app/results/results_document.h"
#include "app/shell/document_window.h"
#include "app/shell/main_desk.h"
#include "simulation/grid_record_source.h"
#include "tables/table_loader.h"

namespace kovalin::app::testing {

// A data table document reduced to what the runs read: a table loaded from a
// file and a row selection.
class tFakeTable : public tDocumentWindow, public tAnalysisTable {
 public:
  tFakeTable(TFMDIParent* desk, const std::string& path)
      : tDocumentWindow(desk), file_(LoadRecordTable(path)), source_(file_.table) {
    FormType = tFormType::F_Data;
  }
  bool SaveToFile(int) override { return true; }
  const tRecordSource* AnalysisRecords() const override { return &source_; }
  int FirstSelectedRow() const override { return first; }
  int LastSelectedRow() const override { return last; }
  int first = 1;
  int last = 1;

 private:
  tRecordTableFile file_;
  tGridRecordSource source_;
};

// The main window's bookkeeping with one table, as the commands see it.
class tFakeWorkspace {
 public:
  explicit tFakeWorkspace(const std::string& path)
      : workspace_(desk_, {[] { return false; }, [this](bool) { ++optionsShown; },
                           [this](TFResults* r) {
                             results_.emplace_back(r);
                             if (onNewResults) onNewResults(r);
                           },
                           {}}) {
    desk_.FormCreate();
    table_ = static_cast<tFakeTable*>(desk_.CreateTable({}, [&](int) {
      tableOwner_ = std::make_unique<tFakeTable>(&desk_, path);
      return tableOwner_.get();
    }));
  }
  ~tFakeWorkspace() {
    results_.clear();
    tableOwner_.reset();
    moreTables_.clear();
  }
  // A further table (table 2, 3, ...), which becomes the active data set.
  tFakeTable* AddTable(const std::string& path) {
    return static_cast<tFakeTable*>(desk_.CreateTable({}, [&](int) {
      moreTables_.push_back(std::make_unique<tFakeTable>(&desk_, path));
      return moreTables_.back().get();
    }));
  }

  tResultsWorkspace& Workspace() { return workspace_; }
  tMainDesk& Desk() { return desk_; }
  tFakeTable* Table() const { return table_; }
  void Select(int first, int last) {
    table_->first = first;
    table_->last = last;
  }
  void SetFileName(const QString& name) { table_->setFileFullName(name); }
  const std::vector<std::unique_ptr<TFResults>>& Results() const { return results_; }

  int optionsShown = 0;
  std::function<void(TFResults*)> onNewResults;

 private:
  // Declared first: the documents go before the desk.
  tMainDesk desk_;
  tDeskWorkspace workspace_;
  std::unique_ptr<tFakeTable> tableOwner_;
  tFakeTable* table_ = nullptr;
  std::vector<std::unique_ptr<tFakeTable>> moreTables_;
  std::vector<std::unique_ptr<TFResults>> results_;
};

}  // namespace kovalin::app::testing
