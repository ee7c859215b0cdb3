#include "platform/zeroed_pages.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

namespace tracciato {
namespace {

constexpr std::size_t huge_page = std::size_t{1} << 21;
// From half a huge page up, one fault per huge page beats hundreds of
// small ones, at the price of at most half the block in unused memory.
constexpr std::size_t mapped_from = huge_page / 2;

}  // namespace

ZeroedPages::ZeroedPages(std::size_t bytes) {
  if (bytes < mapped_from) {
    // A small block comes from the heap, where the memory checkers see it.
    data_ = std::calloc(bytes == 0 ? 1 : bytes, 1);  // NOLINT(cppcoreguidelines-no-malloc)
    if (data_ == nullptr) throw std::bad_alloc();
    return;
  }
  // Whole huge pages, with room to start them on a huge-page boundary.
  const std::size_t whole = (bytes + huge_page - 1) / huge_page * huge_page;
  if (take_spare(whole, bytes)) return;
  mapped_ = whole + huge_page;
  mapping_ = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  std::size_t space = mapped_;
  data_ = mapping_;
  std::align(huge_page, whole, data_, space);
  // Only advice: where the system has no huge pages, ordinary ones serve.
  (void)::madvise(data_, whole, MADV_HUGEPAGE);
}

ZeroedPages::~ZeroedPages() {
  release();
}

// A run that compiles again and again (check, a fuzzer) would map and fault
// a fresh block for every plan. The last large block released is kept and
// cleared for the next one of a like size: clearing the part in use is
// cheaper than faulting new pages in.
namespace {

struct Spare {
  std::mutex lock;
  void* mapping = nullptr;
  std::size_t mapped = 0;
  void* data = nullptr;
};

Spare& spare() {
  static Spare kept;
  return kept;
}

}  // namespace

bool ZeroedPages::take_spare(std::size_t whole, std::size_t bytes) {
  Spare& kept = spare();
  const std::lock_guard<std::mutex> hold(kept.lock);
  const std::size_t kept_whole = kept.mapped - huge_page;
  if (kept.mapping == nullptr || kept_whole < whole || kept_whole > 2 * whole) return false;
  mapping_ = std::exchange(kept.mapping, nullptr);
  mapped_ = std::exchange(kept.mapped, 0);
  data_ = std::exchange(kept.data, nullptr);
  std::memset(data_, 0, bytes);
  return true;
}

void ZeroedPages::release() {
  if (mapped_ != 0) {
    Spare& kept = spare();
    const std::lock_guard<std::mutex> hold(kept.lock);
    if (kept.mapping != nullptr) (void)::munmap(kept.mapping, kept.mapped);
    kept.mapping = mapping_;
    kept.mapped = mapped_;
    kept.data = data_;
  } else {
    std::free(data_);  // NOLINT(cppcoreguidelines-no-malloc)
  }
  mapping_ = nullptr;
  mapped_ = 0;
  data_ = nullptr;
}

ZeroedPages::ZeroedPages(ZeroedPages&& other) noexcept
    : mapping_(std::exchange(other.mapping_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      data_(std::exchange(other.data_, nullptr)) {}

ZeroedPages& ZeroedPages::operator=(ZeroedPages&& other) noexcept {
  if (this != &other) {
    release();
    mapping_ = std::exchange(other.mapping_, nullptr);
    mapped_ = std::exchange(other.mapped_, 0);
    data_ = std::exchange(other.data_, nullptr);
  }
  return *this;
}

}  // namespace tracciato
