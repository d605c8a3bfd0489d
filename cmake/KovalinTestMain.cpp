// The main of the core's test programs.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  // The C library takes the user's locale, as the desktop program's start does,
  // so that a run under a comma-decimal locale checks every number text.
  std::setlocale(LC_ALL, "");
  // The comma-locale run must not pass by falling back to the C locale.
  if (const char* want = std::getenv("KOVALIN_EXPECT_DECIMAL_POINT");
      want && std::strcmp(std::localeconv()->decimal_point, want) != 0) {
    std::cerr << "the locale " << std::setlocale(LC_ALL, nullptr) << " has the decimal point \""
              << std::localeconv()->decimal_point << "\", not \"" << want << "\"\n";
    return 2;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
