#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/data_table.h"
#include "tables/table_types.h"

namespace kovalin {

// The schema of a record table: ordered column names, each with its decimal
// places (kept as the text of an integer).
class tDBStructure {
 public:
  void SetVar(std::string_view name, int decimals);
  int count() const { return static_cast<int>(names_.size()); }
  // i counted from 1; past the end: empty text / 0.
  std::string varname(int i) const;
  int VarPrecision(int i) const;
  void free() { names_.clear(); decimals_.clear(); }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> decimals_;
};

// "Id", "X[1]".."X[8]", all with 0 decimals.
tDBStructure RawDataStructure();
// "Id" 0, "PA" 2, "PB" 2, "NA" 2, "NB" 2, "P" 2, "Opos" 0, "Oneg" 0, "n" 0.
tDBStructure ParamPVStructure();

// The kind of a loaded table, by the first test that holds: a column "X[1]"
// (any case) gives DBRawData, "PA" DBparamsVP, "SA" DBparamsSeSp, else DBnull.
tDBType assignDBType(const TDataTable& table);

}  // namespace kovalin
