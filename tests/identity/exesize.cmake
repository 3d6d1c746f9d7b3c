# The version record says the program file is under 2 MB, photographs
# included: true of the stripped executable, as a release ships it.
find_program(STRIP NAMES strip REQUIRED)
execute_process(COMMAND ${STRIP} -o ${STRIPPED} ${PROGRAM} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not strip ${PROGRAM}")
endif()
file(SIZE ${STRIPPED} size)
message(STATUS "stripped executable: ${size} bytes")
if(NOT size LESS 2000000)
  message(FATAL_ERROR "the stripped executable is ${size} bytes, not under 2 MB")
endif()
