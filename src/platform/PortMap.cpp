#include "platform/PortMap.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"

namespace platform {
namespace {

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

bool portIsMapped(int port) {
    return entryExists(portMapEntryPath(port));
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
