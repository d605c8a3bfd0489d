#include "tables/db_structure.h"

#include <charconv>

namespace kovalin {

void tDBStructure::SetVar(std::string_view name, int decimals) {
  names_.emplace_back(name);
  decimals_.push_back(std::to_string(decimals));
}

std::string tDBStructure::varname(int i) const {
  if (i < 1 || i > count()) return {};
  return names_[static_cast<std::size_t>(i - 1)];
}

int tDBStructure::VarPrecision(int i) const {
  if (i < 1 || i > count()) return 0;
  const std::string& text = decimals_[static_cast<std::size_t>(i - 1)];
  int value = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  return res.ec == std::errc() ? value : 0;
}

tDBStructure RawDataStructure() {
  tDBStructure s;
  s.SetVar("Id", 0);
  for (int k = 1; k <= 8; ++k) s.SetVar("X[" + std::to_string(k) + "]", 0);
  return s;
}

tDBStructure ParamPVStructure() {
  tDBStructure s;
  s.SetVar("Id", 0);
  for (const char* name : {"PA", "PB", "NA", "NB", "P"}) s.SetVar(name, 2);
  for (const char* name : {"Opos", "Oneg", "n"}) s.SetVar(name, 0);
  return s;
}

tDBType assignDBType(const TDataTable& table) {
  if (table.FindColumn("X[1]") > 0) return DBRawData;
  if (table.FindColumn("PA") > 0) return DBparamsVP;
  if (table.FindColumn("SA") > 0) return DBparamsSeSp;
  return DBnull;
}

}  // namespace kovalin
