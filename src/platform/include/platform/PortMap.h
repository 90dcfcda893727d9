#pragma once

#include <QString>
#include <QStringList>

#include "txlink/Result.h"
#include "txlink/SerialLink.h"

namespace platform {

using txlink::kFirstPort;
using txlink::kLastPort;

// The device that port `port` names: the real path behind the port map's entry comN when there is
// one, otherwise /dev/ttyS<N-1>. Empty when the port names no device (port 0, a dangling entry).
QString devicePathForPort(int port);
// The folders QSerialPort takes its device locks (LCK..name) in, in its order.
QStringList serialLockFolders();
// The lock file's name for a device named as QSerialPort names it, without "/dev/": pts/7 is
// LCK..pts_7.
QString serialLockFileName(QString portName);
// Whether process `pid`, a lock's holder, still runs (another user's counts too).
bool lockHolderRuns(qint64 pid);
// Whether the port map has an entry for port `port`, even one that points nowhere.
bool portIsMapped(int port);

// Whether `path` names a serial line that a port may open: a character device that the kernel
// drives as a serial line or as the program's end of a pseudo-terminal (never /dev/ptmx, whose
// every open makes a new pty, nor any other master), and one reached without passing through
// the port map, whose entries would then lead to each other or to themselves. The real path
// behind it, or why not: error 8002 for nothing there or a way through the port map, 8015 for
// something that is not a serial line. The reason shows names through printableName().
txlink::Result<QString> checkSerialDevice(const QString& path);
// The device port `port` opens, checked by checkSerialDevice() whether an entry names it or it
// is the default: an entry made by hand is trusted no more than one that --map-port made. The
// reason of a refusal names the port and its entry.
txlink::Result<QString> checkedDeviceForPort(int port);

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
