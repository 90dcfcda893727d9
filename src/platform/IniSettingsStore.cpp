#include "platform/IniSettingsStore.h"

#include <QSettings>
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

}  // namespace

IniSettingsStore::IniSettingsStore() : IniSettingsStore(settingsFilePath()) {}

IniSettingsStore::IniSettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

txlink::Result<QString> IniSettingsStore::read(const QString& application, const QString& section,
                                               const QString& key,
                                               const QString& defaultValue) const {
    const QSettings settings(m_filePath, QSettings::IniFormat);
    return settings.value(addressOf(application, section, key), defaultValue).toString();
}

txlink::Status IniSettingsStore::write(const QString& application, const QString& section,
                                       const QString& key, const QString& value) {
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.setValue(addressOf(application, section, key), value);
    // QSettings writes through a temporary file and renames it, so a crash never leaves half a
    // file.
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        return txlink::Error{txlink::error::kInternal,
                             "cannot write the settings file " + m_filePath.toStdString()};
    }
    return txlink::Status::success();
}

}  // namespace platform
