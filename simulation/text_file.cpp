#include "simulation/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "simulation/sim_file_names.h"
#include "tables/temp_name.h"

namespace kovalin {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string WriteError(const std::string& fileName, int err) {
  return "cannot write " + fileName + ": " + std::strerror(err);
}

// Writes all of data, going on after a signal or a partial write.
bool WriteAll(int fd, const char* data, std::size_t size, int& err) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool ReplaceFileText(const std::string& fileName, const std::string& text, std::string& error) {
  const std::string partName = TempNameBeside(fileName);
  std::FILE* f = std::fopen(partName.c_str(), "wbx");
  if (!f) {
    error = WriteError(fileName, errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    error = WriteError(fileName, written ? errno : writeErrno);
    std::remove(partName.c_str());
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(partName, fileName, ec);
  if (ec) {
    error = "cannot replace " + fileName + ": " + ec.message();
    std::remove(partName.c_str());
    return false;
  }
  return true;
}

tAppendFile::tAppendFile(tAppendFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), name_(std::move(other.name_)) {}

tAppendFile& tAppendFile::operator=(tAppendFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    name_ = std::move(other.name_);
  }
  return *this;
}

tAppendFile::tOpen tAppendFile::Open(const std::string& fileName, int flags, std::string& error) {
  Close();
  int fd;
  do {
    fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int err = errno;
    error = WriteError(fileName, err);
    return err == EEXIST && (flags & O_EXCL) ? tOpen::exists : tOpen::failed;
  }
  fd_ = fd;
  name_ = fileName;
  return tOpen::opened;
}

tAppendFile::tOpen tAppendFile::Create(const std::string& fileName, std::string& error) {
  return Open(fileName, O_TRUNC, error);
}

tAppendFile::tOpen tAppendFile::CreateNew(const std::string& fileName, std::string& error) {
  return Open(fileName, O_EXCL, error);
}

tAppendFile::tOpen tAppendFile::OpenToAppend(const std::string& fileName, std::string& error) {
  return Open(fileName, O_APPEND, error);
}

bool tAppendFile::AppendLine(std::string_view line, std::string& error) {
  if (fd_ < 0) {
    error = WriteError(name_, EBADF);
    return false;
  }
  std::string whole;
  whole.reserve(line.size() + 2);
  whole.append(line);
  whole += kLineEnd;
  int err = 0;
  if (!WriteAll(fd_, whole.data(), whole.size(), err)) {
    error = WriteError(name_, err);
    return false;
  }
  return true;
}

void tAppendFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::string CreateSequencedFile(const std::string& base, const std::string& tag, int width,
                                tAppendFile& file, std::string& error) {
  std::string name = SequencedFileName(base, tag, width);
  // Each failed try sees the file that took the number and moves past it.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    if (file.CreateNew(name, error) != tAppendFile::tOpen::exists) return name;
    const std::string next = SequencedFileName(base, tag, width);
    if (next == name) break;  // the name is taken by something the count does not see
    name = next;
  }
  return name;
}

}  // namespace kovalin
