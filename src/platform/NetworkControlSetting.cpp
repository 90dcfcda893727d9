#include "platform/NetworkControlSetting.h"

#include "platform/PortSetting.h"

namespace platform {
namespace {

const QString kApplication = QStringLiteral("NetworkControl");
const QString kKey = QStringLiteral("enabled");
const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");

}  // namespace

txlink::Result<bool> readNetworkControlOn(const SettingsStore& store) {
    const txlink::Result<QString> value = store.read(kApplication, settingsSection(), kKey, kOff);
    if (!value) {
        return value.error();
    }
    return *value == kOn;
}

txlink::Status saveNetworkControlOn(SettingsStore& store, bool on) {
    return store.write(kApplication, settingsSection(), kKey, on ? kOn : kOff);
}

}  // namespace platform
