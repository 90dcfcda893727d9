#include "platform/TransmitTimeoutSetting.h"

#include "platform/PortSetting.h"

namespace platform {
namespace {

const QString kApplication = QStringLiteral("TransmitTimeout");
const QString kKey = QStringLiteral("seconds");

}  // namespace

txlink::Result<std::optional<std::chrono::seconds>> readTransmitTimeout(
    const SettingsStore& store) {
    const txlink::Result<QString> value =
        store.read(kApplication, settingsSection(), kKey, QStringLiteral("0"));
    if (!value) {
        return value.error();
    }
    bool ok = false;
    const int seconds = value->toInt(&ok);
    // A value edited by hand into nonsense is no limit rather than a surprise.
    if (!ok || seconds <= 0) {
        return std::optional<std::chrono::seconds>();
    }
    return std::optional(std::chrono::seconds(seconds));
}

txlink::Status saveTransmitTimeout(SettingsStore& store,
                                   std::optional<std::chrono::seconds> limit) {
    return store.write(kApplication, settingsSection(), kKey,
                       QString::number(limit ? limit->count() : 0));
}

}  // namespace platform
