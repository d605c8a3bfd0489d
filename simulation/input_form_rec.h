#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/paired_types.h"
#include "simulation/sim_continue.h"

namespace kovalin {

class tTextDocument;

// The settings of one analysis or simulation run.
struct tInputFormRec {
  double epsilon_correction = 0;
  std::int32_t paramrec_Init = 1;
  std::int32_t paramrec_End = 1;
  std::int32_t paramrec_activerec = 1;
  std::int32_t NumSamples = 1;
  std::int32_t SpeSamplesTol = 0;  // recorded, not used by the run
  bool Windows_ShutDown = false;
  std::int32_t Windows_ShutDown_Delay = 0;  // minutes
  bool App_ProcessMessages = true;          // recorded; the run always yields
  bool ShowGrid = false;
  tTextDocument* MemoOutput = nullptr;  // where Examine_Record writes
  char delimiter = '\t';
  std::string FileName;
  std::string FileNameLog;
  // A seed given by the user: each record's generator starts from the seed and
  // the record's row (RecordSeed) instead of the clock before every sample.
  std::optional<std::uint32_t> Seed;
  // Worker threads that run the records; 1 runs them on the calling thread,
  // yielding to the host at every sample.
  std::int32_t Jobs = 1;
  // A stopped seeded run to continue: its kept lines stand for the rows before
  // Resume->from, which the run starts at; the output file holds them already.
  std::shared_ptr<const tContinuePlan> Resume;
};

inline constexpr std::int32_t kMaxNumSamples = 2147483647;

// base x 10^exponent taken to the nearest integer; nothing (and a message in
// error) when the result is below 1 or above 2147483647.
std::optional<std::int32_t> NumSamplesFrom(double base, int exponent, std::string& error);

// SpeSamplesTol: NumSamples plus percent of it, to the nearest integer (capped).
std::int32_t SamplesTolerance(std::int32_t numSamples, int percent);

// The delimiter of the launcher's radio group position 0..3: Tab, ",", ";", space.
char DelimiterAt(int position);

// The kinds of a sequence, always in the order intervals, individual tests,
// global tests.
std::vector<tSimulationType> OrderedKinds(bool intervals, bool individualTests,
                                          bool globalTests);

// "_IC_", "_IT_", "_GT_".
std::string KindTag(tSimulationType kind);

// The task text of a kind at its position of count: " Confidence Intervals 1/3".
std::string KindTaskText(tSimulationType kind, int position, int count);

}  // namespace kovalin
