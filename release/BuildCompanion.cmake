# Builds kevra64.exe in the x86_64 tree for the release target:
#   cmake -DSOURCE=<source folder> -DTREE=<x86_64 build folder> -P BuildCompanion.cmake
# A tree not yet configured is configured with the mingw-x86_64 preset, as the
# test command does, so that both share one tree.
if(NOT EXISTS ${TREE}/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset mingw-x86_64 -B ${TREE}
                  WORKING_DIRECTORY ${SOURCE} COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${TREE} --target kevra64
                COMMAND_ERROR_IS_FATAL ANY)
