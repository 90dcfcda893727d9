#pragma once

#include <QString>

namespace platform {

// The device that port `port` names: the real path behind the port map's entry comN when there is
// one, otherwise /dev/ttyS<N-1>. Empty when the port names no device (port 0, a dangling entry).
QString devicePathForPort(int port);
// Whether the port map has an entry for port `port`, even one that points nowhere.
bool portIsMapped(int port);

}  // namespace platform
