#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/byte_sink.h"

namespace tracciato {

// A file made beside its target under a fresh name of its own, to be
// renamed over the target once every file of the output is ready. The name
// is short and new each time (".tracciato-<16 hex digits>.tmp"), and the
// file is created exclusively, without following a link: it can never open
// a file that already stands there, an author's file or a link planted to
// one, and a target whose name is near the longest a folder allows still
// has room beside it. Until it is moved into place, the file is removed
// when dropped, and when a signal ends the process. Throws IoFailure,
// naming the target.
class StagedFile final : public ByteSink {
 public:
  explicit StagedFile(std::filesystem::path target);
  ~StagedFile() override;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  StagedFile(StagedFile&&) = delete;
  StagedFile& operator=(StagedFile&&) = delete;

  void write(std::string_view bytes) override;
  // Closes the file, first giving it the mode of the file it replaces and,
  // when `durable`, syncing its bytes to the disk.
  void finish(bool durable);
  // The file was renamed into place, or removed by someone else: it is no
  // longer this object's to remove.
  void release();

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  [[noreturn]] void fail(const std::string& action, const std::string& reason);
  void close_quietly();

  std::filesystem::path target_;
  std::filesystem::path path_;
  int descriptor_ = -1;
  bool owned_ = true;
};

// Whether a file name has the form of a staged file's.
bool is_staged_file_name(std::string_view name);

}  // namespace tracciato
