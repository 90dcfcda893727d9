#pragma once

#include "platform/SettingsStore.h"

namespace platform {

// The settings store as an INI file per user. Application, section and key are percent-encoded
// into one name each, so '/' and '\' do not nest groups and two different texts never meet.
class IniSettingsStore final : public SettingsStore {
public:
    // The per-user file, settingsFilePath().
    IniSettingsStore();
    explicit IniSettingsStore(QString filePath);

    txlink::Result<QString> read(const QString& application, const QString& section,
                                 const QString& key, const QString& defaultValue) const override;
    txlink::Status write(const QString& application, const QString& section, const QString& key,
                         const QString& value) override;

    const QString& filePath() const { return m_filePath; }

private:
    QString m_filePath;
};

}  // namespace platform
