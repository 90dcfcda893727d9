#pragma once

#include <chrono>
#include <optional>

#include "txlink/Clock.h"

namespace txlink {

// The transmit time-out: a backstop for a carrier that nobody switches off, such as one keyed
// through a chain of servers whose client has long gone. When the transmitter has reported the
// carrier on, on a link that is up, for the limit without a break, the carrier is to be switched
// off once. The transmitter knows only "toggle", so that toggle is never repeated: if the
// carrier is still reported on kStillOnAfter later, the operator is told instead, since a second
// blind toggle could be the one that keys it. A report of the carrier off, or a link down, is a
// break that starts the count afresh.
class TransmitTimeout {
public:
    static constexpr std::chrono::seconds kStillOnAfter{2};

    enum class Action {
        None,
        SwitchOff,  // send one toggle now
        StillOn,    // the toggle did not take: say so, and send nothing
    };

    // Off when empty.
    void setLimit(std::optional<std::chrono::seconds> limit);
    std::optional<std::chrono::seconds> limit() const { return m_limit; }

    // A report arrived or time passed.
    Action update(std::optional<bool> reportedOn, bool linkUp, MonotonicTime now);

private:
    void reset();

    std::optional<std::chrono::seconds> m_limit;
    std::optional<MonotonicTime> m_onSince;
    std::optional<MonotonicTime> m_switchedOffAt;
    bool m_toldStillOn = false;
};

}  // namespace txlink
