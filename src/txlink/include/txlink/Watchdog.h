#pragma once

#include <optional>

#include "txlink/TimeOfDay.h"

namespace txlink {

// Four seconds or more without received text counts as the link being down.
inline constexpr int kSilenceLimitSeconds = 4;

// Nothing ever received means the link is down, whatever the time of day. The elapsed time runs
// forward through midnight, so a receive at 23:59:59 and a tick at 00:00:00 are one second apart.
constexpr bool linkIsDown(TimeOfDay tick, std::optional<TimeOfDay> lastReceive) {
    return !lastReceive || secondsBetween(*lastReceive, tick) >= kSilenceLimitSeconds;
}

}  // namespace txlink
