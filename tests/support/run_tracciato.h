#pragma once

// Runs the tracciato executable in a folder, as a route author would.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace tracciato::testing {

struct Outcome {
  int status;
  std::string errors;  // standard error
  std::string output;  // standard output
};

inline Outcome tracciato(const TempFolder& folder, const std::string& arguments) {
  const std::string errors = (folder / "stderr.log").string();
  const std::string output = (folder / "stdout.log").string();
  const std::string command = "cd '" + folder.path().string() + "' && '" TRACCIATO_EXE "' " +
                              arguments + " >'" + output + "' 2>'" + errors + "'";
  const int raw = std::system(command.c_str());
  Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_bytes(errors), read_bytes(output)};
  std::filesystem::remove(errors);
  std::filesystem::remove(output);
  return run;
}

}  // namespace tracciato::testing
