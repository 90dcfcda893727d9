#include "platform/PortSetting.h"

#include <QCoreApplication>

namespace platform {
namespace {

const QString kApplication = QStringLiteral("VoraTXController");
const QString kKey = QStringLiteral("compoorttxt");

// One section per installation folder: a copy elsewhere starts with nothing stored.
QString section() {
    return QStringLiteral("settings_") + QCoreApplication::applicationDirPath();
}

}  // namespace

txlink::Result<QString> readPortText(const SettingsStore& store, const QString& defaultText) {
    return store.read(kApplication, section(), kKey, defaultText);
}

txlink::Status savePortText(SettingsStore& store, const QString& portText) {
    return store.write(kApplication, section(), kKey, portText);
}

}  // namespace platform
