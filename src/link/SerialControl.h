#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace txlink {

// The serial control of the main window. Line settings are fixed at 9600 baud 8N1.
// Members that fail throw RuntimeError carrying the error number.
class SerialControl {
public:
    enum Event : std::int16_t { kEventSend = 1, kEventReceive = 2 };

    virtual ~SerialControl() = default;

    virtual void setCommPort(std::int16_t port) = 0;
    virtual void setRThreshold(std::int16_t characters) = 0;
    virtual void setSThreshold(std::int16_t characters) = 0;
    // True opens the port numbered CommPort, False closes it.
    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;
    // Hands the characters to the transmit buffer in one write and returns at once.
    virtual void output(std::string_view characters) = 0;
    // Everything received and not yet read, removed from the receive buffer.
    virtual std::string input() = 0;
    // The code of the event being reported (kEventSend, kEventReceive or another).
    virtual std::int16_t commEvent() const = 0;
};

}  // namespace txlink
