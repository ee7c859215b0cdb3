#pragma once

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "check/warning_watch.h"
#include "platform/diagnostic.h"

namespace tracciato {

// What `check` reads: the two descriptions, and the identity the compile
// step would give them (it counts in the competition codes).
struct CheckRequest {
  std::filesystem::path line;
  std::filesystem::path train;
  std::string scenario = "S";
  std::string train_number = "1";
  std::set<std::string> disabled_warnings;  // names, as -Wno-NAME gives them
};

// Compiles the descriptions in memory, as `compile` does, writing nothing,
// and gives what it found: the fault the compile step records, and the
// warnings the readers' observations raise, in file and line order.
// Throws IoFailure when a description cannot be read at all.
std::vector<Diagnostic> check_route(const CheckRequest& request);
// The same for texts already in memory, line then train, which stand under
// the request's file names.
std::vector<Diagnostic> check_texts(const CheckRequest& request, std::array<std::string, 2> texts);

}  // namespace tracciato
