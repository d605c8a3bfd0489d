#include "cli/simulate_command.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <iostream>
#include <ostream>
#include <system_error>

#include "cli/arguments.h"
#include "cli/interrupt.h"
#include "cli/method_options.h"
#include "cli/record_file.h"
#include "cli/scoped_restore.h"
#include "cli/terminal_sim_host.h"
#include "engine/app_options.h"
#include "simulation/input_form_rec.h"
#include "simulation/sim_file_names.h"
#include "simulation/run_clock.h"
#include "simulation/run_context.h"
#include "simulation/run_rules.h"
#include "simulation/run_settings.h"
#include "simulation/sim_continue.h"
#include "simulation/sim_launch.h"
#include "tables/warning_summary.h"

namespace kovalin::cli {

namespace {

// The kinds of --kinds, in the order they run whatever the order given.
std::optional<std::vector<tSimulationType>> ParseKinds(const std::string& list,
                                                       std::string& error) {
  bool ci = false, it = false, gt = false;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    const std::string kind =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (kind == "ci")
      ci = true;
    else if (kind == "it")
      it = true;
    else if (kind == "gt")
      gt = true;
    else {
      error = "--kinds: unknown kind '" + kind + "' in '" + list + "' (kinds: ci, it, gt)";
      return std::nullopt;
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return OrderedKinds(ci, it, gt);
}

std::optional<char> ParseDelimiter(const std::string& name, std::string& error) {
  if (name == "tab") return DelimiterAt(0);
  if (name == "comma") return DelimiterAt(1);
  if (name == "semicolon") return DelimiterAt(2);
  if (name == "space") return DelimiterAt(3);
  error = "--delimiter: '" + name + "' is not one of tab, comma, semicolon, space";
  return std::nullopt;
}

// The folder the numbered files go to must exist and take new files.
std::optional<std::string> CheckOutputFolder(const std::string& base) {
  std::filesystem::path folder = std::filesystem::path(base).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec))
    return "--out: the folder " + folder.string() + " does not exist";
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return "--out: the folder " + folder.string() + " cannot be written";
  return std::nullopt;
}

// Each kind of the sequence on the terminal: its log file, and its output file
// named on stdout once written.
class tTerminalSequence : public tSimSequenceHost {
 public:
  tTerminalSequence(tTerminalSimHost& host, std::ostream& out, std::ostream& err,
                    long long records)
      : host_(host), out_(out), err_(err), records_(records) {}
  tSimHost& BeginKind(tSimulationType, const std::string&, const std::string& fileName) override {
    fileName_ = fileName;
    host_.BeginKind(LogFileName(fileName), records_);
    return host_;
  }
  void EndKind(tSimulationType, const tRunResult& result) override {
    host_.EndKind();
    if (result.outcome == tRunOutcome::fileError)
      err_ << "simulate: " << result.message << "\n";
    else
      out_ << fileName_ << "\n";
  }

 private:
  tTerminalSimHost& host_;
  std::ostream& out_;
  std::ostream& err_;
  long long records_;
  std::string fileName_;
};

std::optional<std::string> ReadWhole(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Where the stopped run in name goes on, checked against the options given now:
// its methods, alpha and epsilon decide its numbers.
std::optional<tContinuePlan> ContinuePlanOf(const std::string& name, const tConf_rec& options,
                                            std::string& error) {
  const auto text = ReadWhole(name);
  if (!text) {
    error = name + ": cannot be read";
    return std::nullopt;
  }
  const std::string logName = LogFileName(name);
  const auto logText = ReadWhole(logName);
  const auto log = logText ? CrLfLines(*logText) : std::nullopt;
  if (!log) {
    error = name + ": its log " + logName + (logText ? " is not a simulation log" : " cannot be read");
    return std::nullopt;
  }
  auto plan = PlanContinue(*text, *log, error);
  if (!plan) {
    error = name + ": " + error;
    return std::nullopt;
  }
  std::vector<std::string> now;
  for (const std::string& line : RunSettingsLines(options.Methods, options, 1))
    if (SettingDecidesNumbers(line)) now.push_back(line);
  if (!plan->settings.empty() && plan->settings != now) {
    error = name + ": it was run with \"" + plan->settings[0] + "\" and \"" +
            plan->settings.back() + "\"; give the same --methods, --alpha and --epsilon";
    return std::nullopt;
  }
  return plan;
}

}  // namespace

std::string SimulateCommand::synopsis() const {
  return "simulate FILE --kinds ci,it,gt [--rows A-B] [--samples N] [--out BASE] "
         "[--delimiter tab|comma|semicolon|space] [--methods LIST] [--alpha A] [--epsilon E] "
         "[--decimals D] [--seed S] [--jobs N] | simulate FILE --continue OUTPUT [options]";
}

int SimulateCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                             std::ostream& err) {
  Arguments args({"kinds", "rows", "samples", "out", "delimiter", "methods", "alpha", "epsilon",
                  "decimals", "seed", "jobs", "continue"},
                 {});
  auto usage = [&err](const std::string& message) {
    err << "simulate: " << message << "\n";
    return kExitUsage;
  };
  if (!args.Parse(argv)) return usage(args.error());
  if (args.positional().size() != 1)
    return usage("expected one parameter table file, got " +
                 std::to_string(args.positional().size()));
  std::string error;
  const auto kindsText = args.value("kinds");
  const auto continueFile = args.value("continue");
  if (continueFile) {
    // A stopped run goes on exactly as it started: its log gives these.
    for (const char* fixed : {"kinds", "rows", "samples", "seed", "out"})
      if (args.value(fixed))
        return usage(std::string("--continue takes --") + fixed +
                     " from the stopped run's log; leave it out");
  } else if (!kindsText) {
    return usage("--kinds is required (a list of ci, it, gt)");
  }
  std::vector<tSimulationType> kinds;
  if (kindsText) {
    const auto parsed = ParseKinds(*kindsText, error);
    if (!parsed) return usage(error);
    kinds = *parsed;
  }

  tConf_rec options = DefaultAppOptions();
  if (const auto e = ReadAnalysisOptions(args, options)) return usage(*e);

  tSimLaunchSettings settings;
  if (const auto text = args.value("samples")) {
    const auto n = ParseInteger(*text);
    if (const auto broken = n ? SampleCountRule(*n) : SampleCountRule(0))
      return usage("--samples: '" + *text + "' " + *broken);
    settings.numSamples = static_cast<std::int32_t>(*n);
  }
  if (const auto text = args.value("delimiter")) {
    const auto delimiter = ParseDelimiter(*text, error);
    if (!delimiter) return usage(error);
    settings.delimiter = *delimiter;
  }
  if (const auto text = args.value("seed")) {
    settings.seed = ParseSeed(*text, error);
    if (!settings.seed) return usage(error);
  }

  settings.jobs = std::min(AvailableProcessors(), kMaxJobs);
  if (const auto text = args.value("jobs")) {
    const auto n = ParseInteger(*text);
    if (const auto broken = n ? JobsRule(*n) : JobsRule(0))
      return usage("--jobs: '" + *text + "' " + *broken);
    settings.jobs = static_cast<std::int32_t>(*n);
  }

  const std::string& path = args.positional()[0];
  const tRecordFile file(path);
  if (!file.ok()) return usage(file.error());
  if (const auto broken = SimulationTableRule(file.records())) return usage(path + ": " + *broken);
  const int rowCount = file.records().RowCount();
  settings.recordInit = 1;
  settings.recordEnd = rowCount;
  if (const auto text = args.value("rows")) {
    const auto range = ParseRowRange(*text, rowCount, error);
    if (!range) return usage(path + ": " + error);
    settings.recordInit = range->first;
    settings.recordEnd = range->second;
  }
  std::shared_ptr<const tContinuePlan> plan;
  if (continueFile) {
    const auto stopped = ContinuePlanOf(*continueFile, options, error);
    if (!stopped) return usage("--continue: " + error);
    if (const auto broken = RowRangeRule(stopped->first, stopped->last, rowCount))
      return usage("--continue: " + *continueFile + ": its rows " + *broken + " of " + path);
    plan = std::make_shared<const tContinuePlan>(*stopped);
    settings.recordInit = plan->first;
    settings.recordEnd = plan->last;
    settings.numSamples = plan->samples;
    settings.seed = plan->seed;
    settings.resume = plan;
  }
  const std::string base = WithDefaultExtension(args.value("out").value_or(path));
  if (const auto e = CheckOutputFolder(continueFile ? *continueFile : base)) return usage(*e);
  for (const std::string& warning : SummarizeWarnings(file.warnings()))
    err << "simulate: warning: " << warning << "\n";

  tSimSettingsScope scope;
  AppOptions = options;
  SetSimOutDecimals(options.decimals);

  const bool progressBar = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
  tTerminalSimHost host(err, progressBar);
  host.SetYieldHook(yieldHook_);
  const long long records = static_cast<long long>(settings.recordEnd) -
                            (plan ? plan->from : settings.recordInit) + 1;
  tTerminalSequence sequence(host, out, err, records);
  const tInterruptGuard interrupt;
  tRunContext context = StartRunContext();
  const tRunOutcome outcome =
      plan ? ContinueSimulation(file.records(), settings, *continueFile, sequence, context)
           : RunSimulationSequence(file.records(), settings, base, kinds, sequence, context);
  switch (outcome) {
    case tRunOutcome::fileError: return kExitFailure;
    case tRunOutcome::cancelled: return kExitCancelled;
    default: return kExitOk;
  }
}

}  // namespace kovalin::cli
