# Installs the build into PREFIX and checks that every help page is found where the
# installed program looks for them: LOOKS_IN, relative to PREFIX.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
file(GLOB pages RELATIVE ${PAGES} ${PAGES}/*)
list(LENGTH pages count)
if(count LESS 2)
  message(FATAL_ERROR "no help pages in ${PAGES}")
endif()
foreach(page IN LISTS pages)
  if(NOT EXISTS ${PREFIX}/${LOOKS_IN}/${page})
    message(FATAL_ERROR "${page} is not installed in ${PREFIX}/${LOOKS_IN}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
