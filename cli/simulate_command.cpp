#include "cli/simulate_command.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <system_error>
#include <thread>

#include "cli/arguments.h"
#include "cli/interrupt.h"
#include "cli/method_options.h"
#include "cli/record_file.h"
#include "cli/scoped_restore.h"
#include "cli/terminal_sim_host.h"
#include "engine/app_options.h"
#include "simulation/input_form_rec.h"
#include "simulation/sim_file_names.h"
#include "simulation/run_rules.h"
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

// The processors this process may run on: under a batch system's CPU binding
// (Slurm's, for one) fewer than the machine has.
int AvailableProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof(set), &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return count;
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(std::min<unsigned>(cores, kMaxJobs)) : 1;
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

}  // namespace

std::string SimulateCommand::synopsis() const {
  return "simulate FILE --kinds ci,it,gt [--rows A-B] [--samples N] [--out BASE] "
         "[--delimiter tab|comma|semicolon|space] [--methods LIST] [--alpha A] [--epsilon E] "
         "[--decimals D] [--seed S] [--jobs N]";
}

int SimulateCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                             std::ostream& err) {
  Arguments args({"kinds", "rows", "samples", "out", "delimiter", "methods", "alpha", "epsilon",
                  "decimals", "seed", "jobs"},
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
  if (!kindsText) return usage("--kinds is required (a list of ci, it, gt)");
  const auto kinds = ParseKinds(*kindsText, error);
  if (!kinds) return usage(error);

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
  const std::string base = WithDefaultExtension(args.value("out").value_or(path));
  if (const auto e = CheckOutputFolder(base)) return usage(*e);
  for (const std::string& warning : SummarizeWarnings(file.warnings()))
    err << "simulate: warning: " << warning << "\n";

  tSimSettingsScope scope;
  AppOptions = options;
  SetSimOutDecimals(options.decimals);

  const bool progressBar = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
  tTerminalSimHost host(err, progressBar);
  host.SetYieldHook(yieldHook_);
  tTerminalSequence sequence(host, out, err,
                             static_cast<long long>(settings.recordEnd) - settings.recordInit + 1);
  const tInterruptGuard interrupt;
  switch (RunSimulationSequence(file.records(), settings, base, *kinds, sequence)) {
    case tRunOutcome::fileError: return kExitFailure;
    case tRunOutcome::cancelled: return kExitCancelled;
    default: return kExitOk;
  }
}

}  // namespace kovalin::cli
