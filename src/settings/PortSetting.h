#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace settings {

// The one stored value: the port text chosen in the Settings dialog, per user and per
// installation folder. The address is built afresh on every use.
QString readPortText(const platform::SettingsStore& store, const QString& defaultText);
void savePortText(platform::SettingsStore& store, const QString& portText);

}  // namespace settings
