#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace platform {

// The section of every stored setting: one per installation folder, so that a copy of the program
// elsewhere starts with nothing stored. Built afresh on every use.
QString settingsSection();

// The one stored value: the port text chosen in the Settings dialog, per user and per
// installation folder.
txlink::Result<QString> readPortText(const SettingsStore& store, const QString& defaultText);
txlink::Status savePortText(SettingsStore& store, const QString& portText);

}  // namespace platform
