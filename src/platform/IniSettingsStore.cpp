#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>

#include "platform/ConfigPaths.h"

namespace platform {
namespace {

QString oneName(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString addressOf(const QString& application, const QString& section, const QString& key) {
    return oneName(application) + u'/' + oneName(section) + u'/' + oneName(key);
}

// QSettings says only that it failed; the file system says why, in words an operator can act on.
QString problemWith(const QString& path, QSettings::Status status, bool writing) {
    if (status == QSettings::FormatError) {
        return QStringLiteral("it is not a settings file");
    }
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        return QStringLiteral("a folder is in its place");
    }
    if (!writing) {
        return QStringLiteral("you may not read it");
    }
    if (folder.exists() && !folder.isDir()) {
        return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    }
    if (file.exists() && !file.isWritable()) {
        return QStringLiteral("the file is read-only");
    }
    if (folder.exists() && !folder.isWritable()) {
        return QStringLiteral("its folder is read-only");
    }
    return QStringLiteral("the disk may be full");
}

txlink::Error failure(const QString& reason) {
    return txlink::Error{txlink::error::kSettingsFile, reason.toStdString()};
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
        return failure(QStringLiteral("cannot read the settings file %1: %2")
                           .arg(m_filePath, problemWith(m_filePath, settings.status(), false)));
    }
    return value;
}

// Qt's settings keep a value that could not be written in a cache every reader in the process
// shares, and write it out later by themselves. So the new file is made apart, from a copy, and
// only then put in place in one step: a write that fails leaves no trace anywhere.
txlink::Status IniSettingsStore::write(const QString& application, const QString& section,
                                       const QString& key, const QString& value) {
    const auto failed = [this](QSettings::Status status) {
        return failure(QStringLiteral("cannot write the settings file %1: %2")
                           .arg(m_filePath, problemWith(m_filePath, status, true)));
    };
    QTemporaryFile scratch;
    if (!scratch.open()) {
        return failed(QSettings::AccessError);
    }
    if (QFile current(m_filePath); current.exists()) {
        if (!current.open(QIODevice::ReadOnly) ||
            scratch.write(current.readAll()) != current.size() || !scratch.flush()) {
            return failed(QSettings::AccessError);
        }
    }
    scratch.close();
    QSettings settings(scratch.fileName(), QSettings::IniFormat);
    settings.setValue(addressOf(application, section, key), value);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        return failed(settings.status());
    }

    QFile written(scratch.fileName());
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    // QSaveFile writes beside the file and renames it over the old one: all or nothing.
    QSaveFile file(m_filePath);
    if (!written.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly) ||
        file.write(written.readAll()) != written.size() || !file.commit()) {
        return failed(QSettings::AccessError);
    }
    return txlink::Status::success();
}

}  // namespace platform
