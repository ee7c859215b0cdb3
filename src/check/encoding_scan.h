#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "describe/field_reader.h"

namespace tracciato {

// A place where a description text is probably not Windows-1252, as it is
// read: a character written in UTF-8, whose bytes the reader takes for two
// to four other letters, or a byte the code page leaves unassigned.
struct EncodingSlip {
  LineColumn at;
  std::string message;
};

// The first slip of each line of `bytes`.
std::vector<EncodingSlip> encoding_slips(std::string_view bytes);

}  // namespace tracciato
