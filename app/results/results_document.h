#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

#include "app/results/output_grid_model.h"
#include "app/results/forest_plot_view.h"
#include "app/results/output_grid_view.h"
#include "app/results/sim_plot_view.h"
#include "app/results/text_editor.h"
#include "app/shell/document_window.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace kovalin::app {

struct tDim {
  int F = 0;
  int C = 0;
};

// A results document: the pages an analysis or a simulation writes into
// ("Output" grid, "Log", "Text File"), its status bar and a hidden progress panel.
// An analysis's text exists only here until it is saved, so such a document is
// marked modified (MarkUnsaved) and its close asks like any other; a
// simulation's results are in its files already and are never marked.
class TFResults : public tDocumentWindow {
  Q_OBJECT
 public:
  // ts_Plot draws a simulation, ts_Forest the intervals of an analysis; both are captioned "Plot".
  enum tPage { ts_Output_grid = 0, ts_Output_Log = 1, ts_Output_File = 2, ts_Plot = 3, ts_Forest = 4 };

  // rtfDocument is the settings' RTFDocument flag at creation.
  TFResults(TFMDIParent* creator, bool rtfDocument, QWidget* parent = nullptr);

  // Save and Save as: the results save dialog, whatever the mode. A save clears
  // the modified mark.
  bool SaveToFile(int mode) override;
  // The close prompt's "Save and close" opens the results save dialog itself.
  bool SaveNeedsFileDialog() const override { return false; }
  // The text written here is not saved anywhere yet.
  void MarkUnsaved() { SetModified(true); }
  // The base's properties, then the list's column titles "Results" and " ".
  void ShowProperties() override;

  bool flgSaved = false;
  bool IsRTF = false;
  tDim DimTabla;

  // Appends a line to the output text page.
  void Mout(std::string_view line);

  // The analysis configuration: the output text page alone, captioned "Output",
  // no status bar, no file and the mask "*.txt".
  void ConfigAnalysis();
  // The simulation configuration: the grid page (active) when showGrid, the log
  // page (active otherwise) bound to the log file, the plot page; the output text
  // page, hidden, bound to the output file.
  void ConfigResultados(const QString& fileName, const QString& logFileName, bool showGrid);

  // The save of a results document: stem, proposed name, plain or rich text.
  bool bSave_Click();

  void ShowPage(tPage page, bool shown);
  bool PageShown(tPage page) const;
  void SetPageCaption(tPage page, const QString& caption);
  QString PageCaption(tPage page) const;
  tPage ActivePage() const;
  void SetActivePage(tPage page);

  TTextEditor* TextEditor1() const { return textEditor1_; }
  TTextEditor* TextEditor_Log() const { return textEditorLog_; }
  tOutputGridModel* GridModel() const { return gridModel_; }
  tOutputGridView* NTabEd1() const { return gridView_; }
  tSimPlotView* Plot() const { return plot_; }
  tForestPlotPage* Forest() const { return forest_; }
  QStatusBar* StatusBar() const { return statusBar_; }
  QProgressBar* ProgressPanel() const { return progressPanel_; }

  // After a Stop, above the pages whichever is shown: how far the run got (its
  // cancel line and the records not run) and, for a seeded run, "Continue".
  void ShowRunStopped(const QString& text, bool canContinue);
  void HideRunStopped();
  QLabel* RunStoppedLabel() const { return stoppedLabel_; }
  QPushButton* ContinueButton() const { return continueButton_; }

  // A simulation writes into this document: closing it must ask first.
  bool RunWritesHere() const { return runWritesHere_; }
  void SetRunWritesHere(bool value) { runWritesHere_ = value; }

 signals:
  // "Continue" on the stopped run's banner.
  void continueRequested();

 private:
  QTabWidget* pages_;
  QWidget* stopped_;
  QLabel* stoppedLabel_;
  QPushButton* continueButton_;
  tOutputGridModel* gridModel_;
  tOutputGridView* gridView_;
  TTextEditor* textEditorLog_;
  TTextEditor* textEditor1_;
  tSimPlotView* plot_;
  tForestPlotPage* forest_;
  QStatusBar* statusBar_;
  QProgressBar* progressPanel_;
  bool runWritesHere_ = false;
};

}  // namespace kovalin::app
