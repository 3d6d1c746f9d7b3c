# Without a display, or with one that cannot be reached, the program says so
# in one line and ends with exit code 1: no crash, no hang, no other output,
# not even what the window system's own libraries print while connecting.
function(expect_refusal what)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=XDG_RUNTIME_DIR --unset=XDG_SESSION_TYPE ${ARGN} ${PROGRAM}
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
# With the Wayland plugin installed, Qt tries it first; without
# XDG_RUNTIME_DIR the Wayland client library complains on stderr itself.
expect_refusal("unreachable Wayland display" WAYLAND_DISPLAY=temporia-test-none)
expect_refusal("unreachable Wayland and X displays" WAYLAND_DISPLAY=temporia-test-none DISPLAY=:4711)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/nodisplay-runtime)
expect_refusal("Wayland display missing from XDG_RUNTIME_DIR" WAYLAND_DISPLAY=temporia-test-none
               XDG_RUNTIME_DIR=${CMAKE_CURRENT_BINARY_DIR}/nodisplay-runtime)
execute_process(COMMAND ${QTPATHS} --query QT_INSTALL_PLUGINS OUTPUT_VARIABLE plugins OUTPUT_STRIP_TRAILING_WHITESPACE)
if(EXISTS "${plugins}/platforms/libqwayland-generic.so")
  expect_refusal("Wayland asked for, no XDG_RUNTIME_DIR" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=temporia-test-none)
  expect_refusal("Wayland session, unreachable display" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=temporia-test-none)
else()
  message(STATUS "no Wayland plugin in ${plugins}/platforms (qt6-wayland): its cases are left out")
endif()
