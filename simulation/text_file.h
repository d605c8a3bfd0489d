#pragma once

#include <string>

namespace kovalin {

// Replaces the file with the text: written beside it first and then renamed over
// it, so that the file always holds either the old or the new text whole. False,
// with a message naming the file and the reason, when that fails.
bool ReplaceFileText(const std::string& fileName, const std::string& text, std::string& error);

}  // namespace kovalin
