#pragma once

#include <stdexcept>
#include <string>

namespace txlink {

// Error numbers the program tells apart. The serial ones are those the transmitter's original
// serial component reported, which the operators' documentation still quotes.
namespace error {
inline constexpr int kTypeMismatch = 13;       // port text does not end in a digit
inline constexpr int kInternal = 51;           // a failure that carries no number of its own
inline constexpr int kPortNotDetected = 8002;  // no such device
inline constexpr int kPortInUse = 8005;        // locked or held elsewhere, or access denied
inline constexpr int kPortSettings = 8015;     // not a serial line, or it refused 9600 8N1
inline constexpr int kPortNotOpen = 8018;      // write or read on a closed port
inline constexpr int kPortIo = 8020;           // the device failed a read or write
}  // namespace error

// A run-time failure with a number, as the start-up message reports it.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& what)
        : std::runtime_error(what), m_number(number) {}
    int number() const noexcept { return m_number; }

private:
    int m_number;
};

}  // namespace txlink
