#include "platform/replace_file.h"

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

}  // namespace

void replace_file(const std::filesystem::path& target, std::string_view bytes,
                  const OutputTransaction::Notice& notice) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  OutputTransaction transaction({folder}, notice);
  transaction.stage(target).write(bytes);
  transaction.commit();
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
