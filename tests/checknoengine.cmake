# Fails when the program itself needs the web engine: the engine belongs to
# the web module, loaded only when a browser window is first made.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${PROGRAM} RESOLVED_DEPENDENCIES_VAR needed
     UNRESOLVED_DEPENDENCIES_VAR missing)
foreach(library IN LISTS needed missing)
  if(library MATCHES "WebEngine")
    message(FATAL_ERROR "${PROGRAM} needs ${library}")
  endif()
endforeach()
