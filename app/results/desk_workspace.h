#pragma once

#include <functional>

#include "app/results/results_workspace.h"

namespace kovalin {
class tRecordSource;
}

namespace kovalin::app {

class tMainDesk;
class TFMDIChild;

// What a data table document offers the analysis and the simulation; the data
// table document implements it beside its document base.
class tAnalysisTable {
 public:
  virtual ~tAnalysisTable() = default;
  // The records as the runs read them (read, not owned).
  virtual const tRecordSource* AnalysisRecords() const = 0;
  // The rows selected in the input grid; with none selected, the row under the cursor.
  virtual int FirstSelectedRow() const = 0;
  virtual int LastSelectedRow() const = 0;
};

// The main window's bookkeeping as the results commands use it: the active data
// set (a document that is a tAnalysisTable), results placed and numbered by
// tMainDesk::PlaceResults, captions from the tree.
class tDeskWorkspace : public tResultsWorkspace {
 public:
  struct tHooks {
    // The settings' RTFDocument flag.
    std::function<bool()> rtfDocument;
    // Shows the Options dialog before the first analysis (false) or simulation (true).
    std::function<void(bool simulation)> optionsBeforeFirstRun;
    // A placed results document is to be shown beyond what the desk does.
    std::function<void(TFResults*)> show;
    // The active data set as the runs read it, for documents that are not a
    // tAnalysisTable; false when it offers no records.
    std::function<bool(TFMDIChild*, tActiveTable&)> describeTable;
  };
  tDeskWorkspace(tMainDesk& desk, tHooks hooks);

  bool ActiveTable(tActiveTable& table) override;
  TFResults* NewResults(bool simulation, QWidget* table = nullptr) override;
  void FinishResults(TFResults* results) override;
  void OptionsBeforeFirstRun(bool simulation) override;

 private:
  tMainDesk& desk_;
  tHooks hooks_;
};

}  // namespace kovalin::app
