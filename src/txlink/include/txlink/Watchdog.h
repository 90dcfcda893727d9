#pragma once

#include <chrono>
#include <optional>

#include "txlink/Clock.h"

namespace txlink {

// Four seconds or more without received text counts as the link being down; nothing ever
// received, too.
inline constexpr std::chrono::seconds kSilenceLimit{4};

constexpr bool linkIsDown(MonotonicTime tick, std::optional<MonotonicTime> lastReceive) {
    return !lastReceive || tick - *lastReceive >= kSilenceLimit;
}

}  // namespace txlink
