#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace kovalin {
class tRecordSource;
}

namespace kovalin::app {

class TFResults;

// The active data table as the analysis and the simulation read it.
struct tActiveTable {
  QPointer<QWidget> document;     // the data table document
  const tRecordSource* records = nullptr;
  std::shared_ptr<const tRecordSource> keep;  // holds records when made for this run
  int firstSelected = 1;          // the selected rows of its input grid
  int lastSelected = 1;
  int rows = 0;
  int number = 0;                 // NumTable
  QString fileName;               // its full file name, as the main window keeps it
};

// What the analysis and simulation commands need from the main window.
class tResultsWorkspace {
 public:
  virtual ~tResultsWorkspace() = default;
  // The active data set, or false when there is none.
  virtual bool ActiveTable(tActiveTable& table) = 0;
  // A new results document, placed under the folder of table (the active table
  // when null), numbered ("Results 1.2") and shown; simulation picks the icons.
  // A run names the table it was launched on, whichever table is active now.
  virtual TFResults* NewResults(bool simulation, QWidget* table = nullptr) = 0;
  // The run has finished: the document's caption becomes its node text and it
  // shows its properties.
  virtual void FinishResults(TFResults* results) = 0;
  // Before the first analysis or simulation of a program run: the Options
  // dialog (its simulation variant for a simulation). Nothing afterwards.
  virtual void OptionsBeforeFirstRun(bool simulation) = 0;
};

}  // namespace kovalin::app
