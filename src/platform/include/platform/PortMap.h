#pragma once

#include <QString>

#include "txlink/Result.h"
#include "txlink/SerialLink.h"

namespace platform {

using txlink::kFirstPort;
using txlink::kLastPort;

// The device that port `port` names: the real path behind the port map's entry comN when there is
// one, otherwise /dev/ttyS<N-1>. Empty when the port names no device (port 0, a dangling entry).
QString devicePathForPort(int port);
// Whether the port map has an entry for port `port`, even one that points nowhere.
bool portIsMapped(int port);

// The port map's entries are links, which the program, the Serial Ports window and the virtual
// transmitter all read and replace the same way.

// Whether anything stands at `path`, a link that points nowhere included.
bool entryExists(const QString& path);
// What the link at `path` says, as written rather than made absolute; empty when it is no link.
QString linkText(const QString& path);
// Makes `path` a link to `target` in one step: the link is made under a name of its own beside
// `path` and renamed over it, so nobody finds the entry missing or half-written. On failure
// nothing has changed and the error (75) carries the system's reason.
txlink::Status linkInOneStep(const QString& path, const QString& target);

}  // namespace platform
