#include "tables/temp_name.h"

#include <unistd.h>

#include <atomic>

namespace kovalin {

std::string TempNameBeside(const std::string& target) {
  static std::atomic<unsigned long> counter{0};
  return target + ".~" + std::to_string(static_cast<long long>(::getpid())) + "-" +
         std::to_string(++counter) + ".tmp";
}

}  // namespace kovalin
