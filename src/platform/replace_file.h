#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/byte_sink.h"

namespace tracciato {

// A file that takes the place of `target` whole, or not at all. The bytes
// go to a temporary file in the same folder, which commit() renames over
// the target: a failed or interrupted write never leaves a truncated file
// where a complete one stood, and a replacement dropped before commit()
// removes its temporary. Throws IoFailure.
class ReplacingFile final : public ByteSink {
 public:
  explicit ReplacingFile(std::filesystem::path target);
  ~ReplacingFile() override;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ReplacingFile(ReplacingFile&&) = delete;
  ReplacingFile& operator=(ReplacingFile&&) = delete;

  void write(std::string_view bytes) override;
  void commit();

 private:
  [[noreturn]] void fail(const std::string& reason);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int descriptor_ = -1;
};

// Makes `target` hold exactly `bytes`, as ReplacingFile does.
void replace_file(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file. Throws IoFailure.
std::string read_file(const std::filesystem::path& path);

}  // namespace tracciato
