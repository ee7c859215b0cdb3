#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tracciato {

// A file the build could not read, create or write. It ends the run: the
// driver reports "PATH: ACTION: CAUSE" on one line.
class IoFailure : public std::runtime_error {
 public:
  // action: "cannot open", "cannot write", ...; cause: what the system said.
  IoFailure(std::filesystem::path path, const std::string& action, const std::string& cause)
      : std::runtime_error(path.string() + ": " + action + ": " + cause),
        path_(std::move(path)),
        action_(action),
        cause_(cause) {}
  const std::filesystem::path& path() const { return path_; }
  const std::string& action() const { return action_; }
  const std::string& cause() const { return cause_; }

 private:
  std::filesystem::path path_;
  std::string action_;
  std::string cause_;
};

}  // namespace tracciato
