#pragma once

#include <chrono>
#include <string>

namespace kovalin {

// How much of a run's work is done: samples drawn of all the samples the run
// will draw, and the time since it started.
struct tWorkProgress {
  long long samplesDone = 0;
  long long samplesTotal = 0;
  double elapsedSeconds = 0;
  // Seconds left at the pace so far; negative while nothing is done.
  double SecondsLeft() const;
  // "Elapsed 0:12, about 0:31 left" ("Elapsed 0:00" while nothing is done).
  std::string Text() const;
};

// Whole seconds as m:ss, or h:mm:ss from an hour on.
std::string ClockText(double seconds);

// The wall clock of one run, from its start.
class tRunClock {
 public:
  tRunClock() : start_(std::chrono::steady_clock::now()) {}
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// The log line of a run's duration: "Duration: 12.345 s".
std::string DurationLine(double seconds);

// The processors this process may run on: under a batch system's CPU binding
// (Slurm's, for one) fewer than the machine has. At least 1.
int AvailableProcessors();

}  // namespace kovalin
