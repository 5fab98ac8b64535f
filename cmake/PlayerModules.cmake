# Helpers that keep each folder's CMakeLists.txt to a line or two.
# Sources are picked up by folder so that adding a file needs no build edit.

# The standard headers nearly every source file reads, parsed once instead of
# once per file: most of a file's compile time went to them (and to
# GoogleTest's header in the tests).
set(PLAYER_PRECOMPILED_HEADERS
    <algorithm> <array> <cmath> <cstdint> <cstring> <filesystem> <functional> <list> <map>
    <memory> <optional> <span> <string> <string_view> <utility> <vector>)

# player_shared_precompiled_headers(<target> <owner> DEPS <targets>... HEADERS <headers>...)
# Every library compiles with the same options, and so does every test binary,
# so one precompiled header serves each kind: a header of each target's own
# wrote the same 90-120 MB file some thirty times a build, more than a small
# machine's disk had left. The owner, an object library of no code of its
# own, is made by the first target of a kind, with that target's
# dependencies for their compile flags.
function(player_shared_precompiled_headers target owner)
  cmake_parse_arguments(ARG "" "" "DEPS;HEADERS" ${ARGN})
  if(NOT TARGET ${owner})
    set(source ${CMAKE_BINARY_DIR}/${owner}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "")
    add_library(${owner} OBJECT ${source})
    target_include_directories(${owner} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${owner} PRIVATE ${ARG_DEPS})
    target_precompile_headers(${owner} PRIVATE ${ARG_HEADERS})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()

# player_module(<name> [RECURSE] [DEPS <targets>...])
# A static library player_<name> from the .cpp files of the current folder.
# Includes are written from the repository root ("foundation/log.h").
function(player_module name)
  cmake_parse_arguments(ARG "RECURSE" "" "DEPS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  set(target player_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    player_shared_precompiled_headers(${target} player_library_headers
        DEPS ${ARG_DEPS} HEADERS ${PLAYER_PRECOMPILED_HEADERS})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# player_test_suite(<folder> [TWICE_IN_PIECES <n>] DEPS <targets>...)
# One GoogleTest binary <folder>_tests from the .cpp files under tests/<folder>/
# (sub-folders included), registered with CTest.
function(player_test_suite folder)
  cmake_parse_arguments(ARG "" "TWICE_IN_PIECES" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${folder}_tests ${sources})
  set(deps ${ARG_DEPS} player_test_support GTest::gtest GTest::gmock)
  target_link_libraries(${folder}_tests PRIVATE ${deps})
  player_shared_precompiled_headers(${folder}_tests player_test_headers
      DEPS ${deps} HEADERS ${PLAYER_PRECOMPILED_HEADERS} <gtest/gtest.h>)
  # One CTest test for each of its GoogleTest suites, listed after each build
  # (cmake/ListGTestSuites.cmake); until the binary is built, a test that
  # fails by its name.
  set(suites_file ${CMAKE_CURRENT_BINARY_DIR}/${folder}_tests_suites.cmake)
  add_custom_command(TARGET ${folder}_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${folder}_tests> -D CTEST_FILE=${suites_file}
            -D WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/ListGTestSuites.cmake
    BYPRODUCTS ${suites_file}
    VERBATIM)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${folder}_tests_include.cmake)
  file(WRITE ${include_file}
       "if(EXISTS [==[${suites_file}]==])\n  include([==[${suites_file}]==])\nelse()\n"
       "  add_test(${folder}_tests_NOT_BUILT ${folder}_tests_NOT_BUILT)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
  # The whole binary twice in one process: state that one test leaves behind
  # for the next (or for its own second run) fails here, where a process of
  # each suite's own would hide it. Left out of the ASan build, whose
  # binaries are slow and whose suite already runs every test once.
  # A binary whose cases mostly wait (on X servers, sound servers, players)
  # runs twice in TWICE_IN_PIECES processes, each its share of the cases
  # (GoogleTest's shards), side by side: whole, it ran for most of the
  # suite's time limit.
  if(NOT PLAYER_SANITIZE)
    set(pieces 1)
    if(ARG_TWICE_IN_PIECES)
      set(pieces ${ARG_TWICE_IN_PIECES})
    endif()
    math(EXPR last "${pieces} - 1")
    foreach(piece RANGE ${last})
      set(name ${folder}_tests.twice_in_one_process)
      set(environment "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
      if(pieces GREATER 1)
        math(EXPR number "${piece} + 1")
        string(APPEND name ".${number}_of_${pieces}")
        list(APPEND environment "GTEST_TOTAL_SHARDS=${pieces}" "GTEST_SHARD_INDEX=${piece}")
      endif()
      add_test(NAME ${name} COMMAND ${folder}_tests --gtest_repeat=2 --gtest_brief=1
               WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
      set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" COST 1000)
      # Under ThreadSanitizer the slowest binaries take a quarter of an hour
      # to run twice, the desktop cases over an hour on two busy cores.
      if(PLAYER_SANITIZE_THREAD)
        set_tests_properties(${name} PROPERTIES TIMEOUT 7200)
      endif()
    endforeach()
  endif()
endfunction()

# player_programs(<prefix> DEPS <targets>...)
# One executable <prefix>_<file> per .cpp file of the current folder (bench, fuzz, tools).
function(player_programs prefix)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(source ${sources})
    get_filename_component(stem ${source} NAME_WE)
    add_executable(${prefix}_${stem} ${source})
    target_link_libraries(${prefix}_${stem} PRIVATE ${ARG_DEPS})
  endforeach()
endfunction()
