#pragma once

#include <streambuf>

namespace kovalin::cli {

// A stream buffer writing to a file descriptor that remembers why a write
// failed (a full disk, a closed pipe), so that the program can say so and
// fail instead of ending as if its output had been written.
class tFdOutput : public std::streambuf {
 public:
  explicit tFdOutput(int fd);
  ~tFdOutput() override;
  tFdOutput(const tFdOutput&) = delete;
  tFdOutput& operator=(const tFdOutput&) = delete;

  // errno of the first failed write; 0 while every write succeeded.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  bool Flush();

  int fd_;
  int error_ = 0;
  char buffer_[1 << 14];
};

// After a command: when its output could not be written, one line on err and
// the failure status (a command's own failure status is kept).
int FinishOutput(const tFdOutput& output, int status, std::ostream& err);

}  // namespace kovalin::cli
