#pragma once

#include <compare>
#include <string>

namespace txlink {

inline constexpr int kSecondsPerDay = 24 * 60 * 60;

// A time of day in whole seconds, as the stamps "HH:MM:SS" hold it: no date, no fractions.
class TimeOfDay {
public:
    constexpr TimeOfDay() = default;

    static constexpr TimeOfDay fromSeconds(int secondsSinceMidnight) {
        int s = secondsSinceMidnight % kSecondsPerDay;
        return TimeOfDay{s < 0 ? s + kSecondsPerDay : s};
    }
    static constexpr TimeOfDay fromHms(int hours, int minutes, int seconds) {
        return fromSeconds(hours * 3600 + minutes * 60 + seconds);
    }

    constexpr int secondsSinceMidnight() const { return m_seconds; }

    // "HH:MM:SS", 24-hour clock, two digits each.
    std::string toString() const;

    friend constexpr auto operator<=>(TimeOfDay, TimeOfDay) = default;

private:
    constexpr explicit TimeOfDay(int seconds) : m_seconds(seconds) {}
    int m_seconds = 0;
};

// Seconds from `earlier` to `later` going forward through the clock face, so that a span which
// crosses midnight stays short: 23:59:59 to 00:00:00 is one second.
constexpr int secondsBetween(TimeOfDay earlier, TimeOfDay later) {
    return TimeOfDay::fromSeconds(later.secondsSinceMidnight() - earlier.secondsSinceMidnight())
        .secondsSinceMidnight();
}

class Clock {
public:
    virtual ~Clock() = default;
    // The local time of day, truncated to whole seconds.
    virtual TimeOfDay now() const = 0;
};

}  // namespace txlink
