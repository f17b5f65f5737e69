# Run by CPack on the files it is about to package: removes the sections naming the compilers
# from the program and the window module, which stripping their symbols leaves in place.
find_program(OBJCOPY objcopy REQUIRED)
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(GLOB programs "${root}/bin/*")
file(GLOB_RECURSE modules "${root}/lib*/*.so")
foreach(program IN LISTS programs modules)
  execute_process(COMMAND ${OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
