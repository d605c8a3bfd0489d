# kovalin_add_test(NAME <target> SOURCES <files...> LIBS <libs...>)
# One GoogleTest executable per library, its cases registered with ctest one by one.
if(KOVALIN_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(kovalin_add_test)
  if(NOT KOVALIN_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Tests that read shipped files (examples/) find them through this path.
  target_compile_definitions(${ARG_NAME} PRIVATE KOVALIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${ARG_NAME}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()
