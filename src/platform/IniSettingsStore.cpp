#include "platform/IniSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"

namespace platform {
// Why the settings cannot be read or saved is read in the boxes, so it is in the operator's
// language (context "SettingsFile").
namespace {

QString oneName(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString addressOf(const QString& application, const QString& section, const QString& key) {
    return oneName(application) + u'/' + oneName(section) + u'/' + oneName(key);
}

bool diskIsFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

// QSettings says only that it failed; the file system says why, in words an operator can act on.
// `error` is the system's error number where one is known, else 0.
QString problemWith(const QString& path, QSettings::Status status, bool writing, int error = 0) {
    if (status == QSettings::FormatError) {
        return QCoreApplication::translate("SettingsFile", "it is not a settings file");
    }
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        return QCoreApplication::translate("SettingsFile", "a folder is in its place");
    }
    if (!writing) {
        return QCoreApplication::translate("SettingsFile", "you may not read it");
    }
    if (diskIsFull(error)) {
        return QCoreApplication::translate("SettingsFile", "the disk is full");
    }
    if (folder.exists() && !folder.isDir()) {
        return QCoreApplication::translate("SettingsFile", "%1 is not a folder")
            .arg(folder.filePath());
    }
    if (file.exists() && !file.isWritable()) {
        return QCoreApplication::translate("SettingsFile", "the file is read-only");
    }
    if (folder.exists() && !folder.isWritable()) {
        return QCoreApplication::translate("SettingsFile", "its folder is read-only");
    }
    if (error != 0) {
        return QString::fromLocal8Bit(std::strerror(error));
    }
    return QCoreApplication::translate("SettingsFile", "the disk may be full");
}

txlink::Error failure(const QString& reason) {
    return txlink::Error{txlink::error::kSettingsFile, reason.toStdString()};
}

// The file a save replaces: a settings file that is a link stays one, and the file it names is
// replaced, in that file's own folder.
QString fileToReplace(const QString& path) {
    const QFileInfo file(path);
    if (!file.isSymLink()) {
        return file.absoluteFilePath();
    }
    const QString resolved = file.canonicalFilePath();
    return resolved.isEmpty() ? file.symLinkTarget() : resolved;
}

// Writes all of `bytes`, taking a short write as a reason to try the rest; 0, or errno.
int writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        done += written;
    }
    return 0;
}

// Fills a fresh scratch file with `bytes` and checks that the file holds all of them. A full disk
// may accept a write and lose it on the way down, which only fsync reports: `durable` asks for
// that too. 0, or errno.
int fill(QTemporaryFile& scratch, const QByteArray& bytes, bool durable) {
    errno = 0;
    if (!scratch.open()) {
        return errno != 0 ? errno : EIO;
    }
    const int fd = scratch.handle();
    if (const int error = writeAll(fd, bytes); error != 0) {
        return error;
    }
    if (durable && ::fsync(fd) != 0) {
        return errno;
    }
    struct stat written {};
    if (::fstat(fd, &written) != 0) {
        return errno;
    }
    return written.st_size == bytes.size() ? 0 : EIO;
}

// Qt's own writes do not say why they failed, and the disk being too full for the new file is the
// usual reason: trying to write that much beside it tells. The errno of a full disk, or 0.
int lackOfRoomFor(const QString& target, qint64 size) {
    QTemporaryFile probe(target + QStringLiteral(".XXXXXX"));
    const int error = fill(probe, QByteArray(size, '\0'), false);
    return diskIsFull(error) ? error : 0;
}

using Values = QMap<QString, QVariant>;

Values valuesIn(const QSettings& settings) {
    Values values;
    for (const QString& key : settings.allKeys()) {
        values.insert(key, settings.value(key));
    }
    return values;
}

// The folder records the new name only once it is synced itself; a failure here leaves the new
// file in place all the same, so it is not reported.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

IniSettingsStore::IniSettingsStore() : IniSettingsStore(settingsFilePath()) {}

IniSettingsStore::IniSettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

txlink::Result<QString> IniSettingsStore::read(const QString& application, const QString& section,
                                               const QString& key,
                                               const QString& defaultValue) const {
    const QSettings settings(m_filePath, QSettings::IniFormat);
    const QString value =
        settings.value(addressOf(application, section, key), defaultValue).toString();
    if (settings.status() != QSettings::NoError) {
        return failure(
            QCoreApplication::translate("SettingsFile", "cannot read the settings file %1: %2")
                .arg(m_filePath, problemWith(m_filePath, settings.status(), false)));
    }
    return value;
}

// Qt's settings keep a value that could not be written in a cache every reader in the process
// shares, and write it out later by themselves; and on a full disk Qt 6.4 may write nothing at all
// and still report success. So QSettings edits a draft of its own, its result is written again by
// hand to a second file, which is synced, measured and read back, and only that file is renamed
// over the settings file, in one step. Every file lives beside the settings file, never in
// $TMPDIR; a save that fails at any point leaves the settings file as it was and nothing behind.
txlink::Status IniSettingsStore::write(const QString& application, const QString& section,
                                       const QString& key, const QString& value) {
    const QString target = fileToReplace(m_filePath);
    const QString folder = QFileInfo(target).absolutePath();
    const auto failed = [&](int error, QSettings::Status status = QSettings::AccessError) {
        return failure(
            QCoreApplication::translate("SettingsFile", "cannot write the settings file %1: %2")
                .arg(m_filePath, problemWith(target, status, true, error)));
    };
    errno = 0;
    if (!QDir().mkpath(folder)) {
        return failed(errno);
    }

    QByteArray stored;
    if (QFile current(target); current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            return failed(0);
        }
        stored = current.readAll();
        if (current.error() != QFileDevice::NoError) {
            return failed(0);
        }
    }
    const QString scratchName = target + QStringLiteral(".XXXXXX");
    QTemporaryFile draft(scratchName);
    if (const int error = fill(draft, stored, false); error != 0) {
        return failed(error);
    }
    draft.close();

    // Room for the new file, should QSettings escape every character of the new line, and for the
    // lock it takes beside its draft.
    const QString address = addressOf(application, section, key);
    const qint64 room = stored.size() + 2 * address.size() + 6 * value.size() + 4096;
    Values expected;
    {
        QSettings settings(draft.fileName(), QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            return failed(0, settings.status());
        }
        settings.setValue(address, value);
        // What QSettings holds in memory, its keys as it spells them, is what the disk must hold.
        expected = valuesIn(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            return failed(lackOfRoomFor(target, room), settings.status());
        }
    }
    QFile edited(draft.fileName());
    if (!edited.open(QIODevice::ReadOnly)) {
        return failed(0);
    }
    const QByteArray bytes = edited.readAll();
    edited.close();

    QTemporaryFile replacement(scratchName);
    if (const int error = fill(replacement, bytes, true); error != 0) {
        return failed(error);
    }
    const QFileInfo old(target);
    replacement.setPermissions(old.exists() ? old.permissions()
                                            : QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::ReadOther);
    replacement.close();
    {
        // A name QSettings has never seen, so this reads the disk rather than its cache.
        const QSettings check(replacement.fileName(), QSettings::IniFormat);
        if (check.status() != QSettings::NoError || valuesIn(check) != expected) {
            return failed(lackOfRoomFor(target, room));
        }
    }
    if (::rename(QFile::encodeName(replacement.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        return failed(errno);
    }
    replacement.setAutoRemove(false);
    syncFolder(folder);
    return txlink::Status::success();
}

}  // namespace platform
