// Record tables for R: read and written by the same loader and export the
// desktop's Open and Export use.
#include <Rcpp.h>

#include <string>
#include <vector>

#include "glue_common.h"
#include "tables/csv_export.h"
#include "tables/data_table.h"
#include "tables/table_loader.h"
#include "tables/table_types.h"

using namespace kovalin;

namespace {

// A column as R holds it: numbers (NA for an empty cell or a text in a numeric
// column), or the labels of a column of texts.
SEXP ColumnOf(const TDataTable& table, int col) {
  const int rows = table.NrOfRows();
  if (table.GetScaleType(col) == stNominal) {
    Rcpp::CharacterVector v(rows);
    for (int r = 1; r <= rows; ++r) {
      const std::string label =
          table.IsNumber(col, r) ? table.NominalLabel(col, static_cast<int>(table.GetElem(col, r)))
                                 : std::string();
      if (label.empty())
        v[r - 1] = NA_STRING;
      else
        v[r - 1] = Rcpp::String(label, CE_UTF8);
    }
    return v;
  }
  Rcpp::NumericVector v(rows);
  for (int r = 1; r <= rows; ++r)
    v[r - 1] = table.IsNumber(col, r) ? table.GetRawElem(col, r) : NA_REAL;
  return v;
}

}  // namespace

// [[Rcpp::export(name = ".kv_read_table")]]
Rcpp::List ReadTable(std::string path, std::string delimiter) {
  TCSVDelimiters code = csvUnknown;
  if (!DelimiterFromName(delimiter, code)) Rcpp::stop("internal: unknown delimiter name");
  const tRecordTableFile file = LoadRecordTable(path, code);
  if (!file.ok) Rcpp::stop(file.error);
  const TDataTable& table = file.table;
  Rcpp::List columns(table.NrOfColumns());
  Rcpp::CharacterVector names(table.NrOfColumns());
  for (int c = 1; c <= table.NrOfColumns(); ++c) {
    columns[c - 1] = ColumnOf(table, c);
    names[c - 1] = Rcpp::String(table.GetColName(c), CE_UTF8);
  }
  return Rcpp::List::create(
      Rcpp::Named("columns") = columns, Rcpp::Named("names") = names,
      Rcpp::Named("decimals") = Rcpp::wrap(file.decimals),
      Rcpp::Named("kind") = DBTypeCaption(file.kind),
      Rcpp::Named("delimiter") = DelimiterName(DelimiterCode(file.delimiter)),
      Rcpp::Named("warnings") = Rcpp::wrap(file.warnings));
}

// columns: numeric vectors of one length (NA for an empty cell), checked in R;
// decimals: the places of each column, 0..11.
// [[Rcpp::export(name = ".kv_write_table")]]
void WriteTable(Rcpp::List columns, Rcpp::CharacterVector names, Rcpp::IntegerVector decimals,
                std::string path, std::string delimiter) {
  TCSVDelimiters code = csvTab;
  if (!DelimiterFromName(delimiter, code) || code == csvUnknown)
    Rcpp::stop("internal: unknown delimiter name");
  const int cols = static_cast<int>(columns.size());
  const int rows = cols > 0 ? static_cast<int>(Rcpp::NumericVector(columns[0]).size()) : 0;
  TDataTable table;
  table.Resize(cols, rows);
  std::vector<int> places(static_cast<std::size_t>(cols));
  for (int c = 1; c <= cols; ++c) {
    table.SetColName(c, Rcpp::as<std::string>(names[c - 1]));
    places[static_cast<std::size_t>(c) - 1] = decimals[c - 1];
    const Rcpp::NumericVector v(columns[c - 1]);
    for (int r = 1; r <= rows; ++r) {
      if (Rcpp::NumericVector::is_na(v[r - 1])) {
        table.SetElem(c, r, 0);
        table.SetCellState(c, r, kCellEmpty);
      } else {
        table.SetElem(c, r, v[r - 1]);
      }
    }
  }
  std::string reason;
  if (!WriteFileBytes(path, ExportText(table, places, DelimiterChar(code)), reason))
    Rcpp::stop(path + ": " + reason);
}

// The places the export gives a column of these values (at most 11).
// [[Rcpp::export(name = ".kv_column_places")]]
int ColumnPlaces(Rcpp::NumericVector values) {
  TDataTable table;
  table.Resize(1, static_cast<int>(values.size()));
  for (R_xlen_t r = 0; r < values.size(); ++r)
    if (!Rcpp::NumericVector::is_na(values[r])) table.SetElem(1, static_cast<int>(r) + 1, values[r]);
  return getPrecision(table, 1);
}
