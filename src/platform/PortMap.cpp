#include "platform/PortMap.h"

#include <QStandardPaths>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"
#include "platform/PrintableName.h"

namespace platform {
// Why a port names no device is read in the start-up box and the Serial Ports window, so it is in
// the operator's language (context "PortMap").
namespace {

const QString kTtyDriversTable = QStringLiteral("/proc/tty/drivers");

// As many links as the system follows on the way to one file before it gives up (ELOOP).
constexpr int kMostLinksOnTheWay = 40;

// A minor number or a range of them, as the drivers table writes it: "64" or "0-1048575".
bool minorInRange(QStringView range, unsigned minor) {
    const qsizetype dash = range.indexOf(u'-');
    bool firstOk = false;
    bool lastOk = true;
    const unsigned first = range.left(dash < 0 ? range.size() : dash).toUInt(&firstOk);
    const unsigned last = dash < 0 ? first : range.mid(dash + 1).toUInt(&lastOk);
    return firstOk && lastOk && minor >= first && minor <= last;
}

// What the kernel's table of tty drivers says a character device is: "serial" for a serial
// line, "pty:slave" for the program's end of a pseudo-terminal, "pty:master", "system" (for
// /dev/ptmx), "console" and so on for the rest; empty when no driver claims it.
QString ttyDriverType(QStringView driversTable, unsigned major, unsigned minor) {
    // Each line: driver name, device name, major, minor or minor range, type.
    for (QStringView line : driversTable.split(u'\n')) {
        const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 5) {
            continue;
        }
        bool ok = false;
        if (fields.at(2).toUInt(&ok) == major && ok && minorInRange(fields.at(3), minor)) {
            return fields.at(4).toString();
        }
    }
    return {};
}

// The first name in the port map met on the way from `path` to the file it names, following
// every link as the system does (a folder's link too); empty when the way stays outside. Made
// by hand, so that a link that leads to an entry is seen even when the entry points nowhere.
QString portMapNameOnTheWay(const QString& path) {
    const QString portMap = QFileInfo(portMapFolder()).canonicalFilePath();
    if (portMap.isEmpty()) {
        return {};
    }
    QStringList ahead = (QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path)
                            .split(u'/', Qt::SkipEmptyParts);
    QString reached;  // the real folder reached so far, "" for the root: never a link
    int links = 0;
    while (!ahead.isEmpty()) {
        const QString part = ahead.takeFirst();
        if (part == QLatin1String(".")) {
            continue;
        }
        if (part == QLatin1String("..")) {
            reached.truncate(std::max<qsizetype>(reached.lastIndexOf(u'/'), 0));
            continue;
        }
        const QString next = reached + u'/' + part;
        if (reached == portMap) {
            return next;
        }
        const QString text = linkText(next);
        if (text.isEmpty()) {
            reached = next;
            continue;
        }
        if (++links > kMostLinksOnTheWay) {
            return {};  // a loop outside the port map: stat() tells it
        }
        ahead = text.split(u'/', Qt::SkipEmptyParts) + ahead;
        if (text.startsWith(u'/')) {
            reached.clear();
        }
    }
    return {};
}

// The device of a port that has no entry in the port map.
QString defaultDevicePathForPort(int port) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

}  // namespace

QString devicePathForPort(int port) {
    if (port < kFirstPort || port > kLastPort) {
        return {};
    }
    if (portIsMapped(port)) {
        // Two names of one device must share one lock, so open it by its real path.
        return QFileInfo(portMapEntryPath(port)).canonicalFilePath();
    }
    return defaultDevicePathForPort(port);
}

QStringList serialLockFolders() {
    return {QStringLiteral("/var/lock"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/tmp"),
            QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/run/lock"),
            QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
}

QString serialLockFileName(QString portName) {
    return QLatin1String("LCK..") + portName.replace(u'/', u'_');
}

bool lockHolderRuns(qint64 pid) {
    // Another user's process answers EPERM, and is there all the same.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

bool portIsMapped(int port) {
    return entryExists(portMapEntryPath(port));
}

txlink::Result<QString> checkSerialDevice(const QString& path) {
    const QString shown = printableName(path);
    const auto refused = [](int number, const QString& why) {
        return txlink::Error{number, why.toStdString()};
    };
    if (const QString entry = portMapNameOnTheWay(path); !entry.isEmpty()) {
        const QString why =
            entry == QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() + u'/' +
                         QFileInfo(path).fileName()
                ? QCoreApplication::translate("PortMap", "%1 is a port-map entry, not a device.")
                      .arg(shown)
                : QCoreApplication::translate("PortMap",
                                              "%1 leads into the port map, to %2, not to a device.")
                      .arg(shown, printableName(entry));
        return refused(txlink::error::kPortNotDetected, why);
    }
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return refused(txlink::error::kPortNotDetected,
                       QCoreApplication::translate("PortMap", "%1 does not exist (%2).")
                           .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (S_ISDIR(st.st_mode)) {
        return refused(
            txlink::error::kPortSettings,
            QCoreApplication::translate("PortMap", "%1 is not a serial line: it is a folder.")
                .arg(shown));
    }
    if (!S_ISCHR(st.st_mode)) {
        return refused(
            txlink::error::kPortSettings,
            QCoreApplication::translate("PortMap", "%1 is not a serial line: it is a file.")
                .arg(shown));
    }
    QFile drivers(kTtyDriversTable);
    if (!drivers.open(QIODevice::ReadOnly)) {
        return refused(txlink::error::kPortSettings,
                       QCoreApplication::translate(
                           "PortMap", "%1 cannot be told a serial device: %2 cannot be read (%3).")
                           .arg(shown, kTtyDriversTable, drivers.errorString()));
    }
    const QString type =
        ttyDriverType(QString::fromLatin1(drivers.readAll()), major(st.st_rdev), minor(st.st_rdev));
    if (type != QLatin1String("serial") && type != QLatin1String("pty:slave")) {
        // A device that is there but is no serial line (a pty master, /dev/ptmx) names no port.
        return refused(
            txlink::error::kPortNotDetected,
            type.isEmpty()
                ? QCoreApplication::translate("PortMap", "%1 is not a serial device.").arg(shown)
                : QCoreApplication::translate(
                      "PortMap", "%1 is a terminal of the kind \"%2\", not a serial line.")
                      .arg(shown, type));
    }
    return QFileInfo(path).canonicalFilePath();
}

txlink::Result<QString> checkedDeviceForPort(int port) {
    if (port < kFirstPort || port > kLastPort) {
        return txlink::Error{txlink::error::kPortNotDetected,
                             QCoreApplication::translate(
                                 "PortMap", "Port %1 names no device: choose a port from %2 to %3.")
                                 .arg(port)
                                 .arg(kFirstPort)
                                 .arg(kLastPort)
                                 .toStdString()};
    }
    if (!portIsMapped(port)) {
        return checkSerialDevice(defaultDevicePathForPort(port));
    }
    const QString entry = portMapEntryPath(port);
    const QString text = linkText(entry);
    const auto refused = [&](const txlink::Error& why) {
        return txlink::Error{why.number,
                             QCoreApplication::translate("PortMap", "Port %1, through %2: %3")
                                 .arg(QString::number(port), printableName(entry),
                                      QString::fromStdString(why.reason))
                                 .toStdString()};
    };
    if (text.isEmpty()) {
        return refused(
            {txlink::error::kPortNotDetected,
             QCoreApplication::translate("PortMap", "the entry is not a link to a device.")
                 .toStdString()});
    }
    // The system reads a relative link from the folder the link is in.
    const txlink::Result<QString> device =
        checkSerialDevice(QDir::isAbsolutePath(text) ? text : portMapFolder() + u'/' + text);
    if (!device) {
        return refused(device.error());
    }
    return device;
}

bool entryExists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString linkText(const QString& path) {
    char text[4096];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), text, sizeof text);
    return n > 0 ? QFile::decodeName(QByteArray(text, n)) : QString();
}

txlink::Status linkInOneStep(const QString& path, const QString& target) {
    const QByteArray encoded = QFile::encodeName(path);
    const QByteArray temporary =
        encoded + ".new-" + QByteArray::number(QCoreApplication::applicationPid());
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0 ||
        ::rename(temporary.constData(), encoded.constData()) != 0) {
        const int reason = errno;
        ::unlink(temporary.constData());
        return txlink::Error{txlink::error::kSettingsFile, std::strerror(reason)};
    }
    return txlink::Status::success();
}

}  // namespace platform
