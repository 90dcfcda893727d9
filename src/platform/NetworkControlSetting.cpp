#include "platform/NetworkControlSetting.h"

#include <QCoreApplication>

namespace platform {
namespace {

const QString kApplication = QStringLiteral("NetworkControl");
const QString kKey = QStringLiteral("enabled");
const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");

// One section per installation folder, as for the port text.
QString section() {
    return QStringLiteral("settings_") + QCoreApplication::applicationDirPath();
}

}  // namespace

txlink::Result<bool> readNetworkControlOn(const SettingsStore& store) {
    const txlink::Result<QString> value = store.read(kApplication, section(), kKey, kOff);
    if (!value) {
        return value.error();
    }
    return *value == kOn;
}

txlink::Status saveNetworkControlOn(SettingsStore& store, bool on) {
    return store.write(kApplication, section(), kKey, on ? kOn : kOff);
}

}  // namespace platform
