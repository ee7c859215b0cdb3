#pragma once

#include <filesystem>

namespace tracciato {

// What an interruption (SIGINT, SIGTERM, SIGHUP, or their kin elsewhere)
// does while a command writes: before the commit, the files it has staged
// are removed and the process ends as the signal asks; during the commit,
// the signal waits until the commit is done. A signal the process was
// started to ignore stays ignored.

// `path` is removed if the process is interrupted. Registered before the
// file is made, so that no moment leaves it unregistered.
void remove_if_interrupted(const std::filesystem::path& path);
// `path` is no longer removed: it was moved into place or removed already.
void keep_if_interrupted(const std::filesystem::path& path);

// While one lives, an interruption waits; it takes effect when the last
// one ends.
class InterruptionDeferred {
 public:
  InterruptionDeferred();
  ~InterruptionDeferred();
  InterruptionDeferred(const InterruptionDeferred&) = delete;
  InterruptionDeferred& operator=(const InterruptionDeferred&) = delete;
  InterruptionDeferred(InterruptionDeferred&&) = delete;
  InterruptionDeferred& operator=(InterruptionDeferred&&) = delete;
};

}  // namespace tracciato
