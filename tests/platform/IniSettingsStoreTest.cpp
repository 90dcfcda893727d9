#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include "platform/IniSettingsStore.h"
#include "platform/NetworkControlSetting.h"
#include "platform/PortSetting.h"

using platform::IniSettingsStore;

#include "support/ScopedEnvironment.h"

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

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

using testsupport::ScopedEnvironment;

// Both things the program stores, each saved as the operator saves it.
struct Saver {
    const char* what;
    std::function<txlink::Status(platform::SettingsStore&)> save;
};
const Saver kSavers[] = {
    {"the port",
     [](auto& store) { return platform::savePortText(store, QStringLiteral("Com 3")); }},
    {"network control", [](auto& store) { return platform::saveNetworkControlOn(store, true); }},
};

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
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("settings.ini")});
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

// Everything a save writes lives beside the settings file: a temporary folder that is missing,
// not a folder, or merely watched is never touched, and the config folder ends with the settings
// file alone.
TEST(IniSettingsStore, SavingNeedsNothingOfTheTemporaryFolder) {
    QTemporaryDir dir;  // made before TMPDIR changes, since QTemporaryDir itself lives there
    const QString plainFile = dir.filePath(QStringLiteral("plain-file"));
    const QString watched = dir.filePath(QStringLiteral("watched"));
    {
        QFile file(plainFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left alone");
    }
    ASSERT_TRUE(QDir().mkpath(watched));
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(
        ::inotify_add_watch(watch, QFile::encodeName(watched).constData(), IN_CREATE | IN_MOVED_TO),
        0);

    const struct {
        const char* what;
        QString temporaryFolder;
    } kTemporaryFolders[] = {
        {"a folder that does not exist", dir.filePath(QStringLiteral("missing"))},
        {"a plain file", plainFile},
        {"an empty folder", watched},
    };
    int made = 0;
    for (const auto& row : kTemporaryFolders) {
        for (const Saver& saver : kSavers) {
            SCOPED_TRACE(std::string(row.what) + ", saving " + saver.what);
            const QString config = dir.filePath(QStringLiteral("config-%1/sub").arg(++made));
            IniSettingsStore store(config + QStringLiteral("/settings.ini"));
            {
                const ScopedEnvironment temporary("TMPDIR", row.temporaryFolder);
                const txlink::Status saved = saver.save(store);
                EXPECT_TRUE(saved.ok()) << saved.error().reason;
            }
            EXPECT_EQ(entriesOf(config), QStringList{QStringLiteral("settings.ini")});
        }
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(bytesOf(plainFile), "left alone");
    char event[sizeof(inotify_event) + NAME_MAX + 1];
    EXPECT_EQ(::read(watch, event, sizeof event), -1) << "a file was made in the temporary folder";
    ::close(watch);
    EXPECT_TRUE(entriesOf(watched).isEmpty());
}

// A settings file that is a link (kept with the operator's other files, say) stays a link: the file
// it names is the one replaced, and nothing is left in either folder.
TEST(IniSettingsStore, ALinkedSettingsFileStaysALinkAndTheFileItNamesIsReplaced) {
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept/vora.ini"));
    const QString link = dir.filePath(QStringLiteral("config/settings.ini"));
    IniSettingsStore keptStore(kept);
    ASSERT_TRUE(platform::saveNetworkControlOn(keptStore, true));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("config"))));
    ASSERT_TRUE(QFile::link(kept, link));

    IniSettingsStore store(link);
    ASSERT_TRUE(platform::savePortText(store, QStringLiteral("Com 3")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(platform::readPortText(IniSettingsStore(kept), {}).value(), "Com 3");
    EXPECT_TRUE(platform::readNetworkControlOn(IniSettingsStore(kept)).value());
    EXPECT_EQ(entriesOf(dir.filePath(QStringLiteral("kept"))),
              QStringList{QStringLiteral("vora.ini")});
    EXPECT_EQ(entriesOf(dir.filePath(QStringLiteral("config"))),
              QStringList{QStringLiteral("settings.ini")});
}

// A file system of its own, of a few pages, that a test fills as it needs. Only root may mount
// one; elsewhere these tests are skipped.
class IniSettingsStoreOnASmallDisk : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "mounting a small disk needs root";
        }
        ASSERT_TRUE(m_mountPoint.isValid());
        if (::mount("tmpfs", QFile::encodeName(disk()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a small disk: " << std::strerror(errno);
        }
        m_mounted = true;
    }
    void TearDown() override {
        if (m_mounted) {
            ::umount2(QFile::encodeName(disk()).constData(), MNT_DETACH);
        }
    }

    QString disk() const { return m_mountPoint.path(); }

    // Fills the disk up to `pages` free pages, growing or shrinking one filler file.
    void fillLeaving(int pages) const {
        const int fd = ::open(QFile::encodeName(disk() + QStringLiteral("/filler")).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray chunk(4096, 'f');
        while (::write(fd, chunk.constData(), chunk.size()) > 0) {
        }
        const int error = errno;
        const off_t full = ::lseek(fd, 0, SEEK_END);
        const off_t left = std::max<off_t>(0, full - pages * ::sysconf(_SC_PAGESIZE));
        const int truncated = ::ftruncate(fd, left);
        ::close(fd);
        ASSERT_EQ(error, ENOSPC);
        ASSERT_EQ(truncated, 0);
    }

private:
    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
};

// A save on a full disk is a failure that says so, and the settings stored before it stay as
// they were, to the byte; nothing is left beside them.
TEST_F(IniSettingsStoreOnASmallDisk, AFullDiskIsAFailureThatLeavesTheStoredFileAsItWas) {
    const QString config = disk() + QStringLiteral("/VoraTXController");
    IniSettingsStore store(config + QStringLiteral("/settings.ini"));
    ASSERT_TRUE(platform::savePortText(store, QStringLiteral("Com 7")));
    ASSERT_TRUE(platform::saveNetworkControlOn(store, false));
    const QByteArray before = bytesOf(store.filePath());
    fillLeaving(0);

    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.what);
        const txlink::Status saved = saver.save(store);
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error().number, txlink::error::kSettingsFile);
        EXPECT_NE(saved.error().reason.find("the disk is full"), std::string::npos)
            << saved.error().reason;
        EXPECT_EQ(bytesOf(store.filePath()), before);
        EXPECT_EQ(entriesOf(config), QStringList{QStringLiteral("settings.ini")});
    }
    EXPECT_EQ(platform::readPortText(IniSettingsStore(store.filePath()), {}).value(), "Com 7");

    // The first save of all, with nothing stored yet, leaves nothing either.
    IniSettingsStore first(disk() + QStringLiteral("/first/settings.ini"));
    EXPECT_FALSE(platform::savePortText(first, QStringLiteral("Com 3")));
    EXPECT_FALSE(QFileInfo::exists(first.filePath()));
    EXPECT_TRUE(entriesOf(disk() + QStringLiteral("/first")).isEmpty());
}

// With only a little room left, each save is whole or not at all: either the new value is stored
// beside the old one, or the file is as it was. The rows span room for none to room for all.
TEST_F(IniSettingsStoreOnASmallDisk, EverySaveOnANearlyFullDiskIsWholeOrNothing) {
    const QString config = disk() + QStringLiteral("/VoraTXController");
    IniSettingsStore store(config + QStringLiteral("/settings.ini"));
    ASSERT_TRUE(platform::saveNetworkControlOn(store, true));
    bool someSaved = false;
    bool someRefused = false;
    for (int pages = 0; pages <= 6; ++pages) {
        SCOPED_TRACE(pages);
        fillLeaving(pages);
        const QByteArray before = bytesOf(store.filePath());
        // Each text has a length of its own, so no reader can take the file for the one before.
        const QString port = QStringLiteral("Com ") + QString(pages + 1, u'1');
        if (const txlink::Status saved = platform::savePortText(store, port); saved) {
            someSaved = true;
            EXPECT_EQ(platform::readPortText(IniSettingsStore(store.filePath()), {}).value(), port);
        } else {
            someRefused = true;
            EXPECT_NE(saved.error().reason.find("the disk is full"), std::string::npos)
                << saved.error().reason;
            EXPECT_EQ(bytesOf(store.filePath()), before);
        }
        EXPECT_TRUE(platform::readNetworkControlOn(IniSettingsStore(store.filePath())).value());
        EXPECT_EQ(entriesOf(config), QStringList{QStringLiteral("settings.ini")});
    }
    EXPECT_TRUE(someSaved);
    EXPECT_TRUE(someRefused);
}

// A full temporary folder is no concern of the settings: the save succeeds and adds nothing there.
TEST_F(IniSettingsStoreOnASmallDisk, AFullTemporaryFolderDoesNotStopASave) {
    QTemporaryDir config;
    fillLeaving(0);
    IniSettingsStore store(config.filePath(QStringLiteral("settings.ini")));
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.what);
        const ScopedEnvironment temporary("TMPDIR", disk());
        const txlink::Status saved = saver.save(store);
        EXPECT_TRUE(saved.ok()) << saved.error().reason;
        EXPECT_EQ(entriesOf(disk()), QStringList{QStringLiteral("filler")});
    }
    EXPECT_EQ(platform::readPortText(store, {}).value(), "Com 3");
    EXPECT_TRUE(platform::readNetworkControlOn(store).value());
}
