#pragma once

#include <string>

namespace tracciato {

// Reads the command line and runs the command it names (`build` when it
// names none), giving the exit status. `version` is what --version prints.
int run_command_line(int argc, const char* const* argv, const std::string& version);

}  // namespace tracciato
