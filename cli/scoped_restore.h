#pragma once

#include "engine/app_options.h"

namespace kovalin::cli {

// Puts a process-wide value back as it was when the scope ends, so that a
// command run in-process leaves no trace in the next one.
template <class T>
class ScopedRestore {
 public:
  explicit ScopedRestore(T& value) : value_(value), saved_(value) {}
  ~ScopedRestore() { value_ = saved_; }
  ScopedRestore(const ScopedRestore&) = delete;
  ScopedRestore& operator=(const ScopedRestore&) = delete;

 private:
  T& value_;
  T saved_;
};

// The analysis options and the simulation number format, which analyze and
// simulate set from their arguments.
struct tSimSettingsScope {
  ScopedRestore<tConf_rec> options{AppOptions};
  ScopedRestore<int> decimals{SimOutDecimals};
  ScopedRestore<int> width{SimOutWidth};
};

}  // namespace kovalin::cli
