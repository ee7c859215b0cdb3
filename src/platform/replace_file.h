#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/output_transaction.h"

namespace tracciato {

// Makes `target` hold exactly `bytes`, replacing it whole or not at all:
// an output transaction of one file. Throws IoFailure.
void replace_file(const std::filesystem::path& target, std::string_view bytes,
                  const OutputTransaction::Notice& notice = nullptr);

// Reads a whole regular file, as RegularFile does. Throws IoFailure.
std::string read_file(const std::filesystem::path& path);

}  // namespace tracciato
