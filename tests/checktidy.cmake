# Fails when clang-tidy finds anything in the project's sources, with the
# checks .clang-tidy names, compiled as the build compiles them
# (compile_commands.json). Generated files (moc, resources) are left out.
# The checkout's path taken literally in the file filter, whatever it holds
# ("+" or "." would otherwise match other paths, or none).
string(REGEX REPLACE "([][+.*?()^$|\\{}])" "\\\\\\1" root_pattern "${ROOT}")
execute_process(COMMAND ${RUN_CLANG_TIDY} -clang-tidy-binary ${CLANG_TIDY} -p ${BUILD} -j ${JOBS} -quiet
                        "^${root_pattern}/(engine|platform|forms|tests|tools|bench)/"
  WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
# Only the findings and the compiler's errors, without the colours: the
# counts of suppressed warnings in Qt's headers say nothing.
string(ASCII 27 escape)
string(REGEX REPLACE "${escape}\\[[0-9;]*m" "" output "${output}")
string(REGEX MATCHALL "[^\n]*(warning|error): [^\n]*" findings "${output}")
if(NOT result EQUAL 0 OR findings)
  list(JOIN findings "\n" text)
  message(FATAL_ERROR "clang-tidy found:\n${text}\n(exit code ${result})")
endif()
