#pragma once

#include <QString>

namespace platform {

// The per-user application-settings store. Application, section and key are free text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value stored under the address, or `defaultValue` when nothing is stored there.
    virtual QString GetSetting(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) const = 0;
    virtual void SaveSetting(const QString& application, const QString& section, const QString& key,
                             const QString& value) = 0;
};

}  // namespace platform
