#include "driver/output_plan.h"

#include <algorithm>

#include "platform/usable_path.h"

namespace tracciato {

namespace fs = std::filesystem;

std::optional<std::string> OutputPlan::clash() const {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const PlannedFile& output = outputs[i];
    for (const PlannedFile& input : inputs) {
      if (same_file(output.path, input.path)) {
        return input.path.string() + ": would be overwritten by " + output.role;
      }
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (same_file(output.path, outputs[j].path)) {
        return output.path.string() + ": " + outputs[j].role + " and " + output.role +
               " would both be written here";
      }
    }
  }
  return std::nullopt;
}

std::vector<fs::path> OutputPlan::folders() const {
  std::vector<fs::path> folders;
  for (const PlannedFile& output : outputs) {
    const fs::path folder = output.path.has_parent_path() ? output.path.parent_path() : ".";
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

}  // namespace tracciato
