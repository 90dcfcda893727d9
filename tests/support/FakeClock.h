#pragma once

#include <chrono>

#include "txlink/Clock.h"

namespace testsupport {

// A clock that says what the test sets, counted from an origin of its own.
class FakeClock final : public txlink::Clock {
public:
    txlink::MonotonicTime now() const override { return time; }
    void set(std::chrono::milliseconds sinceOrigin) {
        time = txlink::MonotonicTime{} + sinceOrigin;
    }
    void set(int hours, int minutes, int seconds) {
        set(std::chrono::hours(hours) + std::chrono::minutes(minutes) +
            std::chrono::seconds(seconds));
    }

    txlink::MonotonicTime time;
};

}  // namespace testsupport
