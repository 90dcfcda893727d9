#include "platform/PortSetting.h"

#include <QCoreApplication>

namespace platform {
namespace {

const QString kApplication = QStringLiteral("VoraTXController");
const QString kKey = QStringLiteral("compoorttxt");

}  // namespace

QString settingsSection() {
    return QStringLiteral("settings_") + QCoreApplication::applicationDirPath();
}

txlink::Result<QString> readPortText(const SettingsStore& store, const QString& defaultText) {
    return store.read(kApplication, settingsSection(), kKey, defaultText);
}

txlink::Status savePortText(SettingsStore& store, const QString& portText) {
    return store.write(kApplication, settingsSection(), kKey, portText);
}

}  // namespace platform
