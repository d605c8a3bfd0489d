#include "cli/compare_command.h"

#include <cmath>
#include <ostream>

#include "cli/arguments.h"
#include "cli/extended_json.h"
#include "cli/method_json.h"
#include "cli/method_options.h"
#include "cli/scoped_restore.h"
#include "engine/app_options.h"
#include "engine/comparisons.h"
#include "engine/extended_report.h"
#include "engine/paired_measures.h"
#include "engine/record_report.h"
#include "engine/text_document.h"

namespace kovalin::cli {

namespace {

constexpr const char* kCellOrder = "+++ +-+ -++ --+ ++- +-- -+- ---";

}  // namespace

std::string CompareCommand::synopsis() const {
  return "compare X1 X2 X3 X4 X5 X6 X7 X8 [--alpha A] [--epsilon E] [--decimals D] "
         "[--methods LIST] [--full] [--extended] [--holm measures|global] [--json]   (cells in the order " +
         std::string(kCellOrder) + ")";
}

int CompareCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                            std::ostream& err) {
  Arguments args({"alpha", "epsilon", "decimals", "methods", "holm"}, {"full", "extended", "json"});
  if (!args.Parse(argv)) {
    err << "compare: " << args.error() << "\n";
    return kExitUsage;
  }
  const auto& cells = args.positional();
  if (cells.size() != 8) {
    err << "compare: expected 8 cell frequencies (" << kCellOrder << "), got " << cells.size()
        << "\n";
    return kExitUsage;
  }

  tInputData input;
  input.N[0] = kMissingInt;  // real-valued frequencies
  for (std::size_t i = 0; i < 8; ++i) {
    const auto value = ParseDouble(cells[i]);
    if (!value || !std::isfinite(*value)) {
      err << "compare: cell X" << i + 1 << " (" << kCellLabels[i + 1] << "): '" << cells[i]
          << "' is not a number\n";
      return kExitUsage;
    }
    if (*value < 0) {
      err << "compare: cell X" << i + 1 << " (" << kCellLabels[i + 1] << "): '" << cells[i]
          << "' is negative\n";
      return kExitUsage;
    }
    input.V[i + 1] = *value;
    input.V[0] += *value;
  }

  ScopedRestore<tConf_rec> restoreOptions(AppOptions);
  tConf_rec options = DefaultAppOptions();
  if (const auto error = ReadAnalysisOptions(args, options)) {
    err << "compare: " << *error << "\n";
    return kExitUsage;
  }
  AppOptions = options;

  tMethodSet methods = CreateMethods(options, tSimulationType::simAny);
  methods.ForEachActive([&](t2BDM& m) { m.Calculate(input); });

  if (args.has("json")) {
    nlohmann::ordered_json cellsJson = nlohmann::ordered_json::array();
    for (std::size_t i = 1; i <= 8; ++i) cellsJson.push_back(input.V[i]);
    const tData_Rec observed = DataOfCells(input.V);
    nlohmann::ordered_json result = {
        {"input", {{"cells", cellsJson}, {"alpha", options.alfa_level}, {"epsilon", options.epsilon}}},
        {"measures", MeasuresJson(ComputeMeasures(observed), observed.n)},
        {"methods", ActiveMethodsJson(methods)},
        {"accuracy", AccuracyJson(CellsOfInput(input), options.alfa_level)},
        {"comparisons", ComparisonsJson(CellsOfInput(input), options.alfa_level)},
    };
    if (options.extendedoutput)
      AddExtendedJson(result, CellsOfInput(input), options.alfa_level, options.decimals,
                      ExtendedOptionsOf(options));
    out << result.dump(2) << "\n";
    return kExitOk;
  }

  // A raw table: the reference values are those of no difference.
  tMemoryDocument doc;
  AppendMethodReports(doc, methods, options.fulloutput, 0.0, 1.0, options.decimals);
  if (options.extendedoutput)
    AppendExtendedReport(doc, CellsOfInput(input), options.alfa_level, options.decimals, methods,
                         ExtendedOptionsOf(options));
  out << doc.Text("\n");
  return kExitOk;
}

}  // namespace kovalin::cli
