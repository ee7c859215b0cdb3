#include "platform/output_transaction.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "platform/commit_journal.h"
#include "platform/file_system.h"
#include "platform/interruption.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

// Set by tests alone, before any transaction begins.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
OutputTransaction::StepHook step_hook = nullptr;

void step(std::string_view name) {
  if (step_hook != nullptr) step_hook(name);
}

fs::path key_of(const fs::path& folder) {
  std::error_code error;
  const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
  const fs::path canonical = fs::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : canonical;
}

fs::path parent_of(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

void sync(const fs::path& folder) {
  if (!sync_folder(folder)) throw IoFailure(folder, "cannot sync the folder", last_failure());
}

// Completes the commit an interrupted run left in `folder`: each staged
// file the journal names and that still stands is renamed over its target.
void complete_interrupted_commit(const fs::path& folder, const OutputTransaction::Notice& notice) {
  const auto entries = read_journal(folder);
  if (!entries) return;
  const InterruptionDeferred deferred;
  std::vector<std::string> targets;
  for (const Replacement& entry : *entries) {
    std::error_code error;
    const fs::path staged = folder / entry.staged;
    if (fs::exists(fs::symlink_status(staged, error)) &&
        !rename_over(staged, folder / entry.target)) {
      throw IoFailure(folder / entry.target, "cannot complete an interrupted commit",
                      last_failure());
    }
    targets.push_back(entry.target);
  }
  sync(folder);
  remove_journal(folder);
  if (notice) {
    notice(folder.string() + ": completed the replacement of " + joined(targets) +
           " that an interrupted run had begun");
  }
}

// Removes the files a run staged before it was ended without a commit.
// Only a run holding the folder's lock stages there, so none is in use.
void remove_abandoned_files(const fs::path& folder, const OutputTransaction::Notice& notice) {
  std::error_code error;
  int removed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    std::error_code ignored;
    if (is_staged_file_name(name) && fs::remove(entry.path(), ignored)) ++removed;
  }
  if (removed > 0 && notice) {
    notice(folder.string() + ": removed " + std::to_string(removed) +
           (removed == 1 ? " file" : " files") + " that an interrupted run had begun to write");
  }
}

}  // namespace

void OutputTransaction::set_step_hook(StepHook hook) {
  step_hook = hook;
}

OutputTransaction::OutputTransaction(const std::vector<fs::path>& folders, const Notice& notice) {
  for (const fs::path& path : folders) {
    Folder folder{path.empty() ? fs::path(".") : path, key_of(path), nullptr};
    const bool known = std::any_of(folders_.begin(), folders_.end(),
                                   [&folder](const Folder& f) { return f.key == folder.key; });
    if (!known) folders_.push_back(std::move(folder));
  }
  // Always in the same order, so that two runs that both write into two
  // folders cannot each hold one and wait for the other.
  std::sort(folders_.begin(), folders_.end(),
            [](const Folder& a, const Folder& b) { return a.key < b.key; });
  for (Folder& folder : folders_) {
    folder.lock = std::make_unique<FolderLock>(folder.path, notice);
    complete_interrupted_commit(folder.path, notice);
    remove_abandoned_files(folder.path, notice);
  }
  step("locked");
}

OutputTransaction::~OutputTransaction() = default;

const OutputTransaction::Folder& OutputTransaction::folder_of(const fs::path& target) const {
  const fs::path key = key_of(parent_of(target));
  for (const Folder& folder : folders_) {
    if (folder.key == key) return folder;
  }
  throw std::logic_error(target.string() + " lies outside the folders of the transaction");
}

ByteSink& OutputTransaction::stage(const fs::path& target) {
  (void)folder_of(target);
  staged_.push_back(std::make_unique<StagedFile>(target));
  step("staging " + target.filename().string());
  return *staged_.back();
}

fs::path OutputTransaction::scratch(const fs::path& target, std::string_view bytes) {
  (void)folder_of(target);
  scratch_.push_back(std::make_unique<StagedFile>(target));
  scratch_.back()->write(bytes);
  scratch_.back()->finish(false);
  return scratch_.back()->path();
}

void OutputTransaction::commit() {
  for (const auto& file : staged_) {
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(file->target(), error))) {
      throw IoFailure(file->target(), "cannot write", "a folder stands in its place");
    }
    file->finish(true);
  }
  step("staged");
  const InterruptionDeferred deferred;
  write_journals();
  step("journal");
  rename_all();
  finish_folders();
  step("committed");
}

void OutputTransaction::write_journals() {
  std::vector<fs::path> written;
  try {
    for (const Folder& folder : folders_) {
      std::vector<Replacement> entries;
      for (const auto& file : staged_) {
        if (key_of(parent_of(file->target())) != folder.key) continue;
        entries.push_back({file->path().filename().string(), file->target().filename().string()});
      }
      if (entries.empty()) continue;
      write_journal(folder.path, entries);
      written.push_back(folder.path);
    }
  } catch (const IoFailure&) {
    // Nothing is renamed yet: the journals written so far would only
    // announce a commit that never began.
    for (const fs::path& folder : written) {
      std::error_code ignored;
      fs::remove(folder / journal_file_name, ignored);
    }
    throw;
  }
}

void OutputTransaction::rename_all() {
  for (const auto& file : staged_) {
    if (!rename_over(file->path(), file->target())) {
      const std::string reason = last_failure();
      // The journal names the files still staged: they are kept, for the
      // next run to complete what this one could not.
      for (const auto& kept : staged_) kept->release();
      throw IoFailure(file->target(), "cannot replace",
                      reason + "; the next run writing into " + parent_of(file->target()).string() +
                          " completes the replacement");
    }
    file->release();
    step("replaced " + file->target().filename().string());
  }
}

void OutputTransaction::finish_folders() {
  for (const Folder& folder : folders_) {
    const bool used = std::any_of(staged_.begin(), staged_.end(), [&folder](const auto& file) {
      return key_of(parent_of(file->target())) == folder.key;
    });
    if (!used) continue;
    sync(folder.path);
    remove_journal(folder.path);
  }
  staged_.clear();
}

}  // namespace tracciato
