#include "PortMapEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "Failure.h"
#include "platform/ConfigPaths.h"
#include "platform/PortMap.h"
#include "platform/PrintableName.h"

namespace txsim {

namespace {

const QString kProgramName = QStringLiteral("vora-txsim");

QString systemReason() {
    return QString::fromLocal8Bit(strerror(errno));
}

using platform::entryExists;
using platform::linkText;

bool isSymLink(const QString& path) {
    return !linkText(path).isEmpty();
}

// A pid that is still a simulator: alive, and (where /proc tells) running this program rather
// than another that was given the number since.
bool simulatorRunning(qint64 pid) {
    if (pid <= 0 || (kill(pid_t(pid), 0) != 0 && errno != EPERM)) {
        return false;
    }
    QFile name(QStringLiteral("/proc/%1/comm").arg(pid));
    return !name.open(QIODevice::ReadOnly) || name.readAll().trimmed() == kProgramName.toLatin1();
}

struct Marker {
    qint64 pid = 0;
    QString target;
};

std::optional<Marker> readMarker(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // "PID PTY": the pty is the rest of the line.
    const QByteArray text = file.readAll().trimmed();
    const qsizetype space = text.indexOf(' ');
    bool ok = false;
    const qint64 pid = text.left(space).toLongLong(&ok);
    if (space < 0 || !ok) {
        return std::nullopt;
    }
    return Marker{pid, QFile::decodeName(text.mid(space + 1))};
}

enum class Occupant { Nobody, DeadSimulator, LiveSimulator, Operator };

Occupant occupantOf(int port) {
    const QString entry = platform::portMapEntryPath(port);
    if (!entryExists(entry)) {
        return Occupant::Nobody;
    }
    if (!isSymLink(entry)) {
        return Occupant::Operator;
    }
    const QString target = linkText(entry);
    if (const std::optional<Marker> marker = readMarker(PortMapEntry::markerPath(port));
        marker && marker->target == target) {
        return simulatorRunning(marker->pid) ? Occupant::LiveSimulator : Occupant::DeadSimulator;
    }
    // Simulators before the marker left bare links to their ptys; nobody else points a port at a
    // pty number, which changes from one session to the next.
    const bool dangling = !QFileInfo::exists(entry);
    return dangling && target.startsWith(QLatin1String("/dev/pts/")) ? Occupant::DeadSimulator
                                                                     : Occupant::Operator;
}

// The first port that may be published without taking anybody's entry; 0 when there is none.
int freePort() {
    for (int port = PortMapEntry::kFirstPort; port <= PortMapEntry::kLastPort; ++port) {
        const Occupant occupant = occupantOf(port);
        if (occupant == Occupant::Nobody || occupant == Occupant::DeadSimulator) {
            return port;
        }
    }
    return 0;
}

// The simulator's messages are in the operator's language (context "PortMapEntry").
QString refusal(int port, Occupant occupant) {
    const QString entry = platform::portMapEntryPath(port);
    QString taken;
    if (occupant == Occupant::LiveSimulator) {
        taken = QCoreApplication::translate(
                    "PortMapEntry", "port %1 is in use by another simulator that is still running")
                    .arg(port);
    } else if (isSymLink(entry)) {
        taken = QCoreApplication::translate(
                    "PortMapEntry", "port %1 is taken: %2 is your own entry, pointing at %3")
                    .arg(port)
                    .arg(platform::printableName(entry), platform::printableName(linkText(entry)));
    } else {
        taken =
            QCoreApplication::translate("PortMapEntry", "port %1 is taken: %2 is your own entry")
                .arg(port)
                .arg(platform::printableName(entry));
    }
    const int free = freePort();
    const QString instead =
        free != 0
            ? QCoreApplication::translate("PortMapEntry", "port %1 is free (--port %1)").arg(free)
            : QCoreApplication::translate("PortMapEntry", "no port from %1 to %2 is free")
                  .arg(PortMapEntry::kFirstPort)
                  .arg(PortMapEntry::kLastPort);
    return QCoreApplication::translate(
               "PortMapEntry",
               "%1; %2, or add --replace to use port %3 and put the entry back when the simulator "
               "ends")
        .arg(taken, instead)
        .arg(port);
}

txlink::Status writeMarker(const QString& path, const QString& target) {
    QSaveFile marker(path);
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
                            QFile::encodeName(target) + '\n';
    if (!marker.open(QIODevice::WriteOnly) || marker.write(text) != text.size() ||
        !marker.commit()) {
        return failure(QCoreApplication::translate("PortMapEntry", "cannot write %1: %2")
                           .arg(path, marker.errorString()));
    }
    return txlink::Status::success();
}

// Puts the kept entry back in place of `path`; a folder cannot be renamed over a link, so the
// link goes first then.
bool putBack(const QString& original, const QString& path) {
    const QByteArray from = QFile::encodeName(original);
    const QByteArray to = QFile::encodeName(path);
    if (rename(from.constData(), to.constData()) == 0) {
        return true;
    }
    return unlink(to.constData()) == 0 && rename(from.constData(), to.constData()) == 0;
}

}  // namespace

QString PortMapEntry::markerPath(int port) {
    return platform::portMapFolder() + QStringLiteral("/.com%1.vora-txsim").arg(port);
}

QString PortMapEntry::originalPath(int port) {
    return platform::portMapFolder() + QStringLiteral("/.com%1.vora-txsim-original").arg(port);
}

PortMapEntry::~PortMapEntry() {
    (void)withdraw();
}

txlink::Status PortMapEntry::publish(int port, const QString& target, bool replace) {
    (void)withdraw();
    if (port < kFirstPort || port > kLastPort) {
        return failure(QCoreApplication::translate("PortMapEntry", "port %1 is not one of %2 to %3")
                           .arg(port)
                           .arg(kFirstPort)
                           .arg(kLastPort));
    }
    const QString path = platform::portMapEntryPath(port);
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return failure(QCoreApplication::translate("PortMapEntry", "cannot create %1")
                           .arg(QFileInfo(path).path()));
    }
    const QString original = originalPath(port);
    const Occupant occupant = occupantOf(port);
    // A killed simulator that had replaced an entry left it aside: it is put back at the end.
    bool restoreOriginal = occupant == Occupant::DeadSimulator && entryExists(original);
    if (occupant == Occupant::LiveSimulator || occupant == Occupant::Operator) {
        if (!replace) {
            return failure(refusal(port, occupant));
        }
        if (entryExists(original)) {
            return failure(
                QCoreApplication::translate("PortMapEntry",
                                            "%1 still holds an entry that an earlier simulator "
                                            "replaced; put it back as %2 or remove it first")
                    .arg(original, path));
        }
        if (rename(QFile::encodeName(path).constData(), QFile::encodeName(original).constData()) !=
            0) {
            return failure(
                QCoreApplication::translate("PortMapEntry", "cannot keep %1 aside as %2: %3")
                    .arg(path, original, systemReason()));
        }
        restoreOriginal = true;
    }

    txlink::Status done = writeMarker(markerPath(port), target);
    if (done) {
        // The panel never finds the port missing while it is being replaced.
        if (const txlink::Status linked = platform::linkInOneStep(path, target); !linked) {
            done = failure(QCoreApplication::translate("PortMapEntry", "cannot link %1 to %2: %3")
                               .arg(path, target, reasonOf(linked.error())));
        }
    }
    if (!done) {
        QFile::remove(markerPath(port));
        if (restoreOriginal && occupant != Occupant::DeadSimulator && !putBack(original, path)) {
            return failure(
                reasonOf(done.error()) +
                QCoreApplication::translate("PortMapEntry", "; your own entry is left as %1")
                    .arg(original));
        }
        return done;
    }
    m_path = path;
    m_target = target;
    m_port = port;
    m_restoreOriginal = restoreOriginal;
    return txlink::Status::success();
}

txlink::Status PortMapEntry::withdraw() {
    if (m_path.isEmpty()) {
        return txlink::Status::success();
    }
    const QString path = m_path;
    const QString original = originalPath(m_port);
    const bool stillOurs = linkText(path) == m_target;
    const bool restore = m_restoreOriginal;
    if (const std::optional<Marker> marker = readMarker(markerPath(m_port));
        marker && marker->pid == QCoreApplication::applicationPid()) {
        QFile::remove(markerPath(m_port));
    }
    m_path.clear();
    m_target.clear();
    m_restoreOriginal = false;

    if (!stillOurs) {
        return restore ? failure(QCoreApplication::translate(
                                     "PortMapEntry",
                                     "%1 was changed while the simulator ran; the entry "
                                     "it replaced is left as %2")
                                     .arg(path, original))
                       : txlink::Status::success();
    }
    if (!restore) {
        unlink(QFile::encodeName(path).constData());
        return txlink::Status::success();
    }
    if (!putBack(original, path)) {
        return failure(QCoreApplication::translate("PortMapEntry", "cannot put %1 back as %2: %3")
                           .arg(original, path, systemReason()));
    }
    return txlink::Status::success();
}

}  // namespace txsim
