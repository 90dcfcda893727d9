#pragma once

#include <chrono>
#include <optional>

#include "platform/SettingsStore.h"

namespace platform {

// The transmit time-out the operator chose ("Options", "Transmit Time-out"), per user and per
// installation folder, in a group of its own beside the port text. Off (empty) when nothing, or
// nothing sensible, is stored.
txlink::Result<std::optional<std::chrono::seconds>> readTransmitTimeout(const SettingsStore& store);
txlink::Status saveTransmitTimeout(SettingsStore& store, std::optional<std::chrono::seconds> limit);

}  // namespace platform
