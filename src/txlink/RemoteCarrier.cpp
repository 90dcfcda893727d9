#include "txlink/RemoteCarrier.h"

#include <algorithm>

namespace txlink {

Result<bool> RemoteCarrier::request(bool on, Requester requester, const CarrierFacts& facts) {
    if (!facts.linkUp) {
        return Error{error::kLinkDown, "the transmitter is not being heard"};
    }
    if (!facts.reportedOn) {
        return Error{error::kCarrierUnknown, "no status record has reported the carrier yet"};
    }
    if (on) {
        // A carrier keyed at the panel is the operator's: no program holds it.
        const bool keyedAtPanel =
            !m_toggleLeadsTo && *facts.reportedOn && m_holders.empty() && m_wanted != true;
        if (!keyedAtPanel && !holds(requester)) {
            m_holders.push_back(requester);
        }
    } else {
        m_holders.clear();
    }
    m_wanted = on;
    return step(facts);
}

bool RemoteCarrier::release(Requester requester, const CarrierFacts& facts) {
    const auto held = std::find(m_holders.begin(), m_holders.end(), requester);
    if (held == m_holders.end()) {
        return false;
    }
    m_holders.erase(held);
    if (!m_holders.empty()) {
        return false;
    }
    m_wanted = false;
    return step(facts);
}

bool RemoteCarrier::releaseAll(const CarrierFacts& facts) {
    if (m_holders.empty()) {
        return false;
    }
    m_holders.clear();
    m_wanted = false;
    return step(facts);
}

bool RemoteCarrier::update(const CarrierFacts& facts) {
    return step(facts);
}

void RemoteCarrier::toggleNotSent() {
    m_toggleLeadsTo.reset();
    m_wanted.reset();
}

bool RemoteCarrier::holds(Requester requester) const {
    return std::find(m_holders.begin(), m_holders.end(), requester) != m_holders.end();
}

bool RemoteCarrier::step(const CarrierFacts& facts) {
    if (m_toggleLeadsTo) {
        if (facts.reportedOn == m_toggleLeadsTo) {
            m_toggleLeadsTo.reset();
        } else if (facts.now - m_toggleSentAt >= kReportPatience) {
            // No report has shown the toggle's effect: a second toggle could undo it unseen, so
            // the request is given up and the last report stands.
            m_toggleLeadsTo.reset();
            m_wanted.reset();
        } else {
            return false;
        }
    }
    if (m_wanted == true && (!facts.linkUp || !facts.reportedOn)) {
        m_wanted.reset();
    }
    if (facts.reportedOn == false && m_wanted != true) {
        m_holders.clear();  // switched off, whoever did it: nothing is held any more
    }
    if (!m_wanted || !facts.linkUp || !facts.reportedOn) {
        return false;
    }
    if (*facts.reportedOn == *m_wanted) {
        m_wanted.reset();
        return false;
    }
    m_toggleLeadsTo = m_wanted;
    m_toggleSentAt = facts.now;
    return true;
}

}  // namespace txlink
