#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tracciato {

int create_exclusive(const std::filesystem::path& path) {
  // O_EXCL with O_CREAT fails on any name that stands, a link included;
  // O_NOFOLLOW says the same again for systems that would follow one.
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool write_all(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    errno = 0;
    const ssize_t n = ::write(descriptor, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (errno == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool sync_descriptor(int descriptor) {
  return ::fsync(descriptor) == 0;
}

bool close_descriptor(int descriptor) {
  return ::close(descriptor) == 0;
}

bool copy_mode(int descriptor, const std::filesystem::path& model) {
  struct stat old {};
  if (::stat(model.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;
  return ::fchmod(descriptor, old.st_mode & 07777) == 0;
}

bool sync_folder(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = ::fsync(descriptor) == 0;
  const int saved = errno;
  (void)::close(descriptor);
  errno = saved;
  return synced;
}

bool rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string last_failure() {
  return errno != 0 ? std::strerror(errno) : "unknown failure";
}

}  // namespace tracciato
