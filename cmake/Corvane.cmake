# Helpers shared by every subsystem's CMakeLists.
#
# corvane_library(<target> DIRS <dir>... [DEPS <target>...])
#   A static library of every .cpp/.c directly inside the given folders.
#   Includes are written from the repository root ("Core/Source/Label.h").
#
# corvane_tests(<target> LABEL <label>... DIRS <dir>... DEPS <target>... [DISPLAY])
#   One GoogleTest executable of every .cpp in the folders; each test is
#   labelled so that `ctest -L <label>` runs one subsystem. DISPLAY marks
#   tests that need an X display: each runs on a virtual display of its own
#   (scripts/run-on-own-display), also under a plain `ctest`.

set(CORVANE_WARNINGS -Wall -Wextra)

function(corvane_library target)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # An empty folder still gives a target so that dependants link.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${CORVANE_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

function(corvane_tests target)
  if(NOT CORVANE_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "DISPLAY" "" "LABEL;DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${CORVANE_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(labels ${ARG_LABEL})
  if(ARG_DISPLAY)
    list(APPEND labels display)
    # Each test gets an X server and a per-user data folder of its own, so
    # full-screen switches, focus changes and saved accounts of one never
    # disturb another running beside it.
    set_target_properties(${target} PROPERTIES
      CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/run-on-own-display)
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # Labels are set after discovery: a list value does not survive being handed
  # through gtest_discover_tests' PROPERTIES.
  set(label_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_labels.cmake)
  file(WRITE ${label_file}
    "if(${target}_TESTS)\n"
    "  set_tests_properties(\${${target}_TESTS} PROPERTIES LABELS \"${labels}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_file})
endfunction()

# corvane_benchmark(<target> DIRS <dir>... DEPS <target>...)
#   One Google Benchmark executable of every .cpp in the folders, built only
#   with -DCORVANE_BENCHMARKS=ON; not a test: run it by hand (under a display
#   for the game's frames).
function(corvane_benchmark target)
  if(NOT CORVANE_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${CORVANE_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark_main)
endfunction()
