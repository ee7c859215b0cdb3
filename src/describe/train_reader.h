#pragma once

#include "describe/reading_context.h"

namespace tracciato {

// The train half of the reader: general values, speed and adhesion
// profiles, stations, abbattimento points, signals and slowdowns, then the
// fills to the end of the track and the check of the progressives.
// Throws ReadFailure or IoFailure.
ReadOutcome read_train_description(ReadingContext& context);

}  // namespace tracciato
