#include "cli/compare_command.h"

#include <cmath>
#include <ostream>

#include "cli/arguments.h"
#include "cli/extended_json.h"
#include "cli/method_json.h"
#include "cli/method_options.h"
#include "cli/scoped_restore.h"
#include "cli/subject_input.h"
#include "engine/app_options.h"
#include "engine/comparisons.h"
#include "engine/extended_report.h"
#include "engine/forest_data.h"
#include "engine/forest_svg.h"
#include "engine/npv_methods.h"
#include "engine/paired_measures.h"
#include "engine/record_report.h"
#include "engine/text_document.h"
#include "tables/csv_export.h"

namespace kovalin::cli {

namespace {

constexpr const char* kCellOrder = "+++ +-+ -++ --+ ++- +-- -+- ---";

// The eight cells given on the command line; a reason naming the cell when one
// is not a non-negative number.
std::optional<std::string> ReadCells(const std::vector<std::string>& cells, tInputData& input) {
  input.N[0] = kMissingInt;  // real-valued frequencies
  for (std::size_t i = 0; i < 8; ++i) {
    const auto value = ParseDouble(cells[i]);
    const std::string which = "cell X" + std::to_string(i + 1) + " (" + kCellLabels[i + 1] + "): '" + cells[i];
    if (!value || !std::isfinite(*value)) return which + "' is not a number";
    if (*value < 0) return which + "' is negative";
    input.V[i + 1] = *value;
    input.V[0] += *value;
  }
  return std::nullopt;
}

}  // namespace

std::string CompareCommand::synopsis() const {
  return "compare X1 X2 X3 X4 X5 X6 X7 X8 | --subjects FILE --a COL --b COL --gold COL "
         "[--positive CODES] [--negative CODES]  [--names A,B] [--alpha A] [--epsilon E] "
         "[--decimals D] [--methods LIST] [--full] [--extended] [--npv] [--plot FOREST.svg] [--json]   "
         "(cells in the order " +
         std::string(kCellOrder) + ")";
}

int CompareCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                            std::ostream& err) {
  std::set<std::string> valued = {"alpha", "epsilon", "decimals", "methods", "names", "plot"};
  valued.insert(SubjectOptionNames().begin(), SubjectOptionNames().end());
  Arguments args(valued, {"full", "extended", "json", "npv"});
  if (!args.Parse(argv)) {
    err << "compare: " << args.error() << "\n";
    return kExitUsage;
  }
  std::string error;
  const std::optional<tTestNames> names = ReadNamesOption(args, error);
  if (!error.empty()) {
    err << "compare: " << error << "\n";
    return kExitUsage;
  }
  const auto plotPath = args.value("plot");
  if (plotPath && (plotPath->size() < 5 || plotPath->compare(plotPath->size() - 4, 4, ".svg") != 0)) {
    err << "compare: --plot: '" << *plotPath << "' should name an .svg file\n";
    return kExitUsage;
  }
  const auto& cells = args.positional();
  tInputData input;
  std::optional<tSubjectInput> subjects;
  if (args.has("subjects")) {
    if (!cells.empty()) {
      err << "compare: --subjects reads the cells from FILE; got " << cells.size()
          << " cell arguments too\n";
      return kExitUsage;
    }
  } else if (cells.size() != 8) {
    err << "compare: expected 8 cell frequencies (" << kCellOrder << "), got " << cells.size()
        << "\n";
    return kExitUsage;
  }
  // The options are checked before a file is read, so that a typing error costs no reading.
  ScopedRestore<tConf_rec> restoreOptions(AppOptions);
  tConf_rec options = DefaultAppOptions();
  if (const auto optionError = ReadAnalysisOptions(args, options)) {
    err << "compare: " << *optionError << "\n";
    return kExitUsage;
  }
  subjects = ReadSubjectInput(args, "compare", err, error);
  if (!error.empty()) {
    err << "compare: " << error << "\n";
    return kExitUsage;
  }
  if (subjects) {
    input = InputOfSubjects(subjects->table);
  } else {
    if (const auto broken = ReadCells(cells, input)) {
      err << "compare: " << *broken << "\n";
      return kExitUsage;
    }
  }
  AppOptions = options;

  const tTestNames shownNames = names.value_or(tTestNames{});
  const bool npv = args.has("npv");
  tMethodSet methods = CreateMethods(options, tSimulationType::simAny);
  methods.ForEachActive([&](t2BDM& m) { m.Calculate(input); });
  tMethodSet npvMethods = CreateMethods(options, tSimulationType::simAny);
  if (npv) CalculateNpv(npvMethods, input);
  if (plotPath) {
    const tForestPlot plot = ForestPlotOf(methods, npv ? &npvMethods : nullptr, shownNames,
                                          options.alfa_level);
    std::string reason;
    if (!WriteFileBytes(*plotPath, ForestPlotSvg(plot), reason)) {
      err << "compare: " << *plotPath << ": " << reason << "\n";
      return kExitFailure;
    }
  }

  if (args.has("json")) {
    nlohmann::ordered_json cellsJson = nlohmann::ordered_json::array();
    for (std::size_t i = 1; i <= 8; ++i) cellsJson.push_back(input.V[i]);
    const tData_Rec observed = DataOfCells(input.V);
    nlohmann::ordered_json inputJson = {
        {"cells", cellsJson}, {"alpha", options.alfa_level}, {"epsilon", options.epsilon}};
    if (subjects) inputJson["subjects"] = SubjectsJson(*subjects);
    nlohmann::ordered_json result;
    if (names) result["names"] = NamesJson(*names);
    result["input"] = std::move(inputJson);
    result["measures"] = MeasuresJson(ComputeMeasures(observed), observed.n);
    result["methods"] = ActiveMethodsJson(methods);
    if (npv) result["npv_methods"] = ActiveMethodsJson(npvMethods);
    result["accuracy"] = AccuracyJson(CellsOfInput(input), options.alfa_level);
    result["comparisons"] = ComparisonsJson(CellsOfInput(input), options.alfa_level);
    // A name or a column in another encoding must not stop the output.
    out << result.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return kExitOk;
  }

  if (names) out << TestNamesLine(*names) << "\n";
  if (subjects) PrintSubjectCells(out, *subjects);
  // A raw table: the reference values are those of no difference.
  tMemoryDocument doc;
  AppendMethodReports(doc, methods, options.fulloutput, 0.0, 1.0, options.decimals, shownNames);
  if (options.extendedoutput)
    AppendExtendedReport(doc, CellsOfInput(input), options.alfa_level, options.decimals, methods);
  if (npv) AppendNpvReport(doc, npvMethods, 0.0, 1.0, options.decimals, shownNames);
  out << doc.Text("\n");
  return kExitOk;
}

}  // namespace kovalin::cli
