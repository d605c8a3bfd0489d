#include "cli/subject_input.h"

#include <ostream>

#include "tables/table_loader.h"

namespace kovalin::cli {

namespace {

constexpr const char* kCellOrder = "+++ +-+ -++ --+ ++- +-- -+- ---";

}  // namespace

const std::set<std::string>& SubjectOptionNames() {
  static const std::set<std::string> names = {"subjects", "a", "b", "gold", "positive", "negative"};
  return names;
}

std::optional<tSubjectInput> ReadSubjectInput(const Arguments& args, const std::string& command,
                                              std::ostream& err, std::string& error,
                                              TCSVDelimiters delimiter) {
  const auto path = args.value("subjects");
  if (!path) {
    for (const char* other : {"a", "b", "gold", "positive", "negative"})
      if (args.has(other)) {
        error = std::string("--") + other + " needs --subjects FILE";
        return std::nullopt;
      }
    return std::nullopt;
  }
  tSubjectRequest request;
  request.delimiter = delimiter;
  const char* roles[3] = {"a", "b", "gold"};
  std::string* columns[3] = {&request.a, &request.b, &request.gold};
  for (int k = 0; k < 3; ++k) {
    const auto column = args.value(roles[k]);
    if (!column) {
      error = std::string("--subjects needs --") + roles[k] + " COL (a column's name or number)";
      return std::nullopt;
    }
    *columns[k] = *column;
  }
  std::optional<std::string_view> positive, negative;
  const auto positiveText = args.value("positive");
  const auto negativeText = args.value("negative");
  if (positiveText) positive = *positiveText;
  if (negativeText) negative = *negativeText;
  if (!request.coding.SetCodes(positive, negative, error)) {
    error = (positive ? "--positive" : "--negative") + std::string(": ") + error;
    return std::nullopt;
  }
  tSubjectInput input{*path, ReadSubjectFile(*path, request)};
  if (!input.table.ok) {
    error = input.table.error;
    return std::nullopt;
  }
  if (input.table.cells[0] == 0) {
    error = *path + ": no subject with a result of A, of B and a disease status that can be read";
    for (const std::string& line : ExclusionLines(*path, input.table))
      err << command << ": warning: " << line << "\n";
    return std::nullopt;
  }
  for (const std::string& line : FormatImportWarnings(*path, input.table.importWarnings))
    err << command << ": warning: " << line << "\n";
  if (!input.table.excluded.empty()) {
    err << command << ": warning: " << ExclusionSummary(*path, input.table) << "\n";
    for (const std::string& line : ExclusionLines(*path, input.table))
      err << command << ": warning: " << line << "\n";
  }
  return input;
}

tInputData InputOfSubjects(const tSubjectTable& table) {
  // As the eight cells given on the command line, so that both give the same report.
  tInputData input;
  input.N[0] = kMissingInt;
  for (std::size_t i = 1; i <= 8; ++i) {
    input.V[i] = table.cells[i];
    input.V[0] += table.cells[i];
  }
  return input;
}

void PrintSubjectCells(std::ostream& out, const tSubjectInput& input) {
  const tSubjectTable& t = input.table;
  auto column = [&](std::size_t k) {
    const int c = t.chosen[k];
    return "column " + std::to_string(c) + " \"" + t.columns[static_cast<std::size_t>(c - 1)] + "\"";
  };
  out << "> Subjects: " << input.path << " (A: " << column(0) << ", B: " << column(1)
      << ", gold standard: " << column(2) << ")\n";
  out << "> Rows: " << t.rows << " read, " << t.excluded.size() << " left out, " << t.cells[0]
      << " counted\n";
  out << "> Cells (" << kCellOrder << "):";
  for (std::size_t i = 1; i <= 8; ++i) out << " " << t.cells[i];
  out << "\n";
}

nlohmann::ordered_json SubjectsJson(const tSubjectInput& input) {
  const tSubjectTable& t = input.table;
  nlohmann::ordered_json excluded = nlohmann::ordered_json::array();
  for (const tSubjectExclusion& e : t.excluded)
    excluded.push_back({{"line", e.line},
                        {"column", e.column},
                        {"code", e.code == tSubjectCode::missing ? "missing" : "unknown"},
                        {"message", e.message}});
  auto column = [&](std::size_t k) {
    const int c = t.chosen[k];
    return nlohmann::ordered_json{{"number", c}, {"name", t.columns[static_cast<std::size_t>(c - 1)]}};
  };
  return {{"file", input.path},
          {"columns", {{"A", column(0)}, {"B", column(1)}, {"gold", column(2)}}},
          {"rows", t.rows},
          {"counted", t.cells[0]},
          {"excluded", excluded}};
}

std::optional<tTestNames> ReadNamesOption(const Arguments& args, std::string& error) {
  const auto text = args.value("names");
  if (!text) return std::nullopt;
  auto names = ParseTestNames(*text, error);
  if (!names) error = "--names: " + error;
  return names;
}

nlohmann::ordered_json NamesJson(const tTestNames& names) {
  return {{"A", names.A()}, {"B", names.B()}};
}

}  // namespace kovalin::cli
