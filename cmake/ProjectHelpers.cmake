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

# add_version_note(TARGET)
# Embeds the product version and the legal notice into an executable as an ELF note, which
# Shared/Version.h reads back from the file.
set(VERSION_NOTE_PRODUCT "${PROJECT_VERSION}")
set(VERSION_NOTE_LEGAL "Copyright (C) 2025 The Vellumark developers")
function(add_version_note target)
  set(source "${PROJECT_BINARY_DIR}/VersionNote.cpp")
  if(NOT TARGET VersionNote)
    configure_file("${PROJECT_SOURCE_DIR}/cmake/VersionNote.cpp.in" "${source}" @ONLY)
    add_library(VersionNote OBJECT "${source}")
    set_target_properties(VersionNote PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:VersionNote>)
endfunction()
