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
[[nodiscard]] ParseResult applyRecords(std::string_view text, PanelDisplay& display,
                                       PanelTimers& timers);

}  // namespace txlink
