# quorvin_sources(<var> <dir>): the library sources of a folder, that is every .cpp
# file except the tests (*_test.cpp) beside them.
function(quorvin_sources var dir)
  file(GLOB _all CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER _all EXCLUDE REGEX "_test\\.cpp$")
  set(${var} ${_all} PARENT_SCOPE)
endfunction()
