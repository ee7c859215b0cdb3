#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_sink.h"
#include "platform/folder_lock.h"
#include "platform/staged_file.h"

namespace tracciato {

// Everything one command writes, replaced at once or not at all.
//
// The command first names the folders it will write into. Each is locked
// for the transaction's whole life, so that two commands writing into one
// folder take turns, and what an interrupted run left there is mended
// first: its commit is completed from its journal, its staged files are
// removed, and the notice says so. The command then stages each file: its
// bytes go to a fresh file beside the target. Only commit() touches the
// targets: it syncs every staged file, writes the journal, renames the
// files over their targets in the order they were staged, syncs the
// folder and removes the journal. A transaction dropped before commit(),
// by a failure or by an interruption, removes what it staged and leaves
// every target as it was.
class OutputTransaction {
 public:
  using Notice = std::function<void(const std::string&)>;

  // Throws IoFailure when a folder cannot be locked or mended.
  OutputTransaction(const std::vector<std::filesystem::path>& folders, const Notice& notice);
  ~OutputTransaction();
  OutputTransaction(const OutputTransaction&) = delete;
  OutputTransaction& operator=(const OutputTransaction&) = delete;
  OutputTransaction(OutputTransaction&&) = delete;
  OutputTransaction& operator=(OutputTransaction&&) = delete;

  // A file whose bytes become `target` at commit; `target` lies in one of
  // the transaction's folders. Throws IoFailure.
  ByteSink& stage(const std::filesystem::path& target);
  // A file of the run's own that is read back and never committed: made
  // like a staged file, under a name of its own, and removed at the end
  // (if its reader has not removed it). Gives its path. Throws IoFailure,
  // naming `target`.
  std::filesystem::path scratch(const std::filesystem::path& target, std::string_view bytes);
  // Replaces every target with its staged file. Throws IoFailure: before
  // the first rename nothing is replaced; after it, the journal stays and
  // the next run completes the replacement.
  void commit();

  // Tests only: called at each step of the transaction, so that a test
  // can end the process there.
  using StepHook = void (*)(std::string_view step);
  static void set_step_hook(StepHook hook);

 private:
  struct Folder {
    std::filesystem::path path;
    std::filesystem::path key;  // absolute and canonical, for comparing
    std::unique_ptr<FolderLock> lock;
  };
  const Folder& folder_of(const std::filesystem::path& target) const;
  void write_journals();
  void rename_all();
  void finish_folders();

  std::vector<Folder> folders_;
  std::vector<std::unique_ptr<StagedFile>> staged_;
  std::vector<std::unique_ptr<StagedFile>> scratch_;
};

}  // namespace tracciato
