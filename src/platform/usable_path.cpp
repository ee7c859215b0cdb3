#include "platform/usable_path.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace tracciato {

namespace fs = std::filesystem;

std::optional<std::string> unfit_input(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return "no such file";
  if (error) return "cannot be read: " + error.message();
  if (fs::is_directory(status)) return "is a folder, not a file";
  if (!fs::is_regular_file(status)) return "is not a regular file";
  // Opening is the one sure test of the permission to read.
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return "cannot be read: " + std::error_code(errno, std::generic_category()).message();
  }
  (void)std::fclose(file);
  if (fs::file_size(path, error) == 0 && !error) return "is empty";
  return std::nullopt;
}

std::optional<std::string> unfit_output(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return "is a folder, not a file";
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) return "its folder " + folder.string() + " does not exist";
  return std::nullopt;
}

bool same_file(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
  const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
  if (error) return false;
  const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
  return !error && first == second;
}

}  // namespace tracciato
