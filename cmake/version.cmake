# Writes OUTPUT, a header defining the version text: VERSION, and the commit
# of SOURCE_DIR when it is a checkout (with "+" when it has changes not yet
# committed). The file is left untouched when its text would not change.
find_package(Git QUIET)
set(text "tracciato ${VERSION}")
if(GIT_FOUND)
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" diff --quiet HEAD
                    RESULT_VARIABLE changed ERROR_QUIET)
    if(changed)
      set(commit "${commit}+")
    endif()
    set(text "${text} (commit ${commit})")
  endif()
endif()
file(CONFIGURE OUTPUT "${OUTPUT}"
     CONTENT "// Made by cmake/version.cmake at build time.\n#pragma once\n#define TRACCIATO_VERSION_TEXT \"${text}\"\n")
