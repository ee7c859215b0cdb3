#pragma once

#include "describe/reading_context.h"

namespace tracciato {

// The line half of the reader: finds [generale], reads the general records,
// orders the progressives, then the feature records, and closes with the
// gradient tail and the straight end of the plan. Throws ReadFailure.
ReadOutcome read_line_description(ReadingContext& context);

}  // namespace tracciato
