#pragma once

#include <string>
#include <vector>

#include "simulation/output_grid.h"

namespace kovalin {

// A number as the simulation files write it: fixed-point with `decimals`
// decimals, right-aligned in at least `width` characters, never cut; "Nan",
// "+Inf" and "-Inf" for values that are not finite.
std::string SimNumberText(double v, int decimals, int width);

// res[1..n] in that format joined by the delimiter; res[0] is never written.
std::string Write_Rec_to_String(const std::vector<double>& res, int n, char delimiter,
                                int decimals, int width);

// A record line read back: res[1..n] (res[0] unused), NaN for a field that is not
// a number ("Nan", "+Inf" and "-Inf" as such) and for fields the line lacks.
std::vector<double> ReadRecordLine(const std::string& line, char delimiter, int n);

// Sets grid row `row` to res[1..n] when the grid has exactly n columns.
bool Write_Rec_to_NtabEd(tOutputGrid& grid, int row, int n, const std::vector<double>& res);

// One output column: its name and whether it holds counts (0 decimals in the grid).
struct tSimColumn {
  std::string name;
  bool count = false;
};

// The eleven columns every run starts with: Rec, Pa, Pb, Na, Nb, P, O+, O-, n, d, R.
std::vector<tSimColumn> FixedSimColumns();

// The column names joined by the delimiter.
std::string HeaderLine(const std::vector<tSimColumn>& columns, char delimiter);

}  // namespace kovalin
