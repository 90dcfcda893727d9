#include "txlink/RecordFramer.h"

#include <algorithm>

#include "txlink/RecordParser.h"

namespace txlink {

void RecordFramer::bytesArrived(std::string_view bytes, TimePoint now) {
    m_pending += bytes;
    if (m_pending.empty() || m_ready) {
        return;
    }
    if (!m_holdUntil) {
        m_holdUntil = now + m_timing.longestHold;
    }
    // Whole records go at once, at the next turn of the caller's event loop.
    const bool wholeRecords = m_pending.size() % kRecordLength == 0;
    m_quietUntil = wholeRecords ? now : now + m_timing.quietGap;
}

void RecordFramer::wake(TimePoint now, int unreadInDriver) {
    if (m_ready || m_pending.empty()) {
        return;
    }
    if (m_holdUntil && now >= *m_holdUntil) {
        m_ready = true;
        return;
    }
    if (m_quietUntil && now >= *m_quietUntil) {
        if (unreadInDriver > 0) {
            // Their arrival starts the gap again.
            m_quietUntil.reset();
            return;
        }
        m_ready = true;
    }
}

std::optional<RecordFramer::TimePoint> RecordFramer::nextWake() const {
    if (m_ready || m_pending.empty()) {
        return std::nullopt;
    }
    if (m_quietUntil && m_holdUntil) {
        return std::min(*m_quietUntil, *m_holdUntil);
    }
    return m_quietUntil ? m_quietUntil : m_holdUntil;
}

std::string RecordFramer::takeText() {
    std::string text = std::move(m_pending);
    clear();
    return text;
}

void RecordFramer::clear() {
    m_pending.clear();
    m_quietUntil.reset();
    m_holdUntil.reset();
    m_ready = false;
}

}  // namespace txlink
