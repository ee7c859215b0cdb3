# Fails when a C++ source or header is not formatted as .clang-format says.
# Called by the format-check target as:
#   cmake -DCLANG_FORMAT=... -DSOURCE_DIR=... -P format_check.cmake
# The files are listed here, at build time, so that a new file or folder is
# checked without configuring again.
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR
    "format-check: clang-format was not found (looked for clang-format-14, then "
    "clang-format). Install clang-format-14 and configure again.")
endif()

set(patterns)
foreach(folder src tests bench fuzz)
  list(APPEND patterns "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
endforeach()
file(GLOB_RECURSE sources ${patterns})
list(SORT sources)
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "format-check: no source found under ${SOURCE_DIR}")
endif()

execute_process(
  COMMAND "${CLANG_FORMAT}" --dry-run -Werror ${sources}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR
    "format-check: ${CLANG_FORMAT} found badly formatted lines (listed above). "
    "Fix them with: ${CLANG_FORMAT} -i FILE...")
endif()
message(STATUS "format-check: ${count} files are formatted")
