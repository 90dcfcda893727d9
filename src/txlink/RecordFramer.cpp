#include "txlink/RecordFramer.h"

#include <algorithm>

#include "txlink/RecordParser.h"

namespace txlink {

void RecordFramer::bytesArrived(std::string_view bytes, TimePoint now) {
    m_pending += bytes;
    if (m_pending.empty() || readyToDeliver()) {
        return;
    }
    if (!m_holdUntil) {
        m_holdUntil = now + m_timing.longestHold;
    }
    if (m_pending.size() % kRecordLength == 0) {
        markReady(m_pending.size(), now);
        return;
    }
    // Under a flood the wake-ups may never get their turn: the time of each read bounds the wait
    // too.
    if (now >= *m_holdUntil || m_pending.size() >= kMostWaiting) {
        markReady(wholeRecordsOrAll(), now);
        return;
    }
    m_quietUntil = now + m_timing.quietGap;
}

void RecordFramer::wake(TimePoint now, int unreadInDriver) {
    if (readyToDeliver() || m_pending.empty()) {
        return;
    }
    if (m_holdUntil && now >= *m_holdUntil) {
        markReady(wholeRecordsOrAll(), now);
        return;
    }
    if (m_quietUntil && now >= *m_quietUntil) {
        if (unreadInDriver > 0) {
            // Their arrival starts the gap again.
            m_quietUntil.reset();
            return;
        }
        markReady(m_pending.size(), now);
    }
}

std::optional<RecordFramer::TimePoint> RecordFramer::nextWake() const {
    if (readyToDeliver() || m_pending.empty()) {
        return std::nullopt;
    }
    if (m_quietUntil && m_holdUntil) {
        return std::min(*m_quietUntil, *m_holdUntil);
    }
    return m_quietUntil ? m_quietUntil : m_holdUntil;
}

std::string RecordFramer::takeText() {
    std::string text = m_pending.substr(0, m_readyLength);
    m_pending.erase(0, m_readyLength);
    m_readyLength = 0;
    if (m_pending.empty()) {
        m_quietUntil.reset();
        m_holdUntil.reset();
    }
    return text;
}

void RecordFramer::clear() {
    m_pending.clear();
    m_quietUntil.reset();
    m_holdUntil.reset();
    m_readyLength = 0;
}

// The partial record that stays behind waits afresh, from now.
void RecordFramer::markReady(std::size_t length, TimePoint now) {
    m_readyLength = length;
    if (length < m_pending.size()) {
        m_holdUntil = now + m_timing.longestHold;
        m_quietUntil = now + m_timing.quietGap;
    }
}

std::size_t RecordFramer::wholeRecordsOrAll() const {
    const std::size_t whole = m_pending.size() - m_pending.size() % kRecordLength;
    return whole > 0 ? whole : m_pending.size();
}

}  // namespace txlink
