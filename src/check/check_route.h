#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "check/finding_tally.h"
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
  // Each fault that ends the reading costs one more compile of both texts.
  // The compiles stop before their work passes this budget, counted in
  // bytes of text read plus a sixteenth for each row of the track plan
  // made (a row costs about that much), so that a megabyte of text or a
  // 1,000 km route with hundreds of faults is checked in about a second.
  std::size_t reading_budget = std::size_t{4} << 20;
  // Of each warning name, how many are kept to be shown (0: all); the
  // others are only counted.
  std::size_t max_warnings = 0;
};

// Compiles the descriptions in memory, as `compile` does, writing nothing,
// and gives what it found: the fault the compile step records, and the
// warnings the readers' observations raise, in file and line order, with
// their counts. Throws IoFailure when a description cannot be read at all.
ShownFindings check_route_findings(const CheckRequest& request);
// The same for texts already in memory, line then train, which stand under
// the request's file names.
ShownFindings check_text_findings(const CheckRequest& request, std::array<std::string, 2> texts);

// What these show, without the counts.
std::vector<Diagnostic> check_route(const CheckRequest& request);
std::vector<Diagnostic> check_texts(const CheckRequest& request, std::array<std::string, 2> texts);

}  // namespace tracciato
