#pragma once

#include <string_view>

#include "txlink/Result.h"

namespace txlink {

// The port numbers a port text can name: its last character, 1 to 9 (0 names no device).
inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 9;

// The serial line to the transmitter's controller: 9600 baud 8N1, fixed. What arrives and when
// a write has drained is reported to the control panel by whoever owns the link.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens port `port` (1 to 9; 0 names no device).
    virtual Status open(int port) = 0;
    // Closes the port, and stops waiting for its device.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Keeps trying to open port `port` quietly, about once a second, until its device is there
    // again, as the link does by itself when an open device vanishes. open() and close() end it.
    virtual void openWhenPresent(int port) = 0;
    virtual bool waitingForDevice() const = 0;
    // Hands the command's characters to the line in one write and returns at once.
    virtual Status send(std::string_view command) = 0;
};

}  // namespace txlink
