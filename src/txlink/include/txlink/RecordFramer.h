#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace txlink {

// Decides when the text waiting from the line is handed to the record parser. A tty delivers
// the 8-character records in arbitrary pieces, and the parser never joins pieces across
// deliveries, so text goes on at once when it is a whole number of records, and everything
// waiting goes when the line has gone quiet with a partial record waiting. A line that never
// pauses (a flood, garbage, a wrong baud rate) is bounded: once the oldest character has waited
// the longest hold, or more than kMostWaiting characters wait, the whole records go and the
// partial one stays for the next delivery.
//
// It reads no clock and owns no timer: the caller passes the time of every event, asks for a
// wake-up at nextWake(), and hands over what takeText() gives when readyToDeliver() says so.
class RecordFramer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // USB-serial adapters hold a partial packet up to their latency timer (commonly 16 ms), and
    // the scheduler adds its own delay: a record split by a pause of up to 50 ms must still
    // arrive whole, with room to spare.
    static constexpr std::chrono::milliseconds kQuietGap{100};
    static constexpr std::chrono::milliseconds kLongestHold{400};
    static constexpr std::size_t kMostWaiting = 4096;

    struct Timing {
        std::chrono::milliseconds quietGap = kQuietGap;
        std::chrono::milliseconds longestHold = kLongestHold;
    };

    RecordFramer() = default;
    explicit RecordFramer(Timing timing) : m_timing(timing) {}

    void bytesArrived(std::string_view bytes, TimePoint now);
    // The wake-up asked for through nextWake() has come. `unreadInDriver` is what the driver
    // still holds: bytes that came in time but were not read yet mean the line was not quiet.
    void wake(TimePoint now, int unreadInDriver);

    bool readyToDeliver() const { return m_readyLength > 0; }
    // When wake() is due next; nothing while nothing waits or the text is ready.
    std::optional<TimePoint> nextWake() const;
    // The text that is ready, which then no longer waits.
    std::string takeText();
    // Forgets what waits, as a closed port does.
    void clear();
    bool empty() const { return m_pending.empty(); }

private:
    void markReady(std::size_t length, TimePoint now);
    std::size_t wholeRecordsOrAll() const;

    Timing m_timing;
    std::string m_pending;
    std::optional<TimePoint> m_quietUntil;
    std::optional<TimePoint> m_holdUntil;
    std::size_t m_readyLength = 0;
};

}  // namespace txlink
