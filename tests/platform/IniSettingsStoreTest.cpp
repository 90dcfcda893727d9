#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "platform/IniSettingsStore.h"
#include "platform/NetworkControlSetting.h"
#include "platform/PortSetting.h"

using platform::IniSettingsStore;

namespace {

void save(platform::SettingsStore&& store, const QString& application, const QString& section,
          const QString& key, const QString& value) {
    EXPECT_TRUE(store.write(application, section, key, value).ok());
}

void save(platform::SettingsStore& store, const QString& application, const QString& section,
          const QString& key, const QString& value) {
    EXPECT_TRUE(store.write(application, section, key, value).ok());
}

QString load(const platform::SettingsStore& store, const QString& application,
             const QString& section, const QString& key, const QString& defaultValue) {
    const txlink::Result<QString> value = store.read(application, section, key, defaultValue);
    EXPECT_TRUE(value.ok());
    return value ? *value : QStringLiteral("<unreadable>");
}

const QString kAwkward[] = {
    QStringLiteral("settings_/usr/local/bin"),
    QStringLiteral("C:\\Program Files\\Vora"),
    QStringLiteral("a:b%20c=d[e]"),
    QStringLiteral("  spaced  out  "),
    QStringLiteral("two\nlines"),
    QStringLiteral("Grüße ☺ ÆØÅ"),
    QStringLiteral("General"),
    QStringLiteral("%General"),
    QStringLiteral(""),
};

}  // namespace

TEST(IniSettingsStore, AwkwardTextsRoundTripInEveryPartOfTheAddress) {
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    for (const QString& text : kAwkward) {
        SCOPED_TRACE(text.toStdString());
        const QString value = QStringLiteral("value of ") + text;
        save(store, text, QStringLiteral("section"), QStringLiteral("key"), value + u'1');
        save(store, QStringLiteral("app"), text, QStringLiteral("key"), value + u'2');
        save(store, QStringLiteral("app"), QStringLiteral("section"), text, value + u'3');
        save(store, QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("k"), text);

        IniSettingsStore reread(store.filePath());
        EXPECT_EQ(load(reread, text, QStringLiteral("section"), QStringLiteral("key"), {}),
                  value + u'1');
        EXPECT_EQ(load(reread, QStringLiteral("app"), text, QStringLiteral("key"), {}),
                  value + u'2');
        EXPECT_EQ(load(reread, QStringLiteral("app"), QStringLiteral("section"), text, {}),
                  value + u'3');
        EXPECT_EQ(load(reread, QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("k"), {}),
                  text);
    }
}

TEST(IniSettingsStore, SeparatorsNeverMakeTwoAddressesMeet) {
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    save(store, QStringLiteral("app"), QStringLiteral("settings_/a/b"), QStringLiteral("c"),
         QStringLiteral("one"));
    save(store, QStringLiteral("app"), QStringLiteral("settings_/a"), QStringLiteral("b/c"),
         QStringLiteral("two"));
    save(store, QStringLiteral("app/settings_"), QStringLiteral("a"), QStringLiteral("b/c"),
         QStringLiteral("three"));
    save(store, QStringLiteral("app"), QStringLiteral("settings_\\a\\b"), QStringLiteral("c"),
         QStringLiteral("four"));
    save(store, QStringLiteral("app"), QStringLiteral("Settings_/a/b"), QStringLiteral("c"),
         QStringLiteral("five"));

    EXPECT_EQ(load(store, QStringLiteral("app"), QStringLiteral("settings_/a/b"),
                   QStringLiteral("c"), {}),
              "one");
    EXPECT_EQ(load(store, QStringLiteral("app"), QStringLiteral("settings_/a"),
                   QStringLiteral("b/c"), {}),
              "two");
    EXPECT_EQ(load(store, QStringLiteral("app/settings_"), QStringLiteral("a"),
                   QStringLiteral("b/c"), {}),
              "three");
    EXPECT_EQ(load(store, QStringLiteral("app"), QStringLiteral("settings_\\a\\b"),
                   QStringLiteral("c"), {}),
              "four");
    EXPECT_EQ(load(store, QStringLiteral("app"), QStringLiteral("Settings_/a/b"),
                   QStringLiteral("c"), {}),
              "five");
}

TEST(IniSettingsStore, NothingStoredGivesTheDefault) {
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("missing/settings.ini")));
    EXPECT_EQ(load(store, QStringLiteral("VoraTXController"), QStringLiteral("settings_/x"),
                   QStringLiteral("compoorttxt"), QStringLiteral("1")),
              "1");
    save(store, QStringLiteral("VoraTXController"), QStringLiteral("settings_/x"),
         QStringLiteral("compoorttxt"), QStringLiteral("Com 3"));
    EXPECT_EQ(load(store, QStringLiteral("VoraTXController"), QStringLiteral("settings_/y"),
                   QStringLiteral("compoorttxt"), QStringLiteral("?")),
              "?");
}

TEST(IniSettingsStore, AFileThatCannotBeWrittenIsAFailureNotASilentLoss) {
    IniSettingsStore store(QStringLiteral("/proc/no-such-folder/settings.ini"));
    const txlink::Status written = store.write(QStringLiteral("a"), QStringLiteral("b"),
                                               QStringLiteral("c"), QStringLiteral("d"));
    EXPECT_FALSE(written.ok());
    EXPECT_NE(written.error().reason.find("/proc/no-such-folder/settings.ini"), std::string::npos);
}

TEST(IniSettingsStore, ValuesSurviveANewProcess) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const QString value = QStringLiteral("Com 7 / ☺");
    {
        QProcess writer;
        writer.start(QStringLiteral(SETTINGS_PROBE),
                     {QStringLiteral("set"), file, QStringLiteral("app"),
                      QStringLiteral("settings_/opt/x"), QStringLiteral("compoorttxt"), value});
        ASSERT_TRUE(writer.waitForFinished(10000));
        ASSERT_EQ(writer.exitCode(), 0);
    }
    QProcess reader;
    reader.start(
        QStringLiteral(SETTINGS_PROBE),
        {QStringLiteral("get"), file, QStringLiteral("app"), QStringLiteral("settings_/opt/x"),
         QStringLiteral("compoorttxt"), QStringLiteral("default")});
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()), value);
}

// A settings file that cannot be read is an error with its reason, never the default: start-up
// must not quietly open port 1 instead of the operator's port.
TEST(IniSettingsStore, AFileThatCannotBeReadIsAnErrorNotTheDefault) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    ASSERT_TRUE(QDir().mkpath(path));  // a folder in its place
    const txlink::Result<QString> value = IniSettingsStore(path).read(
        QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("1"));
    ASSERT_FALSE(value.ok());
    EXPECT_EQ(value.error().number, txlink::error::kSettingsFile);
    EXPECT_NE(value.error().reason.find("a folder is in its place"), std::string::npos)
        << value.error().reason;
}

// Qt keeps an unwritten value in a cache that every reader in the process shares, and writes it
// out later by itself. A save that failed must leave no trace: readers in this process and the
// file on disk keep the value that was stored. (Root ignores file permissions, so the write is
// made to fail with a file size limit of one byte.)
TEST(IniSettingsStore, AFailedWriteLeavesTheStoredValueEverywhere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    const auto app = QStringLiteral("a"), section = QStringLiteral("b"), key = QStringLiteral("c");
    save(IniSettingsStore(path), app, section, key, QStringLiteral("Com 3"));
    {
        struct FileSizeLimit {
            FileSizeLimit() {
                std::signal(SIGXFSZ, SIG_IGN);
                getrlimit(RLIMIT_FSIZE, &before);
                const rlimit tiny{1, before.rlim_max};
                setrlimit(RLIMIT_FSIZE, &tiny);
            }
            ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
            rlimit before{};
        } limit;
        IniSettingsStore store(path);
        const txlink::Status written = store.write(app, section, key, QStringLiteral("Com 7"));
        ASSERT_FALSE(written.ok());
        EXPECT_EQ(written.error().number, txlink::error::kSettingsFile);
        EXPECT_EQ(load(store, app, section, key, {}), "Com 3");
    }
    EXPECT_EQ(load(IniSettingsStore(path), app, section, key, {}), "Com 3");
    QProcess reader;
    reader.start(QStringLiteral(SETTINGS_PROBE),
                 {QStringLiteral("get"), path, app, section, key, QStringLiteral("default")});
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()), "Com 3");
}

// Network control is remembered in a group of its own: the port text's line stays as it was.
TEST(IniSettingsStore, NetworkControlHasAGroupOfItsOwnBesideThePortText) {
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ASSERT_TRUE(platform::savePortText(store, QStringLiteral("Com 3")).ok());
    QFile file(store.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    for (const bool on : {true, false}) {
        ASSERT_TRUE(platform::saveNetworkControlOn(store, on).ok());
        EXPECT_EQ(platform::readNetworkControlOn(store).value(), on);
    }
    EXPECT_EQ(platform::readPortText(store, QString()).value(), QStringLiteral("Com 3"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> after = file.readAll().split('\n');
    for (const QByteArray& line : before.split('\n')) {
        EXPECT_TRUE(after.contains(line)) << line.toStdString();
    }
    EXPECT_TRUE(after.contains("[NetworkControl]"));
}
