#include "txlink/TransmitTimeout.h"

namespace txlink {

void TransmitTimeout::setLimit(std::optional<std::chrono::seconds> limit) {
    m_limit = limit;
    reset();
}

void TransmitTimeout::reset() {
    m_onSince.reset();
    m_switchedOffAt.reset();
    m_toldStillOn = false;
}

TransmitTimeout::Action TransmitTimeout::update(std::optional<bool> reportedOn, bool linkUp,
                                                MonotonicTime now) {
    if (!m_limit || reportedOn != true || !linkUp) {
        reset();
        return Action::None;
    }
    if (!m_onSince) {
        m_onSince = now;
    }
    if (m_toldStillOn) {
        return Action::None;
    }
    if (m_switchedOffAt) {
        if (now - *m_switchedOffAt < kStillOnAfter) {
            return Action::None;
        }
        m_toldStillOn = true;
        return Action::StillOn;
    }
    if (now - *m_onSince < *m_limit) {
        return Action::None;
    }
    m_switchedOffAt = now;
    return Action::SwitchOff;
}

}  // namespace txlink
