# Run after each build of a GoogleTest binary (see player_test_suite): writes
# CTEST_FILE, which registers one CTest test for each GoogleTest suite of
# TEST_EXECUTABLE, run as `--gtest_filter=<suite>.*` in WORKING_DIR with SDL's
# dummy drivers (a case that needs a display or a sound server starts its own).
#
# One process a suite rather than one a case: starting a test binary costs a
# quarter of a second of processor time in the sanitizer build, which over
# some fifteen hundred cases was a fifth of its suite's time. A failing case
# is still named by GoogleTest's output under its suite's test.
execute_process(
  COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
  WORKING_DIRECTORY "${WORKING_DIR}"
  TIMEOUT 60
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} --gtest_list_tests failed (${result}):\n${listing}")
endif()

# A suite's line starts in the first column and ends with its name's dot
# (a typed suite's line goes on with a comment); its cases are indented.
string(REPLACE ";" "," listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+)\\.( +#.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND script
           "add_test([==[${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
           "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==] "
           "ENVIRONMENT \"SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy\")\n")
  endif()
endforeach()
file(WRITE "${CTEST_FILE}" "${script}")
