#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tracciato {

// A file opened for reading that is known to be a regular file, of a size
// known before a byte is read. A FIFO, a device or a folder is refused as it
// is opened, without waiting: reading one could block for ever or never
// end. Every read stops at the size the file had when opened, and a file
// that ends sooner, or whose size has changed once read, is a failure:
// what was read is then no one state of the file. Throws IoFailure:
// "PATH: cannot open: ...", "PATH: cannot read: ...".
class RegularFile {
 public:
  explicit RegularFile(std::filesystem::path path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  RegularFile(RegularFile&&) = delete;
  RegularFile& operator=(RegularFile&&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The size when opened, in bytes.
  std::uint64_t size() const { return size_; }

  // One of the two reads, once: the file's first min(size(), limit) bytes,
  // read straight into the string,
  std::string read_at_most(std::uint64_t limit);
  // or the whole file, handed to `take` a run of at most 64 KB at a time,
  // for a reader that never holds all of it.
  void read_runs(const std::function<void(std::string_view)>& take);

 private:
  // Reads the next `count` bytes into `into`.
  void read_exactly(char* into, std::size_t count);
  // Fails unless the file's size is still the one it had when opened.
  void check_unchanged() const;

  std::filesystem::path path_;
  std::intptr_t handle_;  // the system's handle of the open file
  std::uint64_t size_ = 0;
  std::uint64_t read_ = 0;  // bytes read so far
};

}  // namespace tracciato
