#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"

namespace tracciato::fuzz {

void broken(const char* invariant) {
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

}  // namespace tracciato::fuzz
