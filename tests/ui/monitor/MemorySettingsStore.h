#pragma once

#include <QHash>
#include <QString>

#include "platform/SettingsStore.h"

namespace test {

class MemorySettingsStore : public platform::SettingsStore {
public:
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        return m_values.value(address(application, section, key), defaultValue);
    }

    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override {
        m_values.insert(address(application, section, key), value);
    }

private:
    static QString address(const QString& application, const QString& section, const QString& key) {
        return application + QChar(0) + section + QChar(0) + key;
    }

    QHash<QString, QString> m_values;
};

}  // namespace test
