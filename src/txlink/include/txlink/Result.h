#pragma once

#include <string>
#include <utility>
#include <variant>

namespace txlink {

// Error numbers the program tells apart. The serial ones are those the transmitter's original
// serial component reported, which the operators' documentation still quotes.
namespace error {
inline constexpr int kTypeMismatch = 13;       // port text does not end in a digit
inline constexpr int kInternal = 51;           // a failure that carries no number of its own
inline constexpr int kSettingsFile = 75;       // the settings file cannot be read or written
inline constexpr int kPortNotDetected = 8002;  // no such device
inline constexpr int kPortInUse = 8005;        // locked or held elsewhere, or access denied
inline constexpr int kPortSettings = 8015;     // not a serial line, or it refused 9600 8N1
inline constexpr int kPortNotOpen = 8018;      // write or read on a closed port
inline constexpr int kPortIo = 8020;           // the device failed a read or write
}  // namespace error

// A failure: its number, as the start-up message reports it, and the system's own reason.
struct Error {
    int number = error::kInternal;
    std::string reason;
};

// The value of an operation that can fail, or its Error.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

// Success, or the Error of an operation that has no value.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)), m_failed(true) {}

    static Status success() { return {}; }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return m_error; }

private:
    Error m_error;
    bool m_failed = false;
};

}  // namespace txlink
