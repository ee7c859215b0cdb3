#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/io_failure.h"

namespace tracciato {
namespace {

constexpr std::size_t run_size = 65536;

std::string last_reason() {
  return errno != 0 ? std::strerror(errno) : "unknown failure";
}

int descriptor(std::intptr_t handle) {
  return static_cast<int>(handle);
}

// Opens without waiting: a FIFO with no writer would otherwise hold open()
// until one comes, and a terminal would become the controlling one.
std::intptr_t open_for_reading(const std::filesystem::path& path) {
  errno = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw IoFailure(path, "cannot open", last_reason());
  return fd;
}

// The size of the open file, refusing all but a regular file. A folder is
// refused as reading one always was, by the system's own words.
std::uint64_t regular_size(const std::filesystem::path& path, std::intptr_t handle) {
  struct stat status {};
  errno = 0;
  if (::fstat(descriptor(handle), &status) != 0) {
    throw IoFailure(path, "cannot read", last_reason());
  }
  if (S_ISDIR(status.st_mode)) throw IoFailure(path, "cannot read", std::strerror(EISDIR));
  if (!S_ISREG(status.st_mode)) throw IoFailure(path, "cannot read", "is not a regular file");
  return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace

RegularFile::RegularFile(std::filesystem::path path)
    : path_(std::move(path)), handle_(open_for_reading(path_)) {
  try {
    size_ = regular_size(path_, handle_);
  } catch (...) {
    (void)::close(descriptor(handle_));
    throw;
  }
}

RegularFile::~RegularFile() {
  (void)::close(descriptor(handle_));  // read only: nothing is lost when closing fails
}

std::string RegularFile::read_at_most(std::uint64_t limit) {
  const std::uint64_t count = std::min(size_ - read_, limit);
  if (count > std::numeric_limits<std::size_t>::max()) {
    throw IoFailure(path_, "cannot read", "the file is too large for this system's memory");
  }
  std::string bytes(static_cast<std::size_t>(count), '\0');
  read_exactly(bytes.data(), bytes.size());
  if (read_ == size_) check_unchanged();
  return bytes;
}

void RegularFile::read_runs(const std::function<void(std::string_view)>& take) {
  std::vector<char> run(static_cast<std::size_t>(std::min<std::uint64_t>(size_, run_size)));
  while (read_ < size_) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size_ - read_, run_size));
    read_exactly(run.data(), count);
    take({run.data(), count});
  }
  check_unchanged();
}

void RegularFile::read_exactly(char* into, std::size_t count) {
  while (count > 0) {
    errno = 0;
    const ::ssize_t n = ::read(descriptor(handle_), into, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw IoFailure(path_, "cannot read", last_reason());
    if (n == 0) {
      throw IoFailure(path_, "cannot read",
                      "the file ended after " + std::to_string(read_) + " of its " +
                          std::to_string(size_) + " bytes");
    }
    const auto got = static_cast<std::size_t>(n);
    into += got;
    count -= got;
    read_ += got;
  }
}

void RegularFile::check_unchanged() const {
  struct stat status {};
  errno = 0;
  if (::fstat(descriptor(handle_), &status) != 0) {
    throw IoFailure(path_, "cannot read", last_reason());
  }
  const auto now = static_cast<std::uint64_t>(status.st_size);
  if (now != size_) {
    throw IoFailure(path_, "cannot read",
                    "the file's size changed from " + std::to_string(size_) + " to " +
                        std::to_string(now) + " bytes while it was read");
  }
}

}  // namespace tracciato
