#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

bool lock(int descriptor, int how) {
  int result = 0;
  do {
    result = ::flock(descriptor, how);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

}  // namespace

// The lock is taken on the folder itself, not on a file in it: there is
// no lock file to leave behind or to be mistaken for an author's.
FolderLock::FolderLock(const std::filesystem::path& folder,
                       const std::function<void(const std::string&)>& waiting)
    : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (descriptor_ < 0) throw IoFailure(folder, "cannot write into the folder", last_failure());
  if (lock(descriptor_, LOCK_EX | LOCK_NB)) return;
  if (errno == EWOULDBLOCK && waiting) {
    waiting(folder.string() + ": waiting for another run that is writing into this folder");
  }
  if (errno == EWOULDBLOCK && lock(descriptor_, LOCK_EX)) return;
  const std::string reason = last_failure();
  (void)::close(descriptor_);
  throw IoFailure(folder, "cannot write into the folder", reason);
}

FolderLock::~FolderLock() {
  (void)::close(descriptor_);
}

}  // namespace tracciato
