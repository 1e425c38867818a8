# Formats every manual page under ROOT/usr/share/man with `man --warnings` and fails on the first
# page that draws a warning from man or groff.
#   cmake -DROOT=... -P check_manual_pages.cmake
file(GLOB_RECURSE pages ${ROOT}/usr/share/man/*.gz)
if(NOT pages)
  message(FATAL_ERROR "no manual pages under ${ROOT}/usr/share/man")
endif()
foreach(page ${pages})
  execute_process(COMMAND env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l ${page}
                  OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR text STREQUAL "")
    message(FATAL_ERROR "${page}: status ${status}\n${warnings}")
  endif()
  message(STATUS "${page}: no warnings")
endforeach()
