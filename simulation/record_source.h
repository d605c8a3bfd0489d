#pragma once

#include <optional>
#include <string>

namespace kovalin {

// The rows of a record table as the analysis and the simulation read them:
// named columns and rows, both counted from 1. Value() gives -999 for an empty
// cell, a cell that is not a number, and a position outside the table.
class tRecordSource {
 public:
  virtual ~tRecordSource() = default;
  virtual int ColumnCount() const = 0;
  virtual int RowCount() const = 0;
  virtual std::string ColumnName(int col) const = 0;
  virtual double Value(int col, int row) const = 0;
  // The first text the table holds in this column in place of a number (the
  // load keeps such texts as labels and their cells as label numbers); empty
  // when the column holds numbers only.
  virtual std::string TextInColumn(int col) const {
    (void)col;
    return {};
  }
};

// A column the analysis and the simulation read as numbers that holds text.
struct tTextColumn {
  std::string column;
  std::string text;
};

// The first of the columns read as numbers ("Conf", the parameters PA to n and
// the cells X[1] to X[8]) that holds text: its values would be label numbers,
// not the table's values.
std::optional<tTextColumn> TextInNumberColumn(const tRecordSource& table);

// The kinds of record table, recognised by their columns as a loaded table is:
// a column "X[1]" makes raw data, else "PA" parameters by predictive values,
// else "SA" parameters by sensitivities; letter case is ignored.
enum class tRecordTableKind { rawData, paramsVP, paramsSeSp, other };

tRecordTableKind RecordTableKind(const tRecordSource& table);

}  // namespace kovalin
