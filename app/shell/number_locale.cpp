#include "app/shell/number_locale.h"

#include <clocale>

namespace kovalin::app {

void KeepPointDecimalNumbers() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace kovalin::app
