#pragma once

#include <QString>

#include "platform/PortMap.h"
#include "portmap/SerialDevices.h"
#include "txlink/Result.h"

namespace portmap {

using platform::kFirstPort;
using platform::kLastPort;

// What port number `port` opens now.
struct PortAssignment {
    int port = 0;
    bool mapped = false;   // the port map has an entry for it
    QString entryPath;     // the entry comN, whether it exists or not
    QString entryTarget;   // what the entry names (a link's text); empty when not mapped
    QString device;        // the real device it resolves to; empty for an entry that points nowhere
    bool present = false;  // that device exists and is a character device
};

PortAssignment describePort(int port);

// Points port `port` at `device`, by the device's stable name when it has one in
// `stableFolder` and by its real path otherwise, in one step: the program never finds the entry
// half-written. Returns what the entry now names. A port outside 1 to 9, a device that is not a
// serial line and a name that leads through the port map (an entry, its own included) are
// refused as platform::checkSerialDevice() says, and nothing changes; a port map that cannot be
// written is error 75.
txlink::Result<QString> assignPort(int port, const QString& device,
                                   const QString& stableFolder = kStableNameFolder);

// Removes the entry of port `port`, so that it opens its default device again. True when there
// was an entry to remove.
txlink::Result<bool> clearPort(int port);

}  // namespace portmap
