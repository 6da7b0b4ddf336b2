# Fails when a source includes a header by a path that climbs out of its folder
# ("../merge/operation.h"): the compiler finds such a path beside the including
# file, past the include roots that keep the core's layers apart.
# Run in script mode: cmake -DSOURCE_DIR=... -P CheckLayerIncludes.cmake
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(offenders)
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
  foreach(line IN LISTS lines)
    list(APPEND offenders "${name}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" report)
  message(FATAL_ERROR "Includes that climb out of their folder:\n${report}")
endif()
