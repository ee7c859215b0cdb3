#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tracciato {

// What a command reads and what it will write, each with the words that
// name it in a message, so that before anything is staged the command can
// refuse to write over one of its own inputs or to write two outputs to
// one place, through links too.
struct PlannedFile {
  std::filesystem::path path;
  std::string role;  // "the train description", "the report", "the compiled S_1.sim"
};

struct OutputPlan {
  std::vector<PlannedFile> inputs;
  std::vector<PlannedFile> outputs;

  // The first clash, as a message; nullopt when there is none.
  std::optional<std::string> clash() const;
  // The folders the outputs go to, each once.
  std::vector<std::filesystem::path> folders() const;
};

}  // namespace tracciato
