#pragma once

#include <chrono>

namespace txlink {

// Time that only goes forward: the panel measures silences and gaps with it, never with the time
// of day, so midnight and clock steps (NTP, a manual change) do not move them.
using MonotonicTime = std::chrono::steady_clock::time_point;

class Clock {
public:
    virtual ~Clock() = default;
    virtual MonotonicTime now() const = 0;
};

}  // namespace txlink
