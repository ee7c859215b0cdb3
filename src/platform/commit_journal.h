#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tracciato {

// The record a commit keeps in its folder while it renames its staged
// files over their targets. It is written whole and synced before the first
// rename and removed after the last, so that a run that dies in between
// (killed, or the power gone) leaves a folder that says which of its files
// may be new and which old. Every staged file it names is complete, so the
// next run that writes into the folder can always finish the renames; that
// is simpler and surer than undoing them, which would need the old files
// kept as well. The file is text:
//   tracciato journal 1
//   replace .tracciato-0123456789abcdef.tmp S_1.sim
//   ...
//   end
inline constexpr const char* journal_file_name = ".tracciato-journal";

struct Replacement {
  std::string staged;  // names in the journal's folder
  std::string target;
};

// Writes the journal into `folder`, whole or not at all, and syncs it.
// Throws IoFailure.
void write_journal(const std::filesystem::path& folder, const std::vector<Replacement>& entries);

// The replacements of the journal in `folder`: nullopt when there is none.
// Throws IoFailure when one stands there that this program did not write
// whole.
std::optional<std::vector<Replacement>> read_journal(const std::filesystem::path& folder);

// Removes the journal and syncs the folder. Throws IoFailure.
void remove_journal(const std::filesystem::path& folder);

// For the commands that read compiled files: when an interrupted commit
// in the folder of any of `files` was replacing one of them, the message
// that says so and how to mend it.
std::optional<std::string> interrupted_commit(const std::vector<std::filesystem::path>& files);

}  // namespace tracciato
