#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "txlink/Clock.h"
#include "txlink/Result.h"

namespace txlink {

namespace error {
// Refusals of a carrier request from another program; never shown in the start-up box.
inline constexpr int kLinkDown = 8101;        // the link is down: the watchdog's silence limit
inline constexpr int kCarrierUnknown = 8102;  // no status record since the window loaded
}  // namespace error

// What the panel knows of the carrier when a request from another program is weighed.
struct CarrierFacts {
    std::optional<bool> reportedOn;  // as the last status record said; empty before the first
    bool linkUp = false;
    MonotonicTime now;
};

// Decides when a carrier request from another program (a logger, a digital-mode program) may
// send the transmitter's one carrier command, the toggle. The toggle goes out only to reach a
// state that differs from the last report, never while the state is unknown or the link is down,
// and never twice for one change: after a toggle nothing more goes out until a status record
// shows its effect, or until kReportPatience has passed without one.
//
// Programs that keyed the carrier are its holders. When the last holder goes without unkeying,
// the carrier is switched off, as soon as a report allows it. Switching off is kept wanted across
// a silent link; switching on never is, so a transmitter that comes back is never keyed by an
// old request.
//
// It owns no clock and sends nothing: each call returns whether the caller must send one toggle
// now, and the caller reports a toggle that could not be sent.
class RemoteCarrier {
public:
    using Requester = std::uint64_t;
    // The operator at the panel; programs are numbered from 1.
    static constexpr Requester kOperator = 0;

    // The transmitter answers a toggle with a status record at once, and repeats its status about
    // once a second.
    static constexpr std::chrono::milliseconds kReportPatience{2000};

    // A request for the carrier on or off. Refused, with nothing to send, while the link is down
    // or the carrier's state unknown; otherwise true when a toggle must go out now.
    Result<bool> request(bool on, Requester requester, const CarrierFacts& facts);
    // The requester has gone: when it was the last holder of the carrier, the carrier is to be
    // switched off. True when a toggle must go out now.
    bool release(Requester requester, const CarrierFacts& facts);
    // A report arrived or time passed. True when a toggle must go out now.
    bool update(const CarrierFacts& facts);
    // The panel is going: no program holds the carrier any more, and one that a program keyed
    // is to be switched off. True when a toggle must go out now.
    bool releaseAll(const CarrierFacts& facts);
    // The toggle asked for did not reach the line. The request that asked for it is lost with
    // it, as any command that could not be written is: nothing goes out later by itself.
    void toggleNotSent();
    // A program's key has gone to the line and no report has shown it yet.
    bool keyAwaitsReport() const { return m_toggleLeadsTo == true; }

    bool holds(Requester requester) const;
    bool hasHolders() const { return !m_holders.empty(); }

private:
    bool step(const CarrierFacts& facts);

    std::optional<bool> m_wanted;         // what requests still aim for
    std::optional<bool> m_toggleLeadsTo;  // a toggle has gone; the report should then say this
    MonotonicTime m_toggleSentAt;
    std::vector<Requester> m_holders;
};

}  // namespace txlink
