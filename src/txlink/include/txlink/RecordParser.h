#pragma once

#include <cstddef>
#include <string_view>

#include "txlink/PanelDisplay.h"

namespace txlink {

inline constexpr std::size_t kRecordLength = 8;

enum class ParseResult {
    Applied,  // every record of the text was applied (or skipped as of no known kind)
    Refused,  // a record could not be applied; it and every later record were dropped
};

// Applies the records of one received text, in order, to the panel's display and repeat timers.
// The text is cut every 8 characters while at least two remain; nothing is carried over between
// calls. When a record cannot be applied, the steps of it that were done and the records before
// it stay applied.
//
// Each record also switches on the repeat timer of its kind. The repeat timers run from the
// panel's load and only a stop ends them, so this is nearly always a timer that runs already; it
// is kept because the transmitter's controller has always behaved so, it costs nothing (a running
// timer keeps its period) and it restarts a repeat timer after anything that stopped it.
[[nodiscard]] ParseResult applyRecords(std::string_view text, PanelDisplay& display,
                                       PanelTimers& timers);

}  // namespace txlink
