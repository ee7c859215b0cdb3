#pragma once

#include <new>

#include "driver/commands.h"
#include "platform/io_failure.h"
#include "readback/compiled_set.h"

namespace tracciato {

// The compiled scenario a command names.
inline CompiledPaths paths_of_source(const CompiledSource& source) {
  return source.files.empty() ? paths_in(source.folder, source.scenario, source.train_number)
                              : paths_of(source.files);
}

// Runs `work`, which reads compiled files, prints or writes its result and
// gives the exit status; files that cannot be found, read, decoded or told
// apart end it with one line, exit 3.
template <typename Work>
int reading_compiled(Work work) {
  try {
    return work();
  } catch (const IoFailure& failure) {
    return usage_failure(failure.what());
  } catch (const DecodeFailure& failure) {
    return usage_failure(failure.what());
  } catch (const UnclearFiles& failure) {
    return usage_failure(failure.what());
  } catch (const std::bad_alloc&) {
    return usage_failure("not enough memory to read the compiled files");
  }
}

}  // namespace tracciato
