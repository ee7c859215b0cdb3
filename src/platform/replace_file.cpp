#include "platform/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/io_failure.h"

namespace tracciato {
namespace {

std::string last_reason() {
  return errno != 0 ? std::strerror(errno) : "unknown failure";
}

std::filesystem::path temporary_for(const std::filesystem::path& target) {
  std::filesystem::path temporary = target;
  temporary += ".partial";
  return temporary;
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : target_(std::move(target)),
      temporary_(temporary_for(target_)),
      descriptor_(
          (errno = 0, ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))) {
  if (descriptor_ < 0) throw IoFailure(target_, "cannot create", last_reason());
}

ReplacingFile::~ReplacingFile() {
  if (descriptor_ < 0) return;
  (void)::close(descriptor_);
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

void ReplacingFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    errno = 0;
    const ssize_t n = ::write(descriptor_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail(last_reason());
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void ReplacingFile::commit() {
  errno = 0;
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  std::error_code error;
  if (closed == 0) std::filesystem::rename(temporary_, target_, error);
  if (closed == 0 && !error) return;
  const std::string reason = closed != 0 ? last_reason() : error.message();
  std::filesystem::remove(temporary_, error);
  throw IoFailure(target_, "cannot write", reason);
}

void ReplacingFile::fail(const std::string& reason) {
  (void)::close(descriptor_);
  descriptor_ = -1;
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
  throw IoFailure(target_, "cannot write", reason);
}

void replace_file(const std::filesystem::path& target, std::string_view bytes) {
  ReplacingFile file(target);
  file.write(bytes);
  file.commit();
}

std::string read_file(const std::filesystem::path& path) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw IoFailure(path, "cannot open", last_reason());
  std::string bytes;
  // Sized once from the file's length, so that a large file is not copied
  // over and over as the string grows; the loop still reads to the true end.
  std::error_code size_error;
  const auto size = std::filesystem::file_size(path, size_error);
  if (!size_error) bytes.reserve(static_cast<std::size_t>(size));
  std::array<char, 65536> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    bytes.append(buffer.data(), n);
  }
  const bool failed = std::ferror(file) != 0;
  (void)std::fclose(file);  // read only: nothing is lost when closing fails
  if (failed) throw IoFailure(path, "cannot read", last_reason());
  return bytes;
}

}  // namespace tracciato
