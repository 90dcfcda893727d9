#pragma once

#include "SettingsStore.h"

namespace platform {

// The settings store as an INI file per user. Application, section and key are percent-encoded
// into one name each, so '/' and '\' do not nest groups and two different texts never meet.
class IniSettingsStore final : public SettingsStore {
public:
    // The per-user file under $XDG_CONFIG_HOME/VoraTXController/.
    IniSettingsStore();
    explicit IniSettingsStore(QString filePath);

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    // Throws std::runtime_error when the file cannot be written.
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override;

    const QString& filePath() const { return m_filePath; }

private:
    QString m_filePath;
};

}  // namespace platform
