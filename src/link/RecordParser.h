#pragma once

#include <string_view>

#include "MainDisplay.h"

namespace txlink {

inline constexpr std::size_t kRecordLength = 8;

// Applies the records of one received text, in order, to the main window's display and repeat
// timers. The text is cut every 8 characters while at least two remain; nothing is carried over
// between calls. Returns false when a record could not be applied: that record's remaining steps
// and every later record are dropped, and what was applied before stays.
bool applyRecords(std::string_view text, MainDisplay& display, Timers& timers);

}  // namespace txlink
