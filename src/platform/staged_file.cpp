#include "platform/staged_file.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#include "platform/file_system.h"
#include "platform/interruption.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

constexpr std::string_view staged_prefix = ".tracciato-";
constexpr std::string_view staged_suffix = ".tmp";
constexpr std::size_t staged_digits = 16;

// A name no other run is likely to pick: 64 random bits. A clash is still
// harmless, since the file is created exclusively; it only costs a retry.
std::string fresh_name() {
  static std::mt19937_64 bits(std::random_device{}());
  static constexpr std::string_view digits = "0123456789abcdef";
  std::uint64_t value = bits();
  std::string name(staged_prefix);
  for (std::size_t i = 0; i < staged_digits; ++i, value >>= 4U) name += digits[value & 0xFU];
  return name += staged_suffix;
}

std::filesystem::path folder_of(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

bool is_staged_file_name(std::string_view name) {
  if (name.size() != staged_prefix.size() + staged_digits + staged_suffix.size()) return false;
  if (!name.starts_with(staged_prefix) || !name.ends_with(staged_suffix)) return false;
  const std::string_view digits = name.substr(staged_prefix.size(), staged_digits);
  return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

StagedFile::StagedFile(std::filesystem::path target) : target_(std::move(target)) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    path_ = folder_of(target_) / fresh_name();
    remove_if_interrupted(path_);
    errno = 0;
    descriptor_ = create_exclusive(path_);
    if (descriptor_ >= 0) return;
    const int reason = errno;
    keep_if_interrupted(path_);
    if (reason != EEXIST) {
      errno = reason;
      owned_ = false;
      throw IoFailure(target_, "cannot create", last_failure());
    }
  }
  owned_ = false;
  throw IoFailure(target_, "cannot create", "no free name for a temporary file");
}

StagedFile::~StagedFile() {
  close_quietly();
  if (!owned_) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  keep_if_interrupted(path_);
}

void StagedFile::write(std::string_view bytes) {
  if (!write_all(descriptor_, bytes)) fail("cannot write", last_failure());
}

void StagedFile::finish(bool durable) {
  if (!copy_mode(descriptor_, target_)) fail("cannot write", last_failure());
  if (durable && !sync_descriptor(descriptor_)) fail("cannot write", last_failure());
  errno = 0;
  const int descriptor = descriptor_;
  descriptor_ = -1;
  // A close can report a write the system deferred, as on a network disk.
  if (!close_descriptor(descriptor)) fail("cannot write", last_failure());
}

void StagedFile::release() {
  if (owned_) keep_if_interrupted(path_);
  owned_ = false;
}

void StagedFile::fail(const std::string& action, const std::string& reason) {
  close_quietly();
  throw IoFailure(target_, action, reason);
}

void StagedFile::close_quietly() {
  if (descriptor_ < 0) return;
  (void)close_descriptor(descriptor_);
  descriptor_ = -1;
}

}  // namespace tracciato
