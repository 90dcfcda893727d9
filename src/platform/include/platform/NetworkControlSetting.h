#pragma once

#include "platform/SettingsStore.h"

namespace platform {

// Whether network control was left on ("Options", "Network Control"), per user and per
// installation folder, in a group of its own beside the port text. Off when nothing is stored.
txlink::Result<bool> readNetworkControlOn(const SettingsStore& store);
txlink::Status saveNetworkControlOn(SettingsStore& store, bool on);

}  // namespace platform
