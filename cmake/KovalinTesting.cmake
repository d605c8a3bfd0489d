# kovalin_add_test(NAME <target> SOURCES <files...> LIBS <libs...>)
# One GoogleTest executable per library, its cases registered with ctest one by one,
# and the whole program once more under a comma-decimal locale.
if(KOVALIN_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)

  # A locale whose decimal separator is a comma, generated into the build tree
  # (Debian's locales package provides localedef and the locale sources).
  set(KOVALIN_LOCALE_DIR "${CMAKE_BINARY_DIR}/locales")
  set(KOVALIN_COMMA_LOCALE "de_DE.UTF-8")
  add_test(NAME kovalin_comma_locale_setup
    COMMAND sh "${PROJECT_SOURCE_DIR}/cmake/make_comma_locale.sh" "${KOVALIN_LOCALE_DIR}"
            "${KOVALIN_COMMA_LOCALE}" de_DE)
  set_tests_properties(kovalin_comma_locale_setup PROPERTIES FIXTURES_SETUP kovalin_comma_locale)
endif()

function(kovalin_add_test)
  if(NOT KOVALIN_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/KovalinTestMain.cpp)
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  # Tests that read shipped files (examples/) find them through this path.
  target_compile_definitions(${ARG_NAME} PRIVATE KOVALIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${ARG_NAME}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 60)
  add_test(NAME ${ARG_NAME}_comma_locale COMMAND ${ARG_NAME}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  set_tests_properties(${ARG_NAME}_comma_locale PROPERTIES
    FIXTURES_REQUIRED kovalin_comma_locale
    ENVIRONMENT "LC_ALL=${KOVALIN_COMMA_LOCALE};LOCPATH=${KOVALIN_LOCALE_DIR};KOVALIN_EXPECT_DECIMAL_POINT=,")
endfunction()
