#include "serial/LockHolder.h"

#include "platform/PortMap.h"

#include <sys/types.h>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <limits>

namespace serial {
namespace {

// A lock file holds a number, a name and a host: anything longer is not one.
constexpr qint64 kLongestLockFile = 1024;

// The name the system gives the process (at most 15 characters on Linux); empty when it does not
// tell, as when /proc hides other users' processes.
QString processName(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLocal8Bit(comm.read(64)).trimmed();
}

}  // namespace

std::optional<LockHolder> readLockHolder(const QString& lockFile) {
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Read by hand rather than with QLockFile::getLockInfo(), which drops the last digit of a
    // number written without a line end.
    const QList<QByteArray> lines = file.read(kLongestLockFile).split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max()) {
        return std::nullopt;
    }
    const QString appName = QString::fromUtf8(lines.value(1).trimmed());
    const QString host = QString::fromUtf8(lines.value(2).trimmed());
    // A number from another machine names nothing here.
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return std::nullopt;
    }
    LockHolder holder{lockFile, pid, {}, platform::lockHolderRuns(pid)};
    if (holder.running) {
        const QString name = processName(pid);
        // The lock's own name is the whole one when the system's is its shortened form.
        holder.program = name.isEmpty() || appName.startsWith(name) ? appName : name;
    }
    return holder;
}

std::optional<LockHolder> deviceLockHolder(const QString& portName) {
    if (portName.isEmpty()) {
        return std::nullopt;
    }
    const QString fileName = platform::serialLockFileName(portName);
    for (const QString& folder : platform::serialLockFolders()) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFile::exists(path)) {
            return readLockHolder(path);
        }
    }
    return std::nullopt;
}

}  // namespace serial
