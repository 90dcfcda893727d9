#pragma once

#include <QMap>
#include <QStringList>
#include <QUrl>
#include <stdexcept>
#include <tuple>

#include "link/TimeOfDay.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/UrlOpener.h"

namespace testsupport {

class MemorySettingsStore final : public platform::SettingsStore {
public:
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        return m_values.value({application, section, key}, defaultValue);
    }
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override {
        if (failWrites) {
            throw std::runtime_error("the settings file cannot be written");
        }
        m_values[{application, section, key}] = value;
        ++saves;
    }
    int saves = 0;
    bool failWrites = false;

private:
    QMap<std::tuple<QString, QString, QString>, QString> m_values;
};

class RecordingMessageBox final : public platform::MessageBox {
public:
    void critical(const QString& title, const QString& message) override {
        titles << title;
        messages << message;
    }
    QStringList titles;
    QStringList messages;
};

class RecordingUrlOpener final : public platform::UrlOpener {
public:
    void open(const QUrl& url) override { opened << url; }
    QList<QUrl> opened;
};

class FakeClock final : public txlink::Clock {
public:
    txlink::TimeOfDay now() const override { return time; }
    txlink::TimeOfDay time;
};

}  // namespace testsupport
