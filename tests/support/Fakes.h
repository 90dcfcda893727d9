#pragma once

#include <QMap>
#include <QStringList>
#include <QUrl>
#include <tuple>

#include "platform/SettingsStore.h"
#include "support/FakeClock.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UrlOpener.h"

namespace testsupport {

class MemorySettingsStore final : public platform::SettingsStore {
public:
    txlink::Result<QString> read(const QString& application, const QString& section,
                                 const QString& key, const QString& defaultValue) const override {
        return m_values.value({application, section, key}, defaultValue);
    }
    txlink::Status write(const QString& application, const QString& section, const QString& key,
                         const QString& value) override {
        if (failWrites) {
            return txlink::Error{txlink::error::kSettingsFile,
                                 "the settings file cannot be written"};
        }
        m_values[{application, section, key}] = value;
        ++saves;
        return txlink::Status::success();
    }
    int saves = 0;
    bool failWrites = false;

private:
    QMap<std::tuple<QString, QString, QString>, QString> m_values;
};

class RecordingMessageBox final : public ui::common::MessageBox {
public:
    void critical(const QString& title, const QString& message) override {
        titles << title;
        messages << message;
    }
    // A start-up message is a fixed text that ends in an empty line, then the reason in plain
    // words on one line, and for a port in use or missing a line of guidance; these split them.
    QStringList fixedTexts() const {
        QStringList texts;
        for (const QString& m : messages) {
            texts << m.left(fixedLength(m));
        }
        return texts;
    }
    QStringList reasons() const {
        QStringList texts;
        for (const QString& m : messages) {
            texts << m.mid(fixedLength(m)).section(u'\r', 0, 0);
        }
        return texts;
    }
    // What follows the reason: empty, or the guidance line.
    QStringList guidance() const {
        QStringList texts;
        for (const QString& m : messages) {
            texts << m.mid(fixedLength(m)).section(u'\r', 1);
        }
        return texts;
    }
    void notify(const QString& title, const QString& message) override {
        notices << title + u'|' + message;
    }
    int ask(const QString& title, const QString& message, const QStringList& choices,
            int cancelChoice) override {
        questions << title + u'|' + message + u'|' + choices.join(u'/');
        return answers.isEmpty() ? cancelChoice : answers.takeFirst();
    }
    QStringList notices;
    QStringList questions;
    QList<int> answers;  // what ask() answers, in turn; the cancel choice when none is left
    QStringList titles;
    QStringList messages;

private:
    static qsizetype fixedLength(const QString& message) {
        const qsizetype emptyLine = message.lastIndexOf(QLatin1String("\r\r"));
        return emptyLine < 0 ? 0 : emptyLine + 2;
    }
};

class RecordingUrlOpener final : public ui::common::UrlOpener {
public:
    void open(const QUrl& url) override { opened << url; }
    QList<QUrl> opened;
};

}  // namespace testsupport
