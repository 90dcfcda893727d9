#pragma once

#include <chrono>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace txlink {

// The words of the transmit log, in one place, so that what the program writes and what its
// manual page describes cannot drift apart.
namespace logevent {
inline constexpr std::string_view kToggle = "toggle";  // by=<origin>, peer= for a program
inline constexpr std::string_view kCarrierOn = "carrier on";
inline constexpr std::string_view kCarrierOff = "carrier off";  // after=<seconds>
inline constexpr std::string_view kLinkUp = "link up";
inline constexpr std::string_view kLinkDown = "link down";
inline constexpr std::string_view kClientConnected = "client connected";  // peer=
inline constexpr std::string_view kClientGone = "client gone";            // peer=
inline constexpr std::string_view kClientDropped = "client dropped";      // peer= reason=
// The time-out's toggle did not take: nothing more is sent (by=timeout).
inline constexpr std::string_view kCarrierStillOn = "carrier still on";
// The program ended with the carrier reported on (by=signal or by=close, carrier=on).
inline constexpr std::string_view kEndKeyed = "end keyed";
}  // namespace logevent

// Who asked for a toggle (the by= of a toggle).
namespace logorigin {
inline constexpr std::string_view kButton = "button";
inline constexpr std::string_view kEscape = "escape";
inline constexpr std::string_view kNetwork = "network";
inline constexpr std::string_view kTimeout = "timeout";
inline constexpr std::string_view kClientGone = "client-gone";
inline constexpr std::string_view kClose = "close";
}  // namespace logorigin

// One key=value of an entry. The key is the program's own word; the value may come from anywhere
// (a client's address, a reason with spaces) and is quoted as it needs.
struct LogField {
    std::string_view key;
    std::string value;
};

// The value as an entry writes it: bare when it is printable ASCII without space, '"', '\\' or
// '='; otherwise in double quotes, with '"' and '\\' escaped by a backslash and every other byte
// outside printable ASCII (control characters, DEL, UTF-8) written as \xNN. An empty value is "".
// No value can so end a line or pass for another field.
std::string logValue(std::string_view value);

// An entry's text: the event, then " key=value" for each field in order. Control characters in
// the event or a key are written as \xNN too, so that an entry is always one line.
std::string transmitLogEntry(std::string_view event, std::span<const LogField> fields);

// A duration for after=: seconds with one decimal, rounded to the nearest tenth ("70.0").
std::string logSeconds(std::chrono::milliseconds duration);

// Where the panel records every toggle it writes and every change the transmitter reports, with
// the time of day added by the writer. Recording never fails to the caller: a log that cannot be
// written must not stop the panel, so the writer deals with its own failures.
class TransmitLog {
public:
    virtual ~TransmitLog() = default;

    void record(std::string_view event, std::initializer_list<LogField> fields = {}) {
        record(event, std::span<const LogField>(fields.begin(), fields.size()));
    }
    void record(std::string_view event, std::span<const LogField> fields) {
        write(transmitLogEntry(event, fields));
    }

protected:
    // One entry as transmitLogEntry() makes it: one line's text, without the time or a newline.
    virtual void write(const std::string& entry) = 0;
};

// Records nothing: the log of a panel that has been given none.
class NullTransmitLog final : public TransmitLog {
protected:
    void write(const std::string&) override {}
};

}  // namespace txlink
