#pragma once

#include "txlink/TimeOfDay.h"

namespace platform {

class SystemClock final : public txlink::Clock {
public:
    txlink::TimeOfDay now() const override;
};

}  // namespace platform
