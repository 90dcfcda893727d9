#pragma once

#include <QString>
#include <optional>

namespace serial {

// Who holds a device, as its lock file tells: the process number, and the program now running
// under it. A lock file is anybody's to write (the lock folder is open to all), so nothing read
// here is shown unescaped.
struct LockHolder {
    QString lockFile;
    qint64 pid = 0;
    QString program;  // the running process's name; empty when the system does not tell
    // Whether that process is still there. A lock whose process has ended, or whose number now
    // belongs to another program, holds the device all the same until the file is removed.
    bool running = false;
};

// The holder named in `lockFile`, written by Qt (QLockFile: the process number, the program and
// the host on lines of their own) or in the HDB way (the number alone, padded with blanks);
// nothing when the file cannot be read, names no process, or was written on another host.
std::optional<LockHolder> readLockHolder(const QString& lockFile);

// The lock file of `portName` (as QSerialPort::portName() gives it: "ttyUSB0", "pts/7") in the
// folders QSerialPort takes its locks in, and who it names; nothing when no such file is there.
std::optional<LockHolder> deviceLockHolder(const QString& portName);

}  // namespace serial
