#include "platform/interruption.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace tracciato {
namespace {

// The handler may only use what a signal handler can: plain memory and the
// system's own calls. The paths therefore live in fixed buffers; a path too
// long for one, or one past the last slot, is left to the next run to
// clean up, as after a power cut.
constexpr std::size_t slot_count = 32;
constexpr std::size_t slot_bytes = 4096;

struct Slot {
  std::array<char, slot_bytes> path{};
  volatile sig_atomic_t used = 0;
};
// A signal handler can reach nothing but globals.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::array<Slot, slot_count> slots;

constexpr std::array<int, 3> interruptions = {SIGINT, SIGTERM, SIGHUP};
bool handlers_installed = false;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
int deferred_depth = 0;           // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void on_interruption(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.used != 0) (void)::unlink(slot.path.data());
  }
  // End as the signal would have ended the process, so that a caller sees
  // the same status as without the handler.
  (void)::signal(signal_number, SIG_DFL);
  (void)::raise(signal_number);
}

void install_handlers() {
  if (handlers_installed) return;
  handlers_installed = true;
  for (const int signal_number : interruptions) {
    struct sigaction old {};
    if (::sigaction(signal_number, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = on_interruption;
    (void)::sigemptyset(&action.sa_mask);
    for (const int other : interruptions) (void)::sigaddset(&action.sa_mask, other);
    (void)::sigaction(signal_number, &action, nullptr);
  }
}

sigset_t interruption_set() {
  sigset_t set;
  (void)::sigemptyset(&set);
  for (const int signal_number : interruptions) (void)::sigaddset(&set, signal_number);
  return set;
}

}  // namespace

void remove_if_interrupted(const std::filesystem::path& path) {
  install_handlers();
  const std::string& text = path.native();
  if (text.size() >= slot_bytes) return;
  for (Slot& slot : slots) {
    if (slot.used != 0) continue;
    std::memcpy(slot.path.data(), text.c_str(), text.size() + 1);
    // The path is whole before the handler may read it.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    slot.used = 1;
    return;
  }
}

void keep_if_interrupted(const std::filesystem::path& path) {
  for (Slot& slot : slots) {
    if (slot.used != 0 && path.native() == slot.path.data()) {
      slot.used = 0;
      return;
    }
  }
}

InterruptionDeferred::InterruptionDeferred() {
  if (deferred_depth++ > 0) return;
  const sigset_t set = interruption_set();
  (void)::sigprocmask(SIG_BLOCK, &set, nullptr);
}

InterruptionDeferred::~InterruptionDeferred() {
  if (--deferred_depth > 0) return;
  const sigset_t set = interruption_set();
  (void)::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace tracciato
