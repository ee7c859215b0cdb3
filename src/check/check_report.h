#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "check/finding_tally.h"
#include "platform/byte_sink.h"
#include "platform/diagnostic.h"

namespace tracciato {

// What `check` prints, in the form a person reads, as it is written: every
// diagnostic as compilers print it; after the last shown warning of a name
// that has more than the limit, one line
//   N more -WNAME warnings not shown (--max-warnings 0 shows all)
// and, when `summary`, a summary line that counts them all ("1 error, 2
// warnings"). compile prints its warnings so, without the summary.
void write_findings_text(const ShownFindings& shown, ByteSink& out, bool summary = true);

// The same for programs: a JSON array of objects with "severity", "code"
// (errors), "name" (warnings), "file", "line", "column", "position_m",
// "message" and "notes". Where the text has its "N more" line stands an
// object of severity "note" with the warning's "name", that line as its
// "message", and "not_shown": N.
void write_findings_json(const ShownFindings& shown, ByteSink& out);

// The two forms of diagnostics already gathered, whole, as strings.
std::string check_report_text(const std::vector<Diagnostic>& found);
std::string check_report_json(const std::vector<Diagnostic>& found);

// Writes to a standard stream, as it is given the bytes.
class StreamSink final : public ByteSink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  void write(std::string_view bytes) override {
    (void)std::fwrite(bytes.data(), 1, bytes.size(), stream_);
  }

 private:
  std::FILE* stream_;
};

}  // namespace tracciato
