#include "cli/fd_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/command.h"

namespace kovalin::cli {

tFdOutput::tFdOutput(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }

tFdOutput::~tFdOutput() { Flush(); }

bool tFdOutput::Flush() {
  const char* p = pbase();
  std::size_t left = static_cast<std::size_t>(pptr() - pbase());
  while (left > 0 && error_ == 0) {
    const ssize_t n = ::write(fd_, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // What could not be written is dropped: the stream has failed by then.
  setp(buffer_, buffer_ + sizeof buffer_);
  return error_ == 0;
}

tFdOutput::int_type tFdOutput::overflow(int_type ch) {
  if (!Flush()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

int tFdOutput::sync() { return Flush() ? 0 : -1; }

int FinishOutput(const tFdOutput& output, int status, std::ostream& err) {
  if (output.error() == 0) return status;
  err << "kovalin-cli: the output could not be written: " << std::strerror(output.error()) << "\n";
  return status == kExitOk ? kExitFailure : status;
}

}  // namespace kovalin::cli
