#pragma once

#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "simulation/sim_host.h"

namespace kovalin {

// What one record of a run gave: the values of its line (res[1..cols]), the log
// lines that go in front of it, its sample counter and the samples it drew.
struct tRecordResult {
  int row = 0;
  std::vector<double> res;
  std::vector<std::string> notes;
  long long s = 0;        // the sample counter when the record ended
  long long drawn = 0;    // samples drawn (s, less a sample the stop kept from its draw)
  bool finished = true;   // false when a stop ended it before its last sample
};

// Asked before sample s of total of a record whether to draw it; false ends the
// record there.
class tSampleGate {
 public:
  virtual ~tSampleGate() = default;
  virtual bool Draw(long long s, long long total) = 0;
};

// The engine of one worker: runs one record to its end or to a closed gate.
class tRecordWorker {
 public:
  virtual ~tRecordWorker() = default;
  virtual tRecordResult Run(int row, tSampleGate& gate) = 0;
};

// Takes the records' lines in row order, on the thread that runs the records;
// false (a file error) stops the run.
using tLineSink = std::function<bool(tRecordResult&)>;

// How the records of a run ended.
struct tRecordsOutcome {
  bool stopped = false;     // the run's flag was seen down
  bool sinkFailed = false;  // the sink refused a line
  int lines = 0;
  // The record the end-of-run line names: the first written record that did not
  // finish, else the last one written (the first row when none was); its sample
  // counter and the samples it drew.
  int row = 0;
  long long s = 0;
  long long drawn = 0;
};

// Rows first..last one after the other on this thread. Per record one yield to
// the host before its samples, and per sample one yield before the draw, with the
// indicators; a record that a stop reaches before its first yield gets no line.
tRecordsOutcome RunRecordsInOrder(tRecordWorker& worker, int first, int last,
                                  long long numSamples, tSimHost& host, tRunControl& control,
                                  const tLineSink& sink);

// The same rows on one thread per worker, each taking the next row when it is
// free. This thread hands the lines to the sink in row order as soon as every
// earlier row is done, and yields to the host between them (every few
// milliseconds), showing the records finished, the samples of the oldest
// record still running and the samples drawn over the whole run. A stop reaches every worker at its next sample; since
// rows are taken in order and only while the flag is up, the records started
// are the rows first..r for some r, and each of them gets its line.
tRecordsOutcome RunRecordsInParallel(std::vector<std::unique_ptr<tRecordWorker>>& workers,
                                     int first, int last, long long numSamples, tSimHost& host,
                                     tRunControl& control, const tLineSink& sink);

}  // namespace kovalin
