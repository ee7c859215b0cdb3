#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Flushes standard output and standard error and tells whether everything
// a command printed reached them: a full disk behind a redirection, a
// closed stream or a failing device must not pass for success. Gives the
// failure as a line for standard error (which may fail itself), or
// nullopt when both streams took all.
std::optional<std::string> standard_stream_failure();

}  // namespace tracciato
