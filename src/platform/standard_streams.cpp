#include "platform/standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tracciato {

std::optional<std::string> standard_stream_failure() {
  // The stream keeps its error flag, not its reason: errno still holds the
  // reason of the failed write when nothing has failed since.
  const int earlier = errno;
  const bool output_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  const int reason = errno != 0 ? errno : earlier;
  const bool errors_failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
  if (output_failed) {
    return std::string("cannot write the standard output: ") +
           (reason != 0 ? std::strerror(reason) : "a write failed");
  }
  if (errors_failed) return std::string("cannot write the standard error");
  return std::nullopt;
}

}  // namespace tracciato
