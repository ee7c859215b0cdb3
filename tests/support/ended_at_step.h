#pragma once

// Runs a piece of work that writes in a child process, which ends at one
// step of its output transaction: at once, as a kill or a power cut ends
// it (signal 0, exit status 42), or by the signal it sends itself.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <string_view>

#include "platform/output_transaction.h"

namespace tracciato::testing {

inline std::string& step_to_end_at() {
  static std::string step;
  return step;
}
inline int& signal_to_end_by() {
  static int signal_number = 0;
  return signal_number;
}

inline void end_here(std::string_view step) {
  if (step != step_to_end_at()) return;
  if (signal_to_end_by() == 0) ::_exit(42);
  (void)::raise(signal_to_end_by());
}

// The wait status of the child that ran `work`.
template <typename Work>
int ended_at_step(const std::string& step, int signal_number, Work work) {
  const pid_t child = ::fork();
  if (child == 0) {
    step_to_end_at() = step;
    signal_to_end_by() = signal_number;
    OutputTransaction::set_step_hook(end_here);
    work();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

}  // namespace tracciato::testing
