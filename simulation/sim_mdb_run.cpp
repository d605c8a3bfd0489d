// The simulation run: the record and sample loops, the output file, the grid and
// the log of one kind.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "simulation/multinomial.h"
#include "simulation/parallel_records.h"
#include "simulation/random_generator.h"
#include "simulation/record_seed.h"
#include "simulation/record_validity.h"
#include "simulation/run_clock.h"
#include "simulation/run_settings.h"
#include "simulation/sim_host.h"
#include "simulation/sim_mdb.h"
#include "simulation/sim_running.h"
#include "simulation/text_file.h"

namespace kovalin {

bool SimRunning = false;

namespace {

constexpr const char* kLineEnd = "\r\n";

struct tFoldedMethod {
  int folded;
  int partner;
  const char* labelWithPartner;
  const char* labelAlone;
};

constexpr tFoldedMethod kFoldedMethods[] = {
    {18, 1, "d/F1R", "F1R"},
    {19, 2, "da/F1Ra", "F1Ra"},
    {20, 10, "Fd/F2R", "F2R"},
    {21, 11, "Fda/F2Ra", "F2Ra"},
};

std::string LogTitle(tSimulationType kind) {
  switch (kind) {
    case tSimulationType::simIT:
      return "Simulation of Individual Homogeneity Tests --------------";
    case tSimulationType::simGT:
      return "Simulation of Global Homogeneity Tests ------------------";
    default:
      return "Simulation of confidence intervals ----------------------";
  }
}

// 100 * s / total to the nearest integer, halves to even.
long long RoundedPercent(long long s, long long total) {
  if (total <= 0) return 0;
  return static_cast<long long>(std::nearbyint(100.0 * static_cast<double>(s) /
                                               static_cast<double>(total)));
}

// The text pages of the run: the host's pages, the output file growing by one
// line per record, and the log text kept for the log file of a shut-down run.
class tRunPages {
 public:
  tRunPages(tSimHost& host, tAppendFile& output) : host_(host), output_(output) {}
  bool Output(const std::string& line, std::string& error) {
    host_.AppendOutput(line);
    return output_.AppendLine(line, error);
  }
  void Log(const std::string& line) {
    host_.AppendLog(line);
    log_ += line;
    log_ += kLineEnd;
  }
  const std::string& LogText() const { return log_; }

 private:
  tSimHost& host_;
  tAppendFile& output_;
  std::string log_;
};

}  // namespace

void MergeIndividualTestMethods(tMethodSet& methods) {
  // A folded method that is not ticked leaves its partner as it is: the merge
  // must not run methods the user did not choose.
  for (const tFoldedMethod& f : kFoldedMethods) {
    t2BDM& folded = methods[f.folded];
    if (!folded.Active) continue;
    folded.Active = false;
    t2BDM& partner = methods[f.partner];
    if (partner.Active) {
      partner.method_Lbl = f.labelWithPartner;
    } else {
      partner.Active = true;
      partner.method_Lbl = f.labelAlone;
    }
  }
}

std::vector<tSimColumn> tSimMDB::BuildColumns(tSimulationType kind,
                                              std::array<int, kMethodCount + 1>& firstCol) {
  tMethodSet& ms = *methods_;
  std::vector<tSimColumn> columns = FixedSimColumns();
  firstCol.fill(-1);
  if (kind == tSimulationType::simIT) MergeIndividualTestMethods(ms);
  const bool intervals = kind != tSimulationType::simIT && kind != tSimulationType::simGT;
  for (int i = 1; i <= kMethodCount; ++i) {
    t2BDM& m = ms[i];
    if (!m.Active) continue;
    firstCol[static_cast<std::size_t>(i)] = static_cast<int>(columns.size()) + 1;
    columns.push_back({m.method_Lbl + "(n)", true});
    if (intervals) {
      columns.push_back({m.method_Lbl + "(cover)", false});
      columns.push_back({m.method_Lbl + "(amp)", false});
      m.Reset_SimRec_CI(0, 0);
    } else {
      columns.push_back({m.method_Lbl + "(Sig)", false});
    }
  }
  if (!intervals) {
    for (int i = 1; i <= kMethodCount; ++i) {
      ms[i].Reset_SimRec_IT();
      ms[i].Reset_SimRec_GT();
    }
  }
  return columns;
}

void tSimMDB::Simulation_CI_Write_RecStr(int MethodNum, std::vector<double>& res, int index) {
  const tCI_SimRec& r = (*methods_)[MethodNum].SimRec_CI;
  res.at(static_cast<std::size_t>(index)) = r.N;
  res.at(static_cast<std::size_t>(index) + 1) = r.Coverage;
  res.at(static_cast<std::size_t>(index) + 2) = r.MeanAmplitude;
}

void tSimMDB::Simulation_ITest_Write_RecStr(int MethodNum, std::vector<double>& res, int index) {
  const tHTest_SimRec& r = (*methods_)[MethodNum].SimRec_IT;
  res.at(static_cast<std::size_t>(index)) = r.N;
  res.at(static_cast<std::size_t>(index) + 1) = r.P_Significations;
}

void tSimMDB::Simulation_GTest_Write_RecStr(int MethodNum, std::vector<double>& res, int index) {
  const tHTest_SimRec& r = (*methods_)[MethodNum].SimRec_GT;
  res.at(static_cast<std::size_t>(index)) = r.N;
  res.at(static_cast<std::size_t>(index) + 1) = r.P_Significations;
}

void tSimMDB::CreateMethods(tSimulationType simType) {
  methods_ = std::make_unique<tMethodSet>(kovalin::CreateMethods(context_->options, simType));
}

void tSimMDB::AssignOptions(const tConf_rec& opts) {
  if (methods_) methods_->AssignOptions(opts);
}

tRunResult tSimMDB::execute(tSimHost& host, tAppendFile& output) {
  CreateMethods(pSimulationType);
  host.SetRecordProgress({0, 1});
  host.SetSampleProgress({0, 1});
  return Simulation_Execute(context_->options.Methods, host, output);
}

std::vector<tSimColumn> tSimMDB::PrepareRun(
    const std::array<bool, kMethodCount + 1>& MethodsToSimulate,
    std::array<int, kMethodCount + 1>& firstCol) {
  if (!methods_) CreateMethods(pSimulationType);
  tMethodSet& ms = *methods_;
  for (int i = 1; i <= kMethodCount; ++i)
    ms[i].Active = MethodsToSimulate[static_cast<std::size_t>(i)];
  std::vector<tSimColumn> columns = BuildColumns(pSimulationType, firstCol);
  ms.SetSimulationType(pSimulationType);
  // Which method prepares the cells of a sample and which read them, fixed for the run.
  ms.PlanSamples(pSimulationType);
  return columns;
}

tRecordResult tSimMDB::Simulation_Record(int row,
                                         const std::array<int, kMethodCount + 1>& firstCol,
                                         int cols, tSampleGate& gate, tWorkerSeeds* clockSeeds) {
  tMethodSet& ms = *methods_;
  const tSimulationType kind = pSimulationType;
  const tInputFormRec& ip = InputParams;
  tRandomGenerator& rng = context_->random;
  tRecordResult out;
  out.row = row;
  std::vector<double>& res = out.res;
  res.assign(static_cast<std::size_t>(cols) + 1, 0.0);

  tInputDataRec rec = Get_InputParamsRow(row);
  res[1] = row;
  res[2] = rec.PA;
  res[3] = rec.PB;
  res[4] = rec.NA;
  res[5] = rec.NB;
  res[6] = rec.P;
  res[7] = rec.O_pos;
  res[8] = rec.O_neg;
  res[9] = rec.n;
  res[10] = rec.d_pos;
  res[11] = rec.R_pos;
  ms.ResetRecord(rec.d_pos, rec.R_pos);
  Get_SDataRec(rec);
  const tRecordCheck size = InputNTabEd ? CheckParamsRow(*InputNTabEd, row) : tRecordCheck{};
  const bool drawable = NumOfValidSolsXY > 0 && size.ok();
  const std::string record = "Record " + std::to_string(row) + ": ";
  if (!size.note.empty()) out.notes.push_back(record + size.note);
  if (!drawable) {
    // Samples drawn from another row's probabilities, or of a size the row
    // does not hold, would report the wrong population: the line keeps the
    // parameters and no method result.
    if (NumOfValidSolsXY == 0)
      out.notes.push_back(record +
                          "the parameters give no valid cell probabilities; no samples drawn");
    if (!size.ok()) out.notes.push_back(record + size.problem + "; no samples drawn");
  } else {
    if (ip.Seed) rng.UseSeed(RecordSeed(*ip.Seed, row));
    // The samples go to the methods in batches of the width the methods
    // compute side by side (1 on a path without lanes), in the order drawn.
    const int width = ms.SampleWidth();
    std::array<tInputData, kLaneMaxWidth> batch;
    long long s = 0;
    bool more = true;
    while (more) {
      int count = 0;
      while (count < width) {
        ++s;
        ResetInputData();
        if (!gate.Draw(s, ip.NumSamples)) {
          out.finished = false;
          more = false;
          break;
        }
        // A worker among several takes its clock seeds from its own residue class.
        if (clockSeeds) rng.UseSeed(clockSeeds->Next());
        MultinomialSample(rec.n, InputData.N, P, rng);
        ++out.drawn;
        batch[static_cast<std::size_t>(count++)] = InputData;
        if (s >= ip.NumSamples) {
          more = false;
          break;
        }
      }
      // Every active method and its accumulator, sharing the corrected cells.
      ms.SampleBatch(batch.data(), count);
    }
    out.s = s;
  }
  ms.EndRecord();
  for (int i = 1; i <= kMethodCount; ++i) {
    const int fc = firstCol[static_cast<std::size_t>(i)];
    if (fc < 0) continue;
    if (kind == tSimulationType::simIT)
      Simulation_ITest_Write_RecStr(i, res, fc);
    else if (kind == tSimulationType::simGT)
      Simulation_GTest_Write_RecStr(i, res, fc);
    else
      Simulation_CI_Write_RecStr(i, res, fc);
    if (!drawable && kind != tSimulationType::SimCI && kind != tSimulationType::simAny)
      res[static_cast<std::size_t>(fc) + 1] = kMissing;
  }
  return out;
}

namespace {

// The records of a run on the engine that prepared it.
class tEngineWorker : public tRecordWorker {
 public:
  tEngineWorker(tSimMDB& sim, const std::array<int, kMethodCount + 1>& firstCol, int cols)
      : sim_(sim), firstCol_(firstCol), cols_(cols) {}
  tRecordResult Run(int row, tSampleGate& gate) override {
    return sim_.Simulation_Record(row, firstCol_, cols_, gate, nullptr);
  }

 private:
  tSimMDB& sim_;
  const std::array<int, kMethodCount + 1>& firstCol_;
  int cols_;
};

// A worker thread's own engine, methods, options and generator over the run's rows.
class tThreadWorker : public tRecordWorker {
 public:
  tThreadWorker(const tSimMDB& main, const tRunContext& context,
                const std::array<bool, kMethodCount + 1>& methods, int worker, int workers)
      : context_(context), sim_(main.InputNTabEd, context_) {
    sim_.InputParams = main.InputParams;
    sim_.pSimulationType = main.pSimulationType;
    sim_.SetalfaLevel(main.p_alfa_level);
    sim_.CreateMethods(main.pSimulationType);
    cols_ = static_cast<int>(sim_.PrepareRun(methods, firstCol_).size());
    context_.random.StartRun(main.InputParams.Seed);
    if (!main.InputParams.Seed) seeds_ = std::make_unique<tWorkerSeeds>(worker, workers);
  }
  tRecordResult Run(int row, tSampleGate& gate) override {
    return sim_.Simulation_Record(row, firstCol_, cols_, gate, seeds_.get());
  }

 private:
  tRunContext context_;
  tSimMDB sim_;
  std::array<int, kMethodCount + 1> firstCol_{};
  int cols_ = 0;
  std::unique_ptr<tWorkerSeeds> seeds_;
};

}  // namespace

tRunResult tSimMDB::Simulation_Execute(
    const std::array<bool, kMethodCount + 1>& MethodsToSimulate, tSimHost& host,
    tAppendFile& output) {
  const tSimulationType kind = pSimulationType;
  const tInputFormRec& ip = InputParams;
  tRunContext& context = *context_;
  tRunControl& control = context.control;
  tRunResult result;

  host.ClearLog();
  host.ClearOutput();
  tRunPages pages(host, output);
  pages.Log(LogTitle(kind));
  std::array<int, kMethodCount + 1> firstCol{};
  const std::vector<tSimColumn> columns = PrepareRun(MethodsToSimulate, firstCol);

  const int cols = static_cast<int>(columns.size());
  const long long nrec =
      std::max<long long>(0, static_cast<long long>(ip.paramrec_End) - ip.paramrec_Init + 1);

  auto fail = [&](const std::string& error) {
    result.outcome = tRunOutcome::fileError;
    result.message = error;
    pages.Log(error);
    return result;
  };

  std::string error;
  const tContinuePlan* resume = ip.Resume.get();
  const std::string header = HeaderLine(columns, ip.delimiter);
  if (resume) {
    // The file holds the header and the kept lines already.
    if (header != resume->header)
      return fail(ip.FileName + ": its columns are not those of this run's methods; " +
                  "continue it with the methods it was run with");
    host.AppendOutput(header);
  } else if (!pages.Output(header, error)) {
    return fail(error);
  }
  pages.Log("Generated output file: " + ip.FileName);
  pages.Log("Output table: " + std::to_string(nrec) + " rows x " + std::to_string(cols) +
            " cols.");
  tOutputGrid* grid = ip.ShowGrid ? host.OutputGrid() : nullptr;
  if (grid) {
    grid->Redimension(cols, static_cast<int>(std::min<long long>(nrec, 2147483647)));
    for (int j = 1; j <= cols; ++j) {
      const tSimColumn& c = columns[static_cast<std::size_t>(j) - 1];
      grid->SetColName(j, c.name);
      grid->SetDecPlaces(j, c.count ? 0 : context.options.decimals);
    }
  }
  pages.Log("- Records: from " + std::to_string(ip.paramrec_Init) + " to " +
            std::to_string(ip.paramrec_End) + " (" + std::to_string(nrec) + " records)");
  pages.Log("- Samples per record: " + std::to_string(ip.NumSamples));
  if (ip.Seed)
    pages.Log("- Random seed: " + std::to_string(*ip.Seed) + ", " + std::string(RecordSeedRule()));
  const long long jobs = std::min<long long>(std::max<std::int32_t>(ip.Jobs, 1), nrec);
  for (const std::string& line :
       RunSettingsLines(MethodsToSimulate, context.options, std::max(jobs, 1LL)))
    pages.Log(line);
  const tRunClock clock;
  int lines = 0;
  int firstToRun = ip.paramrec_Init;
  if (resume) {
    pages.Log(ContinuedLine(resume->from));
    for (const std::string& note : resume->keptNotes) pages.Log(note);
    // The kept lines show as the stopped run showed them; the file holds them.
    for (const std::string& line : resume->keptLines) {
      ++lines;
      host.AppendOutput(line);
      if (grid &&
          !Write_Rec_to_NtabEd(*grid, lines, cols, ReadRecordLine(line, ip.delimiter, cols)))
        pages.Log("Error in grid output");
    }
    firstToRun = resume->from;
  }

  context.random.StartRun(ip.Seed);
  InputParams.paramrec_activerec = ip.paramrec_Init;

  result.lines = lines;
  const tLineSink sink = [&](tRecordResult& r) {
    for (const std::string& note : r.notes) pages.Log(note);
    ++lines;
    result.lines = lines;
    if (r.row < ip.paramrec_End) InputParams.paramrec_activerec = r.row + 1;
    if (!pages.Output(Write_Rec_to_String(r.res, cols, ip.delimiter, context.simOutDecimals,
                                          context.simOutWidth),
                      error))
      return false;
    if (grid && !Write_Rec_to_NtabEd(*grid, lines, cols, r.res)) pages.Log("Error in grid output");
    return true;
  };

  tRecordsOutcome records;
  if (jobs <= 1) {
    tEngineWorker worker(*this, firstCol, cols);
    records = RunRecordsInOrder(worker, firstToRun, ip.paramrec_End, ip.NumSamples, host,
                                control, sink);
  } else {
    std::vector<std::unique_ptr<tRecordWorker>> workers;
    for (int w = 0; w < jobs; ++w)
      workers.push_back(std::make_unique<tThreadWorker>(*this, context, MethodsToSimulate, w,
                                                        static_cast<int>(jobs)));
    records = RunRecordsInParallel(workers, firstToRun, ip.paramrec_End, ip.NumSamples, host,
                                   control, sink);
  }
  if (records.sinkFailed) return fail(error);

  pages.Log(DurationLine(clock.Seconds()));
  pages.Log("Saved " + std::to_string(lines) + " records");
  if (!control.Running()) {
    result.outcome = tRunOutcome::cancelled;
    // The first record that did not finish, with the samples it drew (not the
    // counter of the sample the cancel stopped); the last one written when all
    // that started finished.
    pages.Log("Canceled [Rec: " + std::to_string(records.row) + "  Sample: " +
              std::to_string(records.drawn) + "  (" +
              std::to_string(RoundedPercent(records.drawn, ip.NumSamples)) + "%)]");
  } else if (ip.Windows_ShutDown) {
    // The output file already holds every line; the log page goes to its file.
    if (!ReplaceFileText(ip.FileNameLog, pages.LogText(), error)) return fail(error);
  } else {
    pages.Log("Complete [Rec: " + std::to_string(ip.paramrec_End) +
              "  Sample: " + std::to_string(records.s) + "  (" +
              std::to_string(std::min<long long>(RoundedPercent(records.s, ip.NumSamples), 100)) +
              "%)]");
  }
  if (ip.Windows_ShutDown) {
    const long long ms60 = std::clamp<long long>(ip.Windows_ShutDown_Delay, 0, 35000) * 60000;
    result.logOff = true;
    result.logOffDelayMilliseconds = static_cast<int>(std::min<long long>(ms60, 2147483647));
  }
  return result;
}

}  // namespace kovalin
