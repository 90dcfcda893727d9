#include "platform/FileTransmitLog.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/ConfigPaths.h"
#include "platform/Logging.h"
#include "platform/PrintableName.h"

namespace platform {

namespace {

txlink::Error failure(const QString& reason) {
    return {txlink::error::kInternal, reason.toStdString()};
}

txlink::Error failure(const QString& what, const QString& reason) {
    return failure(what + QStringLiteral(": ") + reason);
}

txlink::Error systemFailure(const QString& what) {
    return failure(what, QString::fromLocal8Bit(std::strerror(errno)));
}

// Folders that hold what the program records about the user are the user's alone, and missing
// ones are made as the XDG rules ask (~/.local/state itself may not exist yet).
txlink::Status makePrivateFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    if (QFileInfo(path).isDir()) {
        return {};
    }
    for (qsizetype slash = path.indexOf(u'/', 1);; slash = path.indexOf(u'/', slash + 1)) {
        const QString part = slash < 0 ? path : path.left(slash);
        if (::mkdir(QFile::encodeName(part).constData(), S_IRWXU) != 0 && errno != EEXIST) {
            return systemFailure(QStringLiteral("cannot make the folder ") + printableName(part));
        }
        if (slash < 0) {
            break;
        }
    }
    if (!QFileInfo(path).isDir()) {
        return failure(printableName(path) + QStringLiteral(" is not a folder"));
    }
    return {};
}

}  // namespace

FileTransmitLog::FileTransmitLog() : FileTransmitLog(stateFolder()) {}

FileTransmitLog::FileTransmitLog(QString folder, qint64 maxFileSize, TimeSource now)
    : m_folder(std::move(folder)), m_maxFileSize(maxFileSize), m_now(std::move(now)) {}

QString FileTransmitLog::filePath() const {
    return m_folder + QStringLiteral("/transmit.log");
}

QString FileTransmitLog::oldFilePath(int n) const {
    return filePath() + QStringLiteral(".%1").arg(n);
}

void FileTransmitLog::write(const std::string& entry) {
    const QByteArray line = m_now().toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
                            QByteArray::fromStdString(entry) + '\n';
    const txlink::Status written = append(line);
    if (!written) {
        if (m_lost++ == 0) {
            qCWarning(lcProgram,
                      "the transmit log %s cannot be written: %s; the panel goes on without it and "
                      "says here when it can write again",
                      qPrintable(printableName(filePath())), written.error().reason.c_str());
        }
    } else if (m_lost > 0) {
        qCInfo(lcProgram, "the transmit log %s is written again; %lld line(s) were lost",
               qPrintable(printableName(filePath())), static_cast<long long>(m_lost));
        m_lost = 0;
    }
}

txlink::Status FileTransmitLog::append(const QByteArray& line) const {
    if (txlink::Status made = makePrivateFolder(m_folder); !made) {
        return made;
    }
    const QFileInfo before(filePath());
    if (before.isFile() && before.size() > 0 && before.size() + line.size() > m_maxFileSize) {
        if (txlink::Status rotated = rotate(); !rotated) {
            // Writing on would break the bound; the line is lost like any other that fails.
            return rotated;
        }
    }
    // Opened for each line: lines are a few a minute, and a file rotated or removed by anyone
    // else is then simply made again.
    QFile file(filePath());
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered,
                   QFile::ReadOwner | QFile::WriteOwner)) {
        return failure(file.errorString());
    }
    QByteArray bytes = line;
    // A line cut short before (a full disk, a crash) must not run into this one.
    char last = '\n';
    if (file.size() > 0 && (!file.seek(file.size() - 1) || !file.getChar(&last))) {
        return failure(file.errorString());
    }
    if (last != '\n') {
        bytes.prepend('\n');
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        return failure(error != 0 ? QString::fromLocal8Bit(std::strerror(error))
                                  : file.errorString());
    }
    return {};
}

txlink::Status FileTransmitLog::rotate() const {
    for (int n = kOldFiles; n >= 1; --n) {
        const QString from = n == 1 ? filePath() : oldFilePath(n - 1);
        // rename() replaces the oldest file in one step, where QFile::rename would refuse.
        if (std::rename(QFile::encodeName(from).constData(),
                        QFile::encodeName(oldFilePath(n)).constData()) != 0 &&
            errno != ENOENT) {
            return systemFailure(QStringLiteral("cannot rename ") + printableName(from) +
                                 QStringLiteral(" to ") + printableName(oldFilePath(n)));
        }
    }
    return {};
}

}  // namespace platform
