#include "platform/status_line.h"

#include <unistd.h>

namespace tracciato {

StatusLine::StatusLine(std::FILE* stream)
    : stream_(stream), terminal_(isatty(fileno(stream)) != 0) {}

void StatusLine::show_wait() {
  // The status line is a courtesy: a stream that fails takes nothing else down.
  (void)std::fputs(terminal_ ? "Attendere" : "Attendere\n", stream_);
  (void)std::fflush(stream_);
  shown_ = true;
}

void StatusLine::finish(const std::string& summary) {
  if (!shown_) return;
  (void)std::fprintf(stream_, terminal_ ? "\r\033[K%s\n" : "%s\n", summary.c_str());
  (void)std::fflush(stream_);
  shown_ = false;
}

void StatusLine::clear() {
  if (!shown_ || !terminal_) return;
  (void)std::fputs("\r\033[K", stream_);
  (void)std::fflush(stream_);
  shown_ = false;
}

void StatusLine::note(const std::string& line) {
  const bool shown = shown_;
  clear();
  show_message(line);
  if (shown && terminal_) {
    (void)std::fputs("Attendere", stream_);
    (void)std::fflush(stream_);
    shown_ = true;
  }
}

void show_message(const std::string& text) {
  (void)std::fprintf(stderr, "%s\n", text.c_str());
  (void)std::fflush(stderr);
}

}  // namespace tracciato
