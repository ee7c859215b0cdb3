#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "describe/field_reader.h"

namespace tracciato {

// A place where a description text is probably not Windows-1252, as it is
// read: a character written in UTF-8, whose bytes the reader takes for two
// to four other letters, a byte the code page leaves unassigned, or a
// control character other than a tab or a line end, which no text shows.
struct EncodingSlip {
  LineColumn at;
  std::string message;
};

// Tells `slip` the first slip of each line of `bytes`, in order.
void scan_encoding(std::string_view bytes, const std::function<void(EncodingSlip)>& slip);
// The same, gathered.
std::vector<EncodingSlip> encoding_slips(std::string_view bytes);

}  // namespace tracciato
