#include "compile/errors.h"

namespace tracciato {

void errore(const std::string& code) {
  throw BuildStopped(code);
}

}  // namespace tracciato
