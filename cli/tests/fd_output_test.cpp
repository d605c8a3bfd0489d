#include "cli/fd_output.h"

#include <fcntl.h>
#include <cstring>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ostream>
#include <sstream>
#include <string>

namespace kovalin::cli {
namespace {

TEST(FdOutput, AFullDiskIsRememberedAndEndsWithStatusOne) {
  const int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  {
    tFdOutput buffer(fd);
    std::ostream out(&buffer);
    out << std::string(100000, 'x');  // more than the buffer holds: written before the flush
    EXPECT_EQ(buffer.error(), ENOSPC);
    out.flush();
    EXPECT_FALSE(out);
    std::ostringstream err;
    EXPECT_EQ(FinishOutput(buffer, 0, err), 1);
    // The reason is the system's own text, in the user's language.
    EXPECT_EQ(err.str(), std::string("kovalin-cli: the output could not be written: ") +
                             std::strerror(ENOSPC) + "\n");
    // A command's own failure status stays.
    EXPECT_EQ(FinishOutput(buffer, 130, err), 130);
  }
  ::close(fd);
}

TEST(FdOutput, APipeWithoutReaderFailsTheWrite) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ::close(fds[0]);
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  {
    tFdOutput buffer(fds[1]);
    std::ostream out(&buffer);
    out << "lost\n" << std::flush;
    EXPECT_FALSE(out);
    EXPECT_EQ(buffer.error(), EPIPE);
  }
  std::signal(SIGPIPE, previous);
  ::close(fds[1]);
}

TEST(FdOutput, WrittenOutputArrivesWhole) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::ostringstream err;
  {
    tFdOutput buffer(fds[1]);
    std::ostream out(&buffer);
    out << "Wrote " << 3 << " rows\n";
    out.flush();
    EXPECT_EQ(FinishOutput(buffer, 0, err), 0);
  }
  ::close(fds[1]);
  char text[64] = {};
  EXPECT_EQ(::read(fds[0], text, sizeof text - 1), 13);
  EXPECT_EQ(std::string(text), "Wrote 3 rows\n");
  EXPECT_EQ(err.str(), "");
  ::close(fds[0]);
}

}  // namespace
}  // namespace kovalin::cli
