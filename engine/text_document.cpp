#include "engine/text_document.h"

namespace kovalin {

std::string tMemoryDocument::Text(std::string_view lineEnd) const {
  std::string text;
  for (const auto& line : lines_) {
    text += line;
    text += lineEnd;
  }
  return text;
}

}  // namespace kovalin
