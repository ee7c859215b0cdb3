#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace tracciato {

// The one right to write into a folder, held by one run at a time, so that
// two commands writing into one folder take turns and never interleave.
// The lock leaves nothing behind: the system drops it when the holder
// ends, however it ends. Throws IoFailure when the folder cannot be locked.
class FolderLock {
 public:
  // `waiting` hears one line when another run holds the lock first.
  FolderLock(const std::filesystem::path& folder,
             const std::function<void(const std::string&)>& waiting);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  FolderLock(FolderLock&&) = delete;
  FolderLock& operator=(FolderLock&&) = delete;

 private:
  int descriptor_ = -1;
};

}  // namespace tracciato
