# `cmake --install` puts the program, its desktop entry, its metainfo and its
# icons where a desktop looks for them, and the entry and metainfo are valid.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(f bin/temporia bin/temporia-sysinfo lib/temporia/libtemporia-web.so
          share/applications/temporia.desktop share/metainfo/temporia.metainfo.xml
          share/icons/hicolor/16x16/apps/temporia.png share/icons/hicolor/32x32/apps/temporia.png
          share/doc/temporia/CREDITS share/doc/temporia/copyright share/doc/temporia/changelog.Debian.gz
          share/man/man1/temporia.1.gz share/man/man1/temporia-sysinfo.1.gz)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/temporia.desktop RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the desktop entry is not valid")
endif()
# The id is the program's name, as are the desktop entry's and the icon's:
# the project owns no domain to make a reverse-domain id of.
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --explain --override=cid-desktopapp-is-not-rdns=info
                        ${PREFIX}/share/metainfo/temporia.metainfo.xml RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the metainfo is not valid")
endif()

# The installed programs and module look for libraries only in real folders,
# and every library they need is found from there, whatever folder they are
# started from.
include(${CMAKE_CURRENT_LIST_DIR}/runpath.cmake)
check_runpaths(${PREFIX}/bin ${PREFIX}/lib)
find_program(LDD ldd REQUIRED)
set(elsewhere ${PREFIX}/../started-here)
file(REMOVE_RECURSE ${elsewhere})
file(MAKE_DIRECTORY ${elsewhere})
foreach(f bin/temporia bin/temporia-sysinfo lib/temporia/libtemporia-web.so)
  execute_process(COMMAND ${LDD} ${PREFIX}/${f} WORKING_DIRECTORY ${elsewhere} OUTPUT_VARIABLE libraries
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR libraries MATCHES "not found")
    message(FATAL_ERROR "${f} misses libraries:\n${libraries}")
  endif()
endforeach()
