#include "tables/record_table_frame.h"

#include <filesystem>

#include "tables/csv_export.h"
#include "tables/table_loader.h"
#include "tables/text_utils.h"

namespace kovalin {

const char* StatusText(setOfStatus status) {
  switch (status) {
    case sEdit: return "Edit";
    case sSelection: return "Selection";
    case sCalculating: return "Calculating";
    case sProcessing: return "Processing";
    case sNone: break;
  }
  return "";
}

tRecordTableFrame::tRecordTableFrame() {
  NTabEd1.Bind(&DataTable1);
  NTabEd1.SetDataReadOnly(pDataReadOnly);
}

void tRecordTableFrame::SetFileName(const std::string& path) {
  pFilename = path;
  pFileExt = std::filesystem::path(path).extension().string();
}

void tRecordTableFrame::CreateTable(const tDBStructure& structure) {
  VarList.clear();
  DataTable1 = TDataTable();
  DataTable1.Resize(structure.count(), 1);
  NTabEd1.Bind(&DataTable1);
  for (int i = 1; i <= structure.count(); ++i) {
    NTabEd1.SetColName(i, structure.varname(i));
    NTabEd1.SetDecPlaces(i, structure.VarPrecision(i));
    VarList.push_back(ToUpperAscii(structure.varname(i)));
  }
}

bool tRecordTableFrame::VarExists(std::string_view name, bool fullCheck) const {
  for (const std::string& entry : VarList) {
    if (fullCheck) {
      if (EqualsNoCase(entry, name)) return true;
    } else if (entry.size() >= name.size() && EqualsNoCase(std::string_view(entry).substr(0, name.size()), name)) {
      return true;
    }
  }
  return false;
}

void tRecordTableFrame::AfterRecordChange() {
  pmodified = true;
  lastFileResult = tFrameFileResult{};
  if (Autosave && pFilename != "N/A") lastFileResult = Refresh();
}

bool tRecordTableFrame::AddRecord() {
  NTabEd1.Redimension(DataTable1.NrOfColumns(), DataTable1.NrOfRows() + 1);
  AfterRecordChange();
  return true;
}

bool tRecordTableFrame::DuplicateRecord(int row) {
  if (row < 1 || row > DataTable1.NrOfRows()) return false;
  DataTable1.InsertRow(row + 1);
  for (int c = 1; c <= DataTable1.NrOfColumns(); ++c) {
    DataTable1.SetElem(c, row + 1, DataTable1.GetRawElem(c, row));
    // The copy starts with no marks, but a label stays a label and a missing cell missing.
    DataTable1.SetCellState(c, row + 1, DataTable1.GetCellState(c, row) & (kCellLabel | kCellEmpty));
  }
  AfterRecordChange();
  return true;
}

bool tRecordTableFrame::DeleteRecord(int row) {
  if (!DataTable1.RemoveRow(row)) return false;
  AfterRecordChange();
  return true;
}

bool tRecordTableFrame::InsertColumn(int col) {
  if (!NTabEd1.InsertColumn(col)) return false;
  RebuildVarList();
  pmodified = true;
  return true;
}

bool tRecordTableFrame::DeleteColumn(int col) {
  if (!NTabEd1.DeleteColumn(col)) return false;
  RebuildVarList();
  pmodified = true;
  return true;
}

void tRecordTableFrame::DeleteAllData() {
  structureBf.free();
  for (int c = 1; c <= DataTable1.NrOfColumns(); ++c) {
    structureBf.SetVar(DataTable1.GetColName(c), NTabEd1.GetDecPlaces(c));
  }
  DataTable1.Clear();
  CreateTable(structureBf);
}

void tRecordTableFrame::RebuildVarList() {
  VarList.clear();
  for (int c = 1; c <= DataTable1.NrOfColumns(); ++c) VarList.push_back(ToUpperAscii(DataTable1.GetColName(c)));
}

tFrameFileResult tRecordTableFrame::loadtable(bool includeColHeaders, bool includeRowHeaders,
                                              TCSVDelimiters delimiter) {
  pIncludeColHeaders = includeColHeaders;
  pIncludeRowHeaders = includeRowHeaders;
  tFrameFileResult result;
  if (pFilename == "N/A") {
    result.skipped = true;
    return result;
  }
  const tImportResult imported =
      ImportFromCSV(DataTable1, pFilename, delimiter, includeColHeaders, includeRowHeaders);
  if (!imported.ok) {
    result.error = imported.error;
    return result;
  }
  result.ok = true;
  result.warnings = FormatImportWarnings(pFilename, imported.warnings);
  RebuildVarList();
  NTabEd1.Bind(&DataTable1);
  for (int c = 1; c <= DataTable1.NrOfColumns(); ++c) {
    const int d = getPrecision(DataTable1, c);
    NTabEd1.SetDecPlaces(c, d);
    DataTable1.SetColAttrib(c, d);
  }
  return result;
}

tFrameFileResult tRecordTableFrame::OpenFile(const std::string& path) {
  SetFileName(path);
  pmodified = false;
  tFrameFileResult result = loadtable(true, false, csvUnknown);
  Setstatus(sEdit);
  Setstatus(sSelection);  // the side panels close
  return result;
}

tFrameFileResult tRecordTableFrame::ExportAsCSV(TCSVDelimiters delimiter) {
  tFrameFileResult result;
  if (pFilename == "N/A") {
    result.skipped = true;
    return result;
  }
  std::vector<int> decimals;
  for (int c = 1; c <= DataTable1.NrOfColumns(); ++c) decimals.push_back(NTabEd1.GetDecPlaces(c));
  std::string reason;
  const char d = DelimiterChar(delimiter == csvUnknown ? csvTab : delimiter);
  if (!WriteFileBytes(pFilename, ExportText(DataTable1, decimals, d), reason)) {
    result.error = pFilename + ": " + reason;
    return result;
  }
  pmodified = false;
  result.ok = true;
  return result;
}

tFrameFileResult tRecordTableFrame::Refresh() {
  tFrameFileResult saved = ExportAsCSV(ExportDelimiter);
  if (!saved.ok) return saved;
  tFrameFileResult loaded = loadtable(pIncludeColHeaders, pIncludeRowHeaders, ExportDelimiter);
  if (loaded.ok) pmodified = false;
  return loaded;
}

void tRecordTableFrame::Setstatus(setOfStatus status) {
  pstatus = status;
  if (status == sEdit) {
    pDataReadOnly = false;
    Autosave = false;
  } else if (status == sSelection || status == sCalculating) {
    pDataReadOnly = true;
    Autosave = false;
  }
  NTabEd1.SetDataReadOnly(pDataReadOnly);
}

tDBType createRawData(tRecordTableFrame& frame) {
  tDBStructure s = RawDataStructure();
  frame.CreateTable(s);
  s.free();
  return DBRawData;
}

tDBType createParamPV_DB(tRecordTableFrame& frame) {
  tDBStructure s = ParamPVStructure();
  frame.CreateTable(s);
  s.free();
  return DBparamsVP;
}

tDBType CreateNewTable(tRecordTableFrame& frame, tInputType input, std::string& message) {
  message.clear();
  switch (input) {
    case itRawData: return createRawData(frame);
    case itParamsPV: return createParamPV_DB(frame);
    case itParamsS: message = kMsgToBeImplemented; break;
    case itNA: break;
  }
  return DBnull;
}

}  // namespace kovalin
