# Formats every manual page under ROOT/usr/share/man with `man --warnings` and fails on the first
# page that draws a warning from man or groff, or, for a Japanese page, that breaks an English word
# with a hyphen at the end of a line ("--ver‐" / "sion").
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
  # Read as `man -l` reads a page given by its own name (by its full path under .../man/ja/, man
  # formats it as an installed Japanese page, which hides the breaks a reader of the file sees).
  get_filename_component(folder ${page} DIRECTORY)
  get_filename_component(name ${page} NAME)
  execute_process(COMMAND env LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l ${name}
                  WORKING_DIRECTORY ${folder} OUTPUT_VARIABLE text)
  if(page MATCHES "/ja/" AND text MATCHES "([A-Za-z]‐\n)")
    message(FATAL_ERROR "${page}: an English word is hyphenated at the end of a line "
                        "(\"${CMAKE_MATCH_1}\"): use .nh, or \\% before the word")
  endif()
  message(STATUS "${page}: no warnings")
endforeach()
