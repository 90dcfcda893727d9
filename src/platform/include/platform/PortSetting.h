#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace platform {

// The one stored value: the port text chosen in the Settings dialog, per user and per
// installation folder. The address is built afresh on every use.
txlink::Result<QString> readPortText(const SettingsStore& store, const QString& defaultText);
txlink::Status savePortText(SettingsStore& store, const QString& portText);

}  // namespace platform
