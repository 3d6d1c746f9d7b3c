# Fails when any C++ source differs from what clang-format makes of it.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/engine/*.[ch]* ${ROOT}/platform/*.[ch]* ${ROOT}/forms/*.[ch]* ${ROOT}/tests/*.[ch]*
  ${ROOT}/bench/*.[ch]* ${ROOT}/tools/*.[ch]*)
list(FILTER sources INCLUDE REGEX "\\.(h|cpp)$")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "clang-format: the files above differ; run scripts/format.sh")
endif()
