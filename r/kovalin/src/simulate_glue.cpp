// A simulation for R: the command line's run (RunSimulationSequence) into a
// temporary folder, with R's progress bar and R's interrupt as its host.
#include <Rcpp.h>
#include <R_ext/Utils.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "glue_common.h"
#include "simulation/grid_record_source.h"
#include "simulation/input_form_rec.h"
#include "simulation/run_rules.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_launch.h"
#include "tables/data_table.h"

using namespace kovalin;

namespace {

// What a yield runs at R's top level: an error or an interrupt in it returns
// there instead of unwinding through the simulation's threads.
struct tYieldCall {
  SEXP progress = R_NilValue;  // function(fraction) or NULL
  double fraction = 0;
};

void YieldAtTopLevel(void* data) {
  auto* call = static_cast<tYieldCall*>(data);
  R_CheckUserInterrupt();
  if (call->progress != R_NilValue) {
    SEXP value = PROTECT(Rf_ScalarReal(call->fraction));
    SEXP expr = PROTECT(Rf_lang2(call->progress, value));
    Rf_eval(expr, R_GlobalEnv);
    UNPROTECT(2);
  }
}

class tRSimHost : public tSimHost {
 public:
  tRSimHost(SEXP progress, int kinds) : kinds_(kinds) { call_.progress = progress; }

  void BeginKind(int k) {
    kind_ = k;
    log_.emplace_back();
  }
  bool Interrupted() const { return interrupted_; }
  const std::vector<std::vector<std::string>>& Log() const { return log_; }

  void ProcessMessages(tRunControl& run) override {
    // A clock read per sample is cheap; R is asked only every 100 ms.
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return;
    next_ = now + std::chrono::milliseconds(100);
    const double record = records_.total > 0 ? static_cast<double>(records_.done) : 0.0;
    const double within = std::min(1.0, record + samples_.Fraction()) /
                           (records_.total > 0 ? static_cast<double>(records_.total) : 1.0);
    call_.fraction = std::min(1.0, (kind_ + within) / kinds_);
    if (R_ToplevelExec(YieldAtTopLevel, &call_) == FALSE) {
      interrupted_ = true;
      run.Stop();
    }
  }
  void SetRecordProgress(const tProgress& progress) override { records_ = progress; }
  void SetSampleProgress(const tProgress& progress) override { samples_ = progress; }
  void ClearOutput() override {}
  void AppendOutput(std::string_view) override {}
  void ClearLog() override {}
  void AppendLog(std::string_view line) override {
    if (!log_.empty()) log_.back().emplace_back(line);
  }
  tOutputGrid* OutputGrid() override { return nullptr; }

 private:
  tYieldCall call_;
  int kinds_;
  int kind_ = 0;
  tProgress records_, samples_;
  std::chrono::steady_clock::time_point next_{};
  bool interrupted_ = false;
  std::vector<std::vector<std::string>> log_;
};

class tRSequence : public tSimSequenceHost {
 public:
  explicit tRSequence(tRSimHost& host) : host_(host) {}
  tSimHost& BeginKind(tSimulationType, const std::string&, const std::string& fileName) override {
    host_.BeginKind(static_cast<int>(files_.size()));
    files_.push_back(fileName);
    return host_;
  }
  void EndKind(tSimulationType, const tRunResult& result) override {
    if (result.outcome == tRunOutcome::fileError) error_ = result.message;
  }
  const std::vector<std::string>& Files() const { return files_; }
  const std::string& Error() const { return error_; }

 private:
  tRSimHost& host_;
  std::vector<std::string> files_;
  std::string error_;
};

Rcpp::List LogList(const std::vector<std::vector<std::string>>& logs) {
  Rcpp::List list(logs.size());
  for (std::size_t i = 0; i < logs.size(); ++i) list[static_cast<R_xlen_t>(i)] = Rcpp::wrap(logs[i]);
  return list;
}

}  // namespace

// params: the parameter table's columns (numeric, NA for an empty cell) and
// names; kinds: "ci", "it", "gt" (checked in R); seed: NA for the clock;
// jobs: 0 for every processor. Writes base's numbered files and returns their
// names, the log lines and whether an interrupt stopped the run.
// [[Rcpp::export(name = ".kv_simulate")]]
Rcpp::List Simulate(Rcpp::List params, Rcpp::CharacterVector names, Rcpp::CharacterVector kinds,
                    int samples, double seed, int jobs, Rcpp::LogicalVector methods,
                    double alpha, double epsilon, int decimals, std::string base,
                    SEXP progress) {
  const int cols = static_cast<int>(params.size());
  const int rows = cols > 0 ? static_cast<int>(Rcpp::NumericVector(params[0]).size()) : 0;
  TDataTable table;
  table.Resize(cols, rows);
  for (int c = 1; c <= cols; ++c) {
    table.SetColName(c, Rcpp::as<std::string>(names[c - 1]));
    const Rcpp::NumericVector v(params[c - 1]);
    for (int r = 1; r <= rows; ++r) {
      if (Rcpp::NumericVector::is_na(v[r - 1])) {
        table.SetCellState(c, r, kCellEmpty);
      } else {
        table.SetElem(c, r, v[r - 1]);
      }
    }
  }
  const tGridRecordSource source(table);
  if (const auto broken = SimulationTableRule(source)) Rcpp::stop("params: " + *broken);

  std::vector<tSimulationType> order;
  bool ci = false, it = false, gt = false;
  for (R_xlen_t i = 0; i < kinds.size(); ++i) {
    const std::string k = Rcpp::as<std::string>(kinds[i]);
    ci = ci || k == "ci";
    it = it || k == "it";
    gt = gt || k == "gt";
  }
  order = OrderedKinds(ci, it, gt);

  tConf_rec options = DefaultAppOptions();
  options.alfa_level = alpha;
  options.epsilon = epsilon;
  options.decimals = decimals;
  for (int i = 0; i < kMethodCount; ++i)
    options.Methods[static_cast<std::size_t>(i) + 1] = methods[i] == TRUE;
  const tScopedAppOptions scope(options);
  SetSimOutDecimals(decimals);

  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = rows;
  settings.numSamples = samples;
  if (!Rcpp::NumericVector::is_na(seed)) settings.seed = static_cast<std::uint32_t>(seed);
  if (jobs <= 0) {
    const unsigned cores = std::thread::hardware_concurrency();
    jobs = cores > 0 ? static_cast<int>(std::min<unsigned>(cores, kMaxJobs)) : 1;
  }
  settings.jobs = jobs;

  tRSimHost host(progress, static_cast<int>(order.size()));
  tRSequence sequence(host);
  const tRunOutcome outcome =
      RunSimulationSequence(source, settings, WithDefaultExtension(base), order, sequence);
  if (outcome == tRunOutcome::fileError) Rcpp::stop(sequence.Error());
  return Rcpp::List::create(Rcpp::Named("files") = Rcpp::wrap(sequence.Files()),
                            Rcpp::Named("log") = LogList(host.Log()),
                            Rcpp::Named("stopped") = outcome == tRunOutcome::cancelled,
                            Rcpp::Named("interrupted") = host.Interrupted());
}
