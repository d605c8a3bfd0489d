#include "simulation/parallel_records.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace kovalin {

namespace {

// The gate of the run on one thread: the sample indicator when its position
// changes, then a yield to the host, which may stop the run.
class tHostGate : public tSampleGate {
 public:
  // work: the run's progress before this record, samplesTotal already set.
  tHostGate(tSimHost& host, tRunControl& control, const tRunClock& clock, tWorkProgress work)
      : host_(host), control_(control), clock_(clock), work_(work) {}
  bool Draw(long long s, long long total) override {
    const tProgress samples{s, total};
    if (samples.Position() != lastPosition_) {
      lastPosition_ = samples.Position();
      host_.SetSampleProgress(samples);
      tWorkProgress now = work_;
      now.samplesDone += s - 1;
      now.elapsedSeconds = clock_.Seconds();
      host_.SetWorkProgress(now);
    }
    host_.ProcessMessages(control_);
    return control_.Running();
  }

 private:
  tSimHost& host_;
  tRunControl& control_;
  const tRunClock& clock_;
  tWorkProgress work_;
  int lastPosition_ = -1;
};

// Where a worker is: the row it runs (0 for none) and its sample counter. Each on
// its own cache line, since the worker writes it at every sample.
struct alignas(64) tWorkerProgress {
  std::atomic<int> row{0};
  std::atomic<long long> s{0};
};

// The gate of a worker: only the shared stop flag, read at every sample.
class tWorkerGate : public tSampleGate {
 public:
  tWorkerGate(const std::atomic<bool>& stop, tWorkerProgress& progress)
      : stop_(stop), progress_(progress) {}
  bool Draw(long long s, long long) override {
    progress_.s.store(s, std::memory_order_relaxed);
    return !stop_.load(std::memory_order_relaxed);
  }

 private:
  const std::atomic<bool>& stop_;
  tWorkerProgress& progress_;
};

// Follows the lines written for the record the end-of-run line names.
class tEndRecord {
 public:
  void Written(tRecordsOutcome& outcome, const tRecordResult& r) {
    ++outcome.lines;
    if (unfinishedSeen_) return;
    outcome.row = r.row;
    outcome.s = r.s;
    outcome.drawn = r.drawn;
    unfinishedSeen_ = !r.finished;
  }

 private:
  bool unfinishedSeen_ = false;
};

}  // namespace

tRecordsOutcome RunRecordsInOrder(tRecordWorker& worker, int first, int last,
                                  long long numSamples, tSimHost& host, tRunControl& control,
                                  const tLineSink& sink) {
  tRecordsOutcome outcome;
  outcome.row = first;
  tEndRecord end;
  const long long nrec = std::max<long long>(0, static_cast<long long>(last) - first + 1);
  const tRunClock clock;
  tWorkProgress work{0, nrec * numSamples, 0};
  long long k = 0;
  int row = first;
  while (true) {
    ++k;
    host.SetRecordProgress({k, nrec});
    work.samplesDone = (k - 1) * numSamples;
    work.elapsedSeconds = clock.Seconds();
    host.SetWorkProgress(work);
    host.ProcessMessages(control);
    if (control.Running() && nrec > 0) {
      tHostGate gate(host, control, clock, work);
      tRecordResult r = worker.Run(row, gate);
      end.Written(outcome, r);
      if (!sink(r)) {
        outcome.sinkFailed = true;
        return outcome;
      }
    }
    if (row >= last || !control.Running()) break;
    ++row;
  }
  outcome.stopped = !control.Running();
  return outcome;
}

tRecordsOutcome RunRecordsInParallel(std::vector<std::unique_ptr<tRecordWorker>>& workers,
                                     int first, int last, long long numSamples, tSimHost& host,
                                     tRunControl& control, const tLineSink& sink) {
  tRecordsOutcome outcome;
  outcome.row = first;
  const int nrec = last >= first ? last - first + 1 : 0;
  const std::size_t count = workers.size();
  if (nrec == 0 || count == 0) return outcome;

  std::vector<tWorkerProgress> progress(count);
  std::mutex mutex;
  std::condition_variable changed;
  std::atomic<bool> stop{false};
  // Guarded by mutex:
  int nextRow = first;
  int completed = 0;
  std::size_t running = count;
  std::vector<std::optional<tRecordResult>> done(static_cast<std::size_t>(nrec));
  std::exception_ptr failure;

  auto work = [&](std::size_t w) {
    try {
      tWorkerGate gate(stop, progress[w]);
      while (true) {
        int row = 0;
        {
          // Taking a row and reading the flag under one lock keeps the started
          // rows a prefix: no row is taken after a stop that kept an earlier
          // one from being taken.
          const std::lock_guard lock(mutex);
          if (stop.load() || nextRow > last) break;
          row = nextRow++;
        }
        progress[w].s.store(0, std::memory_order_relaxed);
        progress[w].row.store(row, std::memory_order_relaxed);
        tRecordResult r = workers[w]->Run(row, gate);
        progress[w].row.store(0, std::memory_order_relaxed);
        {
          const std::lock_guard lock(mutex);
          done[static_cast<std::size_t>(row - first)] = std::move(r);
          ++completed;
        }
        changed.notify_one();
      }
    } catch (...) {
      const std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      stop.store(true);
    }
    {
      const std::lock_guard lock(mutex);
      --running;
    }
    changed.notify_one();
  };

  std::vector<std::thread> threads;
  threads.reserve(count);
  auto joinAll = [&] {
    for (std::thread& t : threads) t.join();
  };
  try {
    for (std::size_t w = 0; w < count; ++w) threads.emplace_back(work, w);
  } catch (...) {
    {
      const std::lock_guard lock(mutex);
      running -= count - threads.size();
    }
    stop.store(true);
    joinAll();
    throw;
  }

  tEndRecord end;
  const tRunClock clock;
  int toWrite = first;
  int shownCompleted = -1;
  int shownSamplePosition = -1;
  std::vector<tRecordResult> ready;
  while (true) {
    bool finished = false;
    int completedNow = 0;
    {
      std::unique_lock lock(mutex);
      changed.wait_for(lock, std::chrono::milliseconds(10), [&] {
        return running == 0 ||
               (toWrite <= last && done[static_cast<std::size_t>(toWrite - first)].has_value());
      });
      while (toWrite <= last && done[static_cast<std::size_t>(toWrite - first)].has_value()) {
        auto& slot = done[static_cast<std::size_t>(toWrite - first)];
        ready.push_back(std::move(*slot));
        slot.reset();
        ++toWrite;
      }
      // Every worker posts its record before it leaves, so with none running
      // every started row has just been collected.
      finished = running == 0;
      completedNow = completed;
    }
    for (tRecordResult& r : ready) {
      if (outcome.sinkFailed) break;
      end.Written(outcome, r);
      if (!sink(r)) {
        outcome.sinkFailed = true;
        stop.store(true);
      }
    }
    ready.clear();
    if (finished) break;

    // The records bar counts finished records, not started ones: at 2 workers a
    // count of started ones shows 40% of 5 rows before any has finished.
    if (completedNow != shownCompleted) {
      shownCompleted = completedNow;
      host.SetRecordProgress({completedNow, nrec});
    }
    tWorkProgress work{static_cast<long long>(completedNow) * numSamples,
                       static_cast<long long>(nrec) * numSamples, clock.Seconds()};
    for (const tWorkerProgress& p : progress)
      if (p.row.load(std::memory_order_relaxed) != 0)
        work.samplesDone += std::max(0LL, p.s.load(std::memory_order_relaxed) - 1);
    work.samplesDone = std::min(work.samplesDone, work.samplesTotal);
    host.SetWorkProgress(work);
    for (const tWorkerProgress& p : progress) {
      if (p.row.load(std::memory_order_relaxed) != toWrite) continue;
      const tProgress samples{p.s.load(std::memory_order_relaxed), numSamples};
      if (samples.Position() != shownSamplePosition) {
        shownSamplePosition = samples.Position();
        host.SetSampleProgress(samples);
      }
      break;
    }
    // Once stopped, the run only waits for its workers' last lines.
    if (stop.load()) continue;
    host.ProcessMessages(control);
    if (!control.Running()) stop.store(true);
  }
  joinAll();
  if (failure) std::rethrow_exception(failure);
  outcome.stopped = !control.Running();
  return outcome;
}

}  // namespace kovalin
