# Builds the Debian package into OUT with cpack and unpacks it under OUT/root with dpkg-deb, for
# the tests that check the package and run the unpacked game.
#   cmake -DCPACK=... -DCONFIG=.../CPackConfig.cmake -DOUT=... -P build_package.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG} -B ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status})")
endif()
file(GLOB packages ${OUT}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${OUT}, found: ${packages}")
endif()
execute_process(COMMAND dpkg-deb -x ${packages} ${OUT}/root RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x ${packages} failed (${status})")
endif()
message(STATUS "built and unpacked ${packages}")
