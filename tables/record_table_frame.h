#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/csv_import.h"
#include "tables/data_table.h"
#include "tables/db_structure.h"
#include "tables/numeric_grid.h"
#include "tables/table_types.h"

namespace kovalin {

// Frame states of the record-table frame.
enum setOfStatus { sNone, sEdit, sSelection, sCalculating, sProcessing };

// The text of a frame state ("", "Edit", "Selection", "Calculating", "Processing").
const char* StatusText(setOfStatus status);

// The question asked before Delete all data.
inline constexpr const char* kDeleteAllQuestion = "Delete all data?";

// Outcome of a file operation of the frame.
struct tFrameFileResult {
  bool ok = false;
  bool skipped = false;  // no file name ("N/A"), so nothing was done
  std::string error;     // "PATH: reason" when !ok and !skipped
  std::vector<std::string> warnings;
};

// The record-table frame (TFDataTable) without its window: the store, the grid
// logic over it, the file name, the modified mark, the field list and the
// record operations. The window shows what this holds and asks the questions.
class tRecordTableFrame {
 public:
  tRecordTableFrame();
  tRecordTableFrame(const tRecordTableFrame&) = delete;
  tRecordTableFrame& operator=(const tRecordTableFrame&) = delete;

  TDataTable DataTable1;
  TNTabEd NTabEd1;
  std::string pFilename = "N/A";
  std::string pFileExt;
  bool pDataReadOnly = true;  // a new frame is in state Selection
  bool pmodified = false;
  setOfStatus pstatus = sSelection;
  tDBStructure structureBf;
  bool pIncludeColHeaders = true;
  bool pIncludeRowHeaders = false;
  std::vector<std::string> VarList;  // upper-case column names
  bool Autosave = true;
  TCSVDelimiters ExportDelimiter = csvTab;  // the "Delimiter" choice

  // Sets pFilename and pFileExt (with its dot).
  void SetFileName(const std::string& path);

  // A new table of the structure: count columns by one zero row, named and
  // with their decimal places (the grid keeps at most 10).
  void CreateTable(const tDBStructure& structure);
  bool VarExists(std::string_view name, bool fullCheck) const;

  // Record operations; row is the first selected row. Each returns false when
  // nothing changed. With Autosave on and a file name, the table is then saved
  // and reloaded; a failure of that is put in lastFileResult.
  bool AddRecord();
  bool DuplicateRecord(int row);
  bool DeleteRecord(int row);
  // The column headings' Insert Column (before col) and Delete Column; the
  // field list follows and the table is marked modified. False when nothing changed.
  bool InsertColumn(int col);
  bool DeleteColumn(int col);
  // Delete all data (after the user said Yes to kDeleteAllQuestion): keeps the
  // schema in structureBf, clears the store and rebuilds the named one-row table.
  void DeleteAllData();

  // Loads pFilename. On failure the store keeps what it held and the result
  // says why; a missing name ("N/A") is skipped.
  tFrameFileResult loadtable(bool includeColHeaders, bool includeRowHeaders, TCSVDelimiters delimiter);
  // The open button after the user chose a file: it becomes pFilename, the
  // modified mark is cleared, the file is loaded with detection (first line =
  // column names), and the frame passes through Edit to Selection.
  tFrameFileResult OpenFile(const std::string& path);
  // Writes the store to pFilename with the grid's decimal places and clears
  // the modified mark; a failed write keeps the mark.
  tFrameFileResult ExportAsCSV(TCSVDelimiters delimiter);
  // Saves with the chosen delimiter and reloads. The reload reads with the
  // delimiter just written, since the padded values defeat blind detection.
  tFrameFileResult Refresh();

  // The second panel of the frame's status bar: " *" while the record table is modified.
  std::string ModifiedMarkText() const { return pmodified ? " *" : ""; }

  // Frame state: Edit lets the grid take edits, the others refuse them.
  void Setstatus(setOfStatus status);

  tFrameFileResult lastFileResult;

 private:
  void AfterRecordChange();
  void RebuildVarList();
};

// The document's schema builders: the table is created and its kind returned.
tDBType createRawData(tRecordTableFrame& frame);
tDBType createParamPV_DB(tRecordTableFrame& frame);

// The message shown instead of creating a table by sensitivities and specificities.
inline constexpr const char* kMsgToBeImplemented = "To be implemented ... ";

// A new table of the input format chosen in the creation dialog. itParamsS
// (and itNA) build no schema and give DBnull; for itParamsS message is set to
// kMsgToBeImplemented, otherwise it is cleared.
tDBType CreateNewTable(tRecordTableFrame& frame, tInputType input, std::string& message);

}  // namespace kovalin
