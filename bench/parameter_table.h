#pragma once

#include <cmath>
#include <random>
#include <string>

#include "tables/csv_export.h"
#include "tables/data_table.h"
#include "tables/db_structure.h"

namespace kovalin::bench {

// A parameter table of `rows` rows with 4-decimal values, exported with tab as the
// program writes it; the same seed gives the same text in every benchmark.
inline std::string MakeParameterExport(int rows) {
  TDataTable t;
  t.Resize(9, rows);
  const tDBStructure schema = ParamPVStructure();
  for (int c = 1; c <= 9; ++c) t.SetColName(c, schema.varname(c));
  std::mt19937 gen(54321);
  std::uniform_real_distribution<double> prob(0.05, 0.95);
  for (int r = 1; r <= rows; ++r) {
    t.SetElem(1, r, r);
    // Held with the 4 decimals they are written with, so that the file is the
    // same 4-decimal text whatever the export does with longer values.
    for (int c = 2; c <= 8; ++c) t.SetElem(c, r, std::round(prob(gen) * (c >= 7 ? 10 : 1) * 1e4) / 1e4);
    t.SetElem(9, r, 100 + r % 900);
  }
  return ExportText(t, {0, 4, 4, 4, 4, 4, 4, 4, 0}, '\t');
}

}  // namespace kovalin::bench
