# No shipped program runs on a test double: none holds a symbol of the recording fakes
# (namespace game::fakes, linked only through the library game_fakes).
#   cmake -DBINARIES=<program|program...> -P check_no_test_doubles.cmake
if(NOT BINARIES)
  message(FATAL_ERROR "usage: -DBINARIES=<program|program...>")
endif()
string(REPLACE "|" ";" binaries "${BINARIES}")
foreach(binary ${binaries})
  execute_process(COMMAND nm -C "${binary}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status
                  ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT symbols MATCHES "game::")
    message(FATAL_ERROR "nm found none of the program's own symbols in ${binary}")
  endif()
  string(REGEX MATCHALL "[^\n]*game::fakes::[^\n]*" doubles "${symbols}")
  if(doubles)
    list(JOIN doubles "\n  " report)
    message(FATAL_ERROR "${binary} holds test doubles:\n  ${report}")
  endif()
  message(STATUS "${binary}: no test double")
endforeach()
