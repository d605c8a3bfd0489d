#pragma once

#include <string>
#include <string_view>

namespace kovalin {

// Replaces the file with the text: written beside it first (under a name unique
// to this process) and then renamed over it, so that the file always holds either
// the old or the new text whole. False, with a message naming the file and the
// reason, when that fails.
bool ReplaceFileText(const std::string& fileName, const std::string& text, std::string& error);

// A text file that grows by whole lines. Each line and its CR LF go to the system
// in one write, so the file on disk holds every line finished so far, and a
// record costs the same whether it is the first or the ten-thousandth.
class tAppendFile {
 public:
  enum class tOpen { opened, exists, failed };

  tAppendFile() = default;
  ~tAppendFile() { Close(); }
  tAppendFile(tAppendFile&& other) noexcept;
  tAppendFile& operator=(tAppendFile&& other) noexcept;
  tAppendFile(const tAppendFile&) = delete;
  tAppendFile& operator=(const tAppendFile&) = delete;

  // Creates the file empty, replacing one of that name.
  tOpen Create(const std::string& fileName, std::string& error);
  // Creates the file only when no file of that name exists: exists, and the file
  // left alone, when one does (another run may have just taken the name).
  tOpen CreateNew(const std::string& fileName, std::string& error);
  // Opens the file to add lines after those it holds (created when missing).
  tOpen OpenToAppend(const std::string& fileName, std::string& error);
  bool AppendLine(std::string_view line, std::string& error);
  void Close();

  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Name() const { return name_; }

 private:
  tOpen Open(const std::string& fileName, int flags, std::string& error);

  int fd_ = -1;
  std::string name_;
};

// Creates SequencedFileName(base, tag, width) as a new file. When another run
// (of this program or another) creates that name first, the next free number is
// taken instead, so two runs never share a file. On failure file stays closed,
// error says why, and the name tried is returned.
std::string CreateSequencedFile(const std::string& base, const std::string& tag, int width,
                                tAppendFile& file, std::string& error);

}  // namespace kovalin
