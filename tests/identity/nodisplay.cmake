# Without a display, or with one that cannot be reached, the program says so
# in one line and ends with exit code 1: no crash, no hang, no other output.
function(expect_refusal what)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY ${ARGN} ${PROGRAM}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT result STREQUAL "1" OR NOT out STREQUAL "" OR NOT lines EQUAL 1 OR NOT err MATCHES "display")
    message(FATAL_ERROR "${what}: exit '${result}', stdout '${out}', stderr '${err}'")
  endif()
  message(STATUS "${what}: ${err}")
endfunction()

expect_refusal("no display")
# A socket that no server listens on: the connection fails at once.
expect_refusal("unreachable X display" DISPLAY=:4711)
expect_refusal("unreachable Wayland display" WAYLAND_DISPLAY=temporia-test-none)
