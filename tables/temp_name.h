#pragma once

#include <string>

namespace kovalin {

// A name beside target for the text that will replace it: the process number and
// a counter make it unique, so that two programs (or two saves of one program)
// writing the same file never write into each other's temporary file.
std::string TempNameBeside(const std::string& target);

}  // namespace kovalin
