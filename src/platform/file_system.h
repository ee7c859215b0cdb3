#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tracciato {

// The few file-system calls the output transaction needs beyond the
// standard library, each one thing that a system does its own way.

// Creates `path` for writing only if nothing, not even a dangling link,
// stands there; the descriptor is not inherited by child processes.
// Gives -1 and sets errno on failure.
int create_exclusive(const std::filesystem::path& path);
// Writes all of `bytes`, retrying short and interrupted writes; false and
// errno on failure.
bool write_all(int descriptor, std::string_view bytes);
// Flushes the file's bytes to the disk; false and errno on failure.
bool sync_descriptor(int descriptor);
bool close_descriptor(int descriptor);
// Gives the file the permission bits of `model` when `model` is an
// existing regular file (through links); false and errno on failure.
bool copy_mode(int descriptor, const std::filesystem::path& model);
// Makes the folder's list of names durable, so that a rename in it
// survives a power cut. Where a system has no such call it does nothing.
bool sync_folder(const std::filesystem::path& folder);
// Renames `from` over `to` in one step: `to` names the old file or the new
// one, never neither. A link at `to` is replaced, not followed.
bool rename_over(const std::filesystem::path& from, const std::filesystem::path& to);
// What the system said of its last failure.
std::string last_failure();

}  // namespace tracciato
