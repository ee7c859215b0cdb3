#pragma once

#include <stdexcept>
#include <string>

#include "model/error_codes.h"
#include "platform/diagnostic.h"

namespace tracciato {

// The build stopped through `errore`: a reserved place of the compiled
// scenario was already in use. Nothing compiled is written after it. Its
// detail says which record took the place.
class BuildStopped : public std::runtime_error {
 public:
  explicit BuildStopped(std::string code, Diagnostic detail = {})
      : std::runtime_error(" Errore n. " + code),
        code_(std::move(code)),
        detail_(std::move(detail)) {}
  const std::string& code() const { return code_; }  // "1250" or "1251"
  const Diagnostic& detail() const { return detail_; }

 private:
  std::string code_;
  Diagnostic detail_;
};

// The reader left no track to compile (no cell 1): nothing compiled is
// written.
class NoTrack : public std::runtime_error {
 public:
  NoTrack() : std::runtime_error("no track to compile: the line description gave no cell 1") {}
};

// Ends the build with the message " Errore n. " followed by `code`.
[[noreturn]] void errore(const std::string& code);

// Ends the build with the stop code's message, and a diagnostic that names
// the code's meaning and carries `notes`.
[[noreturn]] void errore(ErrorCode code, std::vector<Note> notes);

}  // namespace tracciato
