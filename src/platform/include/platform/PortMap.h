#pragma once

#include <QString>

namespace platform {

// The port numbers a port text can name: its last character, 1 to 9 (0 names no device).
inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 9;

// The device that port `port` names: the real path behind the port map's entry comN when there is
// one, otherwise /dev/ttyS<N-1>. Empty when the port names no device (port 0, a dangling entry).
QString devicePathForPort(int port);
// Whether the port map has an entry for port `port`, even one that points nowhere.
bool portIsMapped(int port);

}  // namespace platform
