#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/paired_types.h"
#include "simulation/record_source.h"
#include "simulation/sim_mdb.h"

namespace kovalin {

class tSimHost;

// What the launcher's dialog settles for a sequence of runs.
struct tSimLaunchSettings {
  std::int32_t recordInit = 1;
  std::int32_t recordEnd = 1;
  std::int32_t numSamples = 1000;
  int tolerancePercent = 10;
  char delimiter = '\t';
  bool showGrid = false;
  bool shutDown = false;
  std::int32_t shutDownDelay = 5;
  bool processMessages = true;
  std::optional<std::uint32_t> seed;
  // Worker threads for the records; the desktop runs them on its own thread.
  std::int32_t jobs = 1;
  // Continue this stopped run instead of starting a new one.
  std::shared_ptr<const tContinuePlan> resume;
};

// One kind of a sequence into output, a file the caller created empty (its name
// is the run's FileName): a new engine over a copy of the table's rows in the
// range, with the launch settings, the context's alpha level and options, under
// the context's stop flag and generator.
tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, tAppendFile& output, tSimHost& host,
                        tRunContext& context);

// The same into the file fileName, created or replaced, under a context of its
// own copied from the process-wide options now.
tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, const std::string& fileName, tSimHost& host);

// The parts of the launcher's output file name: the full name (with ".txt"
// added when it had no extension), its file part, its extension, its folder
// with the trailing separator, and that folder shortened for a label.
struct tOutputFileName {
  std::string FileFullName;
  std::string FileName;
  std::string FileExt;
  std::string FilePath;
  std::string FileShortPath;
};
tOutputFileName DescribeOutputFile(const std::string& name);

// What the launcher shows while a sequence runs: each kind gets a results
// document (its host) before it starts, and hears how it ended.
class tSimSequenceHost {
 public:
  virtual ~tSimSequenceHost() = default;
  // The host of the kind about to run, with its task text (" Confidence
  // Intervals 1/3") and its numbered output file.
  virtual tSimHost& BeginKind(tSimulationType kind, const std::string& taskText,
                              const std::string& fileName) = 0;
  virtual void EndKind(tSimulationType kind, const tRunResult& result) = 0;
};

// The kinds in the order intervals, individual tests, global tests, each into a
// new file numbered as SequencedFileName(base, tag, 4) says (the next number when
// another run takes that one first), while the context's stop flag stays up; a
// file error ends the sequence. The kinds share the context: the options copied
// when the sequence started, one stop flag, one generator. SimRunning, the
// launcher's view, is true during the sequence and false after. A log-off that a
// kind's result asks for is the sequence host's to carry out once the sequence
// has ended. Returns how the sequence ended: complete, cancelled or fileError.
tRunOutcome RunSimulationSequence(const tRecordSource& table, const tSimLaunchSettings& settings,
                                  const std::string& baseName,
                                  const std::vector<tSimulationType>& kinds,
                                  tSimSequenceHost& host, tRunContext& context);

// Continues the stopped seeded run of fileName, whose plan settings.resume holds
// (PlanContinue of the file and its log): the file keeps its header and the lines
// before the plan's record, replaced whole at once, and the run appends the rest.
tRunOutcome ContinueSimulation(const tRecordSource& table, const tSimLaunchSettings& settings,
                               const std::string& fileName, tSimSequenceHost& host,
                               tRunContext& context);

// The same under a context copied from the process-wide options now.
tRunOutcome RunSimulationSequence(const tRecordSource& table, const tSimLaunchSettings& settings,
                                  const std::string& baseName,
                                  const std::vector<tSimulationType>& kinds,
                                  tSimSequenceHost& host);

}  // namespace kovalin
