# Small helpers shared by every folder's CMakeLists.

find_package(GTest REQUIRED)
include(GoogleTest)

# add_project_test(NAME SOURCES... LIBS libs...)
# One GoogleTest executable, registered with ctest test by test.
function(add_project_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
