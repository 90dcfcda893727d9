#pragma once

#include "txlink/TimeOfDay.h"

namespace testsupport {

// A clock that says what the test sets.
class FakeClock final : public txlink::Clock {
public:
    txlink::TimeOfDay now() const override { return time; }
    void set(int hours, int minutes, int seconds) {
        time = txlink::TimeOfDay::fromHms(hours, minutes, seconds);
    }

    txlink::TimeOfDay time;
};

}  // namespace testsupport
