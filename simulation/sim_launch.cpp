#include "simulation/sim_launch.h"

#include <algorithm>

#include "engine/app_options.h"
#include "simulation/record_snapshot.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_running.h"
#include "simulation/text_file.h"

namespace kovalin {

tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, tAppendFile& output, tSimHost& host,
                        tRunContext& context) {
  const tRecordSnapshot rows(table, settings.recordInit, settings.recordEnd);
  // The launcher leaves the number of samples in the options after the run.
  AppOptions.maxsamples = settings.numSamples;
  context.options.maxsamples = settings.numSamples;
  tSimMDB sim(&rows, context);
  tInputFormRec& ip = sim.InputParams;
  ip.epsilon_correction = context.options.epsilon;
  ip.paramrec_Init = settings.recordInit;
  ip.paramrec_End = settings.recordEnd;
  ip.paramrec_activerec = settings.recordInit;
  ip.NumSamples = settings.numSamples;
  ip.SpeSamplesTol = SamplesTolerance(settings.numSamples, settings.tolerancePercent);
  ip.FileName = output.Name();
  ip.FileNameLog = LogFileName(output.Name());
  ip.delimiter = settings.delimiter;
  ip.ShowGrid = settings.showGrid;
  ip.Windows_ShutDown = settings.shutDown;
  ip.Windows_ShutDown_Delay = settings.shutDownDelay;
  ip.App_ProcessMessages = settings.processMessages;
  ip.Seed = settings.seed;
  ip.Jobs = settings.jobs;
  ip.Resume = settings.resume;
  sim.SetalfaLevel(context.options.alfa_level);
  sim.pSimulationType = kind;
  return sim.execute(host, output);
}

tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, const std::string& fileName, tSimHost& host) {
  tRunContext context = StartRunContext();
  tAppendFile output;
  std::string error;
  if (output.Create(fileName, error) != tAppendFile::tOpen::opened) {
    host.AppendLog(error);
    return {tRunOutcome::fileError, 0, error};
  }
  return SimulateKind(table, settings, kind, output, host, context);
}

tOutputFileName DescribeOutputFile(const std::string& name) {
  tOutputFileName f;
  f.FileFullName = WithDefaultExtension(name);
  f.FileExt = FileExtension(f.FileFullName);
  const std::size_t sep = f.FileFullName.find_last_of("/\\");
  const std::size_t start = sep == std::string::npos ? 0 : sep + 1;
  f.FilePath = f.FileFullName.substr(0, start);
  f.FileName = f.FileFullName.substr(start);
  f.FileShortPath = AbbreviatePath(f.FilePath, 5, 15);
  return f;
}

tRunOutcome RunSimulationSequence(const tRecordSource& table, const tSimLaunchSettings& settings,
                                  const std::string& baseName,
                                  const std::vector<tSimulationType>& kinds,
                                  tSimSequenceHost& host, tRunContext& context) {
  const std::string base = WithDefaultExtension(baseName);
  // A repeated kind runs once, in its place of the order.
  const std::vector<tSimulationType> ordered = OrderedKinds(
      std::find(kinds.begin(), kinds.end(), tSimulationType::SimCI) != kinds.end(),
      std::find(kinds.begin(), kinds.end(), tSimulationType::simIT) != kinds.end(),
      std::find(kinds.begin(), kinds.end(), tSimulationType::simGT) != kinds.end());
  const int count = static_cast<int>(ordered.size());
  tRunOutcome outcome = tRunOutcome::complete;
  SimRunning = true;
  for (int k = 0; k < count; ++k) {
    if (!context.control.Running()) break;
    const tSimulationType kind = ordered[static_cast<std::size_t>(k)];
    tAppendFile output;
    std::string error;
    const std::string name = CreateSequencedFile(base, KindTag(kind), 4, output, error);
    tSimHost& kindHost = host.BeginKind(kind, KindTaskText(kind, k + 1, count), name);
    tRunResult result;
    if (output.IsOpen()) {
      result = SimulateKind(table, settings, kind, output, kindHost, context);
    } else {
      kindHost.AppendLog(error);
      result = {tRunOutcome::fileError, 0, error};
    }
    host.EndKind(kind, result);
    if (result.outcome == tRunOutcome::fileError) {
      outcome = tRunOutcome::fileError;
      break;
    }
    if (result.outcome == tRunOutcome::cancelled) outcome = tRunOutcome::cancelled;
  }
  SimRunning = false;
  return outcome;
}

tRunOutcome ContinueSimulation(const tRecordSource& table, const tSimLaunchSettings& settings,
                               const std::string& fileName, tSimSequenceHost& host,
                               tRunContext& context) {
  const tContinuePlan& plan = *settings.resume;
  std::string kept = plan.header + "\r\n";
  for (const std::string& line : plan.keptLines) kept += line + "\r\n";
  SimRunning = true;
  tSimHost& kindHost = host.BeginKind(plan.kind, KindTaskText(plan.kind, 1, 1), fileName);
  tRunResult result;
  tAppendFile output;
  std::string error;
  // The lines of the records to run again go in one replacement: the file holds
  // either the stopped run's lines or the kept ones, never less.
  if (ReplaceFileText(fileName, kept, error) &&
      output.OpenToAppend(fileName, error) == tAppendFile::tOpen::opened) {
    result = SimulateKind(table, settings, plan.kind, output, kindHost, context);
  } else {
    kindHost.AppendLog(error);
    result = {tRunOutcome::fileError, 0, error};
  }
  host.EndKind(plan.kind, result);
  SimRunning = false;
  return result.outcome;
}

tRunOutcome RunSimulationSequence(const tRecordSource& table, const tSimLaunchSettings& settings,
                                  const std::string& baseName,
                                  const std::vector<tSimulationType>& kinds,
                                  tSimSequenceHost& host) {
  tRunContext context = StartRunContext();
  return RunSimulationSequence(table, settings, baseName, kinds, host, context);
}

}  // namespace kovalin
