#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kovalin {

// Where reports go: a text that grows by whole lines. The desktop's text editor
// and the command line's buffers implement it; the engine only appends.
class tTextDocument {
 public:
  virtual ~tTextDocument() = default;
  virtual void AppendLine(std::string_view line) = 0;
  virtual int LineCount() const = 0;
};

// A text document held in memory, line by line.
class tMemoryDocument : public tTextDocument {
 public:
  void AppendLine(std::string_view line) override { lines_.emplace_back(line); }
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines joined with the given line end after each line.
  std::string Text(std::string_view lineEnd = "\n") const;
  void Clear() { lines_.clear(); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace kovalin
