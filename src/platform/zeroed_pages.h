#pragma once

#include <cstddef>

namespace tracciato {

// A block of memory that starts out zero. A large block is mapped straight
// from the system, which gives it zeroed without a pass that writes them,
// and asks for huge pages: the first touch of fresh memory costs a fault per
// page, and a million-row track plan would otherwise pay thousands of them.
// Throws std::bad_alloc.
class ZeroedPages {
 public:
  ZeroedPages() = default;
  explicit ZeroedPages(std::size_t bytes);
  ~ZeroedPages();
  ZeroedPages(ZeroedPages&& other) noexcept;
  ZeroedPages& operator=(ZeroedPages&& other) noexcept;
  ZeroedPages(const ZeroedPages&) = delete;
  ZeroedPages& operator=(const ZeroedPages&) = delete;

  void* data() const { return data_; }

 private:
  void release();
  bool take_spare(std::size_t whole, std::size_t bytes);

  void* mapping_ = nullptr;
  std::size_t mapped_ = 0;
  void* data_ = nullptr;
};

}  // namespace tracciato
