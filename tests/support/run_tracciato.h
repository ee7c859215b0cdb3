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

// The two streams are caught in files of `logs`, by default the folder
// itself; a test that fills the folder's disk keeps them elsewhere.
// `prefix` is shell text run before the program, as a `ulimit`.
inline Outcome tracciato(const TempFolder& folder, const std::string& arguments,
                         const TempFolder* logs = nullptr, const std::string& prefix = "") {
  const TempFolder& log_folder = logs != nullptr ? *logs : folder;
  const std::string errors = (log_folder / "stderr.log").string();
  const std::string output = (log_folder / "stdout.log").string();
  const std::string command = "cd '" + folder.path().string() + "' && " + prefix +
                              "'" TRACCIATO_EXE "' " + arguments + " >'" + output + "' 2>'" +
                              errors + "'";
  const int raw = std::system(command.c_str());
  Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_bytes(errors), read_bytes(output)};
  std::filesystem::remove(errors);
  std::filesystem::remove(output);
  return run;
}

}  // namespace tracciato::testing
