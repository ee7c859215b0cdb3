#pragma once

#include <cstdio>
#include <string>

namespace tracciato {

// The build's window: "Attendere" on standard error while the build runs.
// On a terminal the word is replaced by a one-line summary at the end;
// elsewhere, as in a log, the word is a line of its own and the summary
// follows on the next.
class StatusLine {
 public:
  explicit StatusLine(std::FILE* stream = stderr);
  void show_wait();
  void finish(const std::string& summary);
  // Takes the wait word off a terminal line before another message.
  void clear();
  // A line of its own while the wait word stands, which then stands again.
  void note(const std::string& line);

 private:
  std::FILE* stream_;
  bool terminal_;
  bool shown_ = false;
};

// The message box: one line on standard error.
void show_message(const std::string& text);

}  // namespace tracciato
