#include "cli/analyze_command.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/arguments.h"
#include "cli/extended_json.h"
#include "cli/method_json.h"
#include "cli/method_options.h"
#include "cli/record_file.h"
#include "cli/scoped_restore.h"
#include "cli/subject_input.h"
#include "engine/npv_methods.h"
#include "engine/app_options.h"
#include "engine/comparisons.h"
#include "engine/text_document.h"
#include "simulation/analysis_run.h"
#include "simulation/cell_probabilities.h"
#include "simulation/record_validity.h"
#include "simulation/run_rules.h"
#include "simulation/sim_mdb.h"

namespace kovalin::cli {

namespace {

nlohmann::ordered_json RecordJson(const tInputDataRec& r) {
  return {{"id", r.id},
          {"n", r.n},
          {"conf", NumberOrNull(r.conf)},
          {"PA", NumberOrNull(r.PA)},
          {"PB", NumberOrNull(r.PB)},
          {"NA", NumberOrNull(r.NA)},
          {"NB", NumberOrNull(r.NB)},
          {"SeA", NumberOrNull(r.SeA)},
          {"SpA", NumberOrNull(r.SpA)},
          {"SeB", NumberOrNull(r.SeB)},
          {"SpB", NumberOrNull(r.SpB)},
          {"P", NumberOrNull(r.P)},
          {"O_pos", NumberOrNull(r.O_pos)},
          {"O_neg", NumberOrNull(r.O_neg)},
          {"d_pos", NumberOrNull(r.d_pos)},
          {"d_neg", NumberOrNull(r.d_neg)},
          {"R_pos", NumberOrNull(r.R_pos)},
          {"R_neg", NumberOrNull(r.R_neg)},
          {"realn", NumberOrNull(r.realn)}};
}

nlohmann::ordered_json RecordResultJson(tSimMDB& sim, const tRecordSource& table, int row,
                                        bool raw) {
  const tInputDataRec& rec = sim.iRec;
  nlohmann::ordered_json j = {{"row", row},
                              {"id", rec.id},
                              {"kind", raw ? "raw" : "parameters"},
                              {"record", RecordJson(rec)}};
  const tRecordCheck check = raw ? CheckRawRow(table, row) : CheckParamsRow(table, row);
  if (!check.ok())
    j["problem"] = check.problem;
  else if (!raw && sim.NumOfValidSolsXY == 0)
    j["problem"] = "the parameters give no valid cell probabilities";
  if (!check.note.empty()) j["note"] = check.note;
  if (raw) {
    j["measures"] = check.ok() ? MeasuresJson(MeasuresOfRecord(rec), rec.n) : nullptr;
    j["methods"] = check.ok() ? ActiveMethodsJson(sim.Methods()) : nlohmann::ordered_json::array();
    j["accuracy"] = check.ok() ? AccuracyJson(CellsOfInput(sim.InputData), AppOptions.alfa_level)
                               : nullptr;
    j["comparisons"] = check.ok()
                           ? ComparisonsJson(CellsOfInput(sim.InputData), AppOptions.alfa_level)
                           : nlohmann::ordered_json::array();
    return j;
  }
  j["measures"] = MeasuresJson(sim.inputTestMeasures, rec.n);
  const bool drawn = sim.NumOfValidSolsXY > 0 && check.ok();
  nlohmann::ordered_json p = nlohmann::ordered_json::array();
  nlohmann::ordered_json sample = nlohmann::ordered_json::array();
  for (std::size_t i = 1; i <= 8; ++i) {
    p.push_back(sim.NumOfValidSolsXY > 0 ? NumberOrNull(sim.P[i]) : nlohmann::ordered_json(nullptr));
    sample.push_back(sim.InputData.N[i]);
  }
  j["probabilities"] = p;
  j["solutions"] = sim.NumOfValidSolsXY;
  j["sample"] = drawn ? sample : nlohmann::ordered_json(nullptr);
  j["methods"] = drawn ? ActiveMethodsJson(sim.Methods()) : nlohmann::ordered_json::array();
  j["accuracy"] = drawn ? AccuracyJson(CellsOfInput(sim.InputData), AppOptions.alfa_level)
                        : nlohmann::ordered_json(nullptr);
  j["comparisons"] = drawn ? ComparisonsJson(CellsOfInput(sim.InputData), AppOptions.alfa_level)
                           : nlohmann::ordered_json(nullptr);
  return j;
}

// The NPV comparison of a record that has methods' results (no problem, a sample).
nlohmann::ordered_json NpvMethodsJson(tSimMDB& sim, const nlohmann::ordered_json& record) {
  if (record["methods"].empty()) return nlohmann::ordered_json::array();
  tMethodSet npv = CreateMethods(AppOptions, tSimulationType::simAny);
  CalculateNpv(npv, sim.InputData);
  return ActiveMethodsJson(npv);
}

}  // namespace

std::string AnalyzeCommand::synopsis() const {
  return "analyze FILE [--rows A-B] [--alpha A] [--epsilon E] [--decimals D] [--methods LIST] "
         "[--full] [--extended] [--npv] [--names A,B] [--seed S] [--json]";
}

int AnalyzeCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                            std::ostream& err) {
  Arguments args({"rows", "alpha", "epsilon", "decimals", "methods", "seed", "names"},
                 {"full", "extended", "json", "npv"});
  if (!args.Parse(argv)) {
    err << "analyze: " << args.error() << "\n";
    return kExitUsage;
  }
  if (args.positional().size() != 1) {
    err << "analyze: expected one table file, got " << args.positional().size() << "\n";
    return kExitUsage;
  }
  tConf_rec options = DefaultAppOptions();
  if (const auto error = ReadAnalysisOptions(args, options)) {
    err << "analyze: " << *error << "\n";
    return kExitUsage;
  }
  std::optional<std::uint32_t> seed;
  std::string error;
  const std::optional<tTestNames> names = ReadNamesOption(args, error);
  if (!error.empty()) {
    err << "analyze: " << error << "\n";
    return kExitUsage;
  }
  if (const auto text = args.value("seed")) {
    seed = ParseSeed(*text, error);
    if (!seed) {
      err << "analyze: " << error << "\n";
      return kExitUsage;
    }
  }

  const std::string& path = args.positional()[0];
  const tRecordFile file(path);
  if (!file.ok()) {
    err << "analyze: " << file.error() << "\n";
    return kExitUsage;
  }
  const bool raw = file.kind() == tRecordTableKind::rawData;
  if (const auto broken = AnalysisTableRule(file.records())) {
    err << "analyze: " << path << ": " << *broken << "\n";
    return kExitUsage;
  }
  const int rowCount = file.records().RowCount();
  std::pair<int, int> rows{1, rowCount};
  if (const auto text = args.value("rows")) {
    const auto range = ParseRowRange(*text, rowCount, error);
    if (!range) {
      err << "analyze: " << path << ": " << error << "\n";
      return kExitUsage;
    }
    rows = *range;
  }
  for (const std::string& warning : file.warnings())
    err << "analyze: warning: " << warning << "\n";

  tSimSettingsScope scope;
  AppOptions = options;
  SetSimOutDecimals(options.decimals);

  tMemoryDocument memo;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  const bool json = args.has("json");
  tRunContext context = StartRunContext();
  if (names) context.names = *names;
  AnalyzeSelection(file.records(), rows.first, rows.second, memo, context, seed,
                   [&](tSimMDB& sim, int row) {
                     if (!json) return;
                     nlohmann::ordered_json record = RecordResultJson(sim, file.records(), row, raw);
                     if (options.npvoutput) record["npv_methods"] = NpvMethodsJson(sim, record);
                     if (names) record["names"] = NamesJson(*names);
                     records.push_back(std::move(record));
                   });
  if (json)
    out << records.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  else
    out << memo.Text("\n");
  return kExitOk;
}

}  // namespace kovalin::cli
