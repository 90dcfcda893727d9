#pragma once

#include <QString>

#include "txlink/Result.h"

namespace platform {

// The per-user application-settings store. Application, section and key are free text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value stored under the address, or `defaultValue` when nothing is stored there.
    virtual txlink::Result<QString> read(const QString& application, const QString& section,
                                         const QString& key, const QString& defaultValue) const = 0;
    virtual txlink::Status write(const QString& application, const QString& section,
                                 const QString& key, const QString& value) = 0;
};

}  // namespace platform
