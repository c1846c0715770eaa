# Precompiled headers on the Windows toolchains. There, reading the SDK headers and
# the standard library is most of each file's compile time (about 3 of 4 s), so every
# target of four or more files reads them once. The SDK headers come through
# platform/WinTypes.h, configured as the seam configures them. The native trees read
# each file's includes as written, so a missing include still shows there.
set(_quorvin_pch_headers
  ${PROJECT_SOURCE_DIR}/platform/WinTypes.h <algorithm> <cstdint> <functional> <map>
  <memory> <optional> <set> <string> <string_view> <utility> <vector>)

function(_quorvin_targets_below dir out)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_folders DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_folder IN LISTS _folders)
    _quorvin_targets_below(${_folder} _more)
    list(APPEND _targets ${_more})
  endforeach()
  set(${out} ${_targets} PARENT_SCOPE)
endfunction()

# Gives the precompiled header to every library and program of the tree with at
# least four C++ files: below that, making it costs more than it saves.
function(quorvin_windows_pch)
  _quorvin_targets_below(${PROJECT_SOURCE_DIR} _targets)
  foreach(_target IN LISTS _targets)
    get_target_property(_type ${_target} TYPE)
    if(NOT _type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(_sources ${_target} SOURCES)
    list(FILTER _sources INCLUDE REGEX "\\.(cpp|cc)$")
    list(LENGTH _sources _count)
    if(_count GREATER_EQUAL 4)
      target_precompile_headers(${_target} PRIVATE ${_quorvin_pch_headers})
    endif()
  endforeach()
endfunction()
