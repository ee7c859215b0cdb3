#include "compile/errors.h"

namespace tracciato {

void errore(const std::string& code) {
  throw BuildStopped(code);
}

void errore(ErrorCode code, std::vector<Note> notes) {
  const ErrorCodeInfo& info = error_code_info(code);
  Diagnostic detail;
  detail.code = number_of(code);
  detail.message = std::string(info.meaning);
  detail.notes = std::move(notes);
  throw BuildStopped(std::to_string(number_of(code)), std::move(detail));
}

}  // namespace tracciato
