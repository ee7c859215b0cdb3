#pragma once

// A small disk of its own for one test: a tmpfs mounted on a fresh folder,
// so that a test can fill it up. Mounting needs root; a test without it
// skips, saying so.
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_folder.h"

namespace tracciato::testing {

class SmallDisk {
 public:
  // `options`: "size=1m", "ro", ...
  explicit SmallDisk(const std::string& options) {
    mounted_ = ::geteuid() == 0 &&
               ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) (void)::umount2(folder_.path().c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const TempFolder& folder() const { return folder_; }

  // Fills the disk but for `pages` pages of 4 KB.
  void leave_free(std::uintmax_t pages) const {
    const std::filesystem::path filler = folder_ / ".filler";
    std::filesystem::remove(filler);
    const std::uintmax_t free = std::filesystem::space(folder_.path()).available;
    const std::uintmax_t keep = pages * 4096;
    std::ofstream(filler, std::ios::binary) << std::string(free > keep ? free - keep : 0, '\0');
  }

 private:
  TempFolder folder_;
  bool mounted_ = false;
};

}  // namespace tracciato::testing
