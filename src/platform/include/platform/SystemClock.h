#pragma once

#include "txlink/Clock.h"

namespace platform {

class SystemClock final : public txlink::Clock {
public:
    txlink::MonotonicTime now() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace platform
