#pragma once

#include <filesystem>
#include <type_traits>

#include "platform/output_transaction.h"

namespace tracciato::testing {

// Runs `stage` inside an output transaction over `folder` and commits what
// it staged, as a command does; gives what `stage` gave.
template <typename Stage>
auto written_into(const std::filesystem::path& folder, Stage stage) {
  OutputTransaction output({folder}, nullptr);
  if constexpr (std::is_void_v<decltype(stage(output))>) {
    stage(output);
    output.commit();
  } else {
    auto result = stage(output);
    output.commit();
    return result;
  }
}

}  // namespace tracciato::testing
