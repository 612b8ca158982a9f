# How a GoogleTest executable becomes tests for ctest.
#
# batora_add_gtests(<target> [PROPERTIES <test properties>...])
#
# Built for this machine, each case is a test of its own: ctest runs them in parallel and names
# the one that fails. Built for another system and run through an emulator (the Windows tests
# under Wine), starting a process costs more than most cases take, and listing the cases would
# start every executable once more; there the executable is one test that runs all its cases,
# and GoogleTest's own output names any case that fails.
function(batora_add_gtests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT 600 ${arg_PROPERTIES})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
