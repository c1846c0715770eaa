# quorvin_unity_tests(target): with QUORVIN_UNITY_TESTS on, the target's *_test.cpp
# files are compiled one compiler run per folder. Their headers (GoogleTest's above
# all) take most of each file's compile time and are then read once per folder.
# Files of one folder share a translation unit, so their file-local names must
# differ; grouping by folder keeps a new file from regrouping the others. Other
# sources (fixtures, mains, the runtime's throw helpers) are compiled alone.
# The test command's trees turn it on; development trees keep a file per run, so
# that editing one test recompiles one file.
function(quorvin_unity_tests target)
  if(NOT QUORVIN_UNITY_TESTS)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  get_target_property(_sources ${target} SOURCES)
  foreach(_source IN LISTS _sources)
    if(_source MATCHES "_test\\.cpp$")
      get_filename_component(_folder "${_source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
      get_filename_component(_folder "${_folder}" DIRECTORY)
      file(RELATIVE_PATH _folder "${PROJECT_SOURCE_DIR}" "${_folder}")
      string(REPLACE "/" "_" _folder "${_folder}")
      set_source_files_properties(${_source} PROPERTIES UNITY_GROUP "${_folder}")
    endif()
  endforeach()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # g++ takes the included files for headers, and warns that their fixtures in
    # anonymous namespaces could differ between translation units: here they cannot.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()
