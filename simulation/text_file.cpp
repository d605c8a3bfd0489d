#include "simulation/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kovalin {

bool ReplaceFileText(const std::string& fileName, const std::string& text, std::string& error) {
  const std::string partName = fileName + ".part";
  std::FILE* f = std::fopen(partName.c_str(), "wb");
  if (!f) {
    error = "cannot write " + fileName + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    error = "cannot write " + fileName + ": " + std::strerror(written ? errno : writeErrno);
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

}  // namespace kovalin
