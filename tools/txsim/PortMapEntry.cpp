#include "PortMapEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "Failure.h"
#include "platform/ConfigPaths.h"

namespace txsim {

namespace {

QString linkTarget(const QByteArray& path) {
    char buffer[4096];
    const ssize_t n = readlink(path.constData(), buffer, sizeof buffer);
    return n < 0 ? QString() : QFile::decodeName(QByteArray(buffer, n));
}

}  // namespace

PortMapEntry::~PortMapEntry() {
    withdraw();
}

txlink::Status PortMapEntry::publish(int port, const QString& target) {
    withdraw();
    if (port < kFirstPort || port > kLastPort) {
        return failure(QStringLiteral("port %1 is not one of %2 to %3")
                           .arg(port)
                           .arg(kFirstPort)
                           .arg(kLastPort));
    }
    const QString path = platform::portMapEntryPath(port);
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return failure(QStringLiteral("cannot create %1").arg(QFileInfo(path).path()));
    }
    // lstat rather than QFileInfo: a dangling link left by a killed simulator must still count
    // as a link that may be replaced.
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st {};
    if (lstat(encoded.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        return failure(
            QStringLiteral("%1 exists and is not a symbolic link; leaving it alone").arg(path));
    }
    // Made under a temporary name and renamed over the old one, so the panel never finds the
    // port missing while it is being replaced.
    const QByteArray temporary =
        encoded + ".txsim-" + QByteArray::number(QCoreApplication::applicationPid());
    unlink(temporary.constData());
    if (symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0 ||
        rename(temporary.constData(), encoded.constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        unlink(temporary.constData());
        return failure(QStringLiteral("cannot link %1 to %2: %3").arg(path, target, reason));
    }
    m_path = path;
    m_target = target;
    return txlink::Status::success();
}

void PortMapEntry::withdraw() {
    if (m_path.isEmpty())
        return;
    const QByteArray encoded = QFile::encodeName(m_path);
    if (linkTarget(encoded) == m_target)
        unlink(encoded.constData());
    m_path.clear();
    m_target.clear();
}

}  // namespace txsim
