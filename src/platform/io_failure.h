#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tracciato {

// A file the build could not read, create or write. It ends the run: the
// driver reports the path and the reason on one line.
class IoFailure : public std::runtime_error {
 public:
  IoFailure(std::filesystem::path path, const std::string& reason)
      : std::runtime_error(path.string() + ": " + reason), path_(std::move(path)) {}
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tracciato
