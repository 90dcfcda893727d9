// The transmit log's file: where it is, what a line looks like, how it stays bounded, and that a
// log that cannot be written says so once and never stops anything.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cctype>
#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ConfigPaths.h"
#include "platform/FileTransmitLog.h"

#include "support/ScopedEnvironment.h"

namespace {

using platform::FileTransmitLog;
namespace logevent = txlink::logevent;

using testsupport::ScopedEnvironment;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

unsigned modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : ~0u;
}

// What the program says about its log, as said.
struct Said {
    QtMsgType type;
    QString text;
};
std::vector<Said> g_said;

void keepSaid(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (QByteArrayView(context.category) == "vora.program") {
        g_said.push_back({type, text});
    }
}

class SaidMessages {
public:
    SaidMessages() : m_previous(qInstallMessageHandler(keepSaid)) { g_said.clear(); }
    ~SaidMessages() { qInstallMessageHandler(m_previous); }
    const std::vector<Said>& all() const { return g_said; }

private:
    QtMessageHandler m_previous;
};

QDateTime at(int hour, int minute, int second, int ms) {
    return QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second, ms), QTimeZone::utc());
}

TEST(TransmitLogFolder, IsTheStateFolderOrItsDefault) {
    const QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedEnvironment homeSet("HOME", home.path());
    const QString byDefault = home.path() + "/.local/state/VoraTXController";
    const struct {
        std::optional<QString> stateHome;
        QString folder;
    } rows[] = {
        {std::nullopt, byDefault},
        {QString(), byDefault},
        {QStringLiteral("relative/state"), byDefault},
        {QStringLiteral("/var/tmp/st"), QStringLiteral("/var/tmp/st/VoraTXController")},
    };
    for (const auto& row : rows) {
        const ScopedEnvironment stateHome("XDG_STATE_HOME", row.stateHome);
        EXPECT_EQ(platform::stateFolder(), row.folder)
            << row.stateHome.value_or("<unset>").toStdString();
        EXPECT_EQ(FileTransmitLog().filePath(), row.folder + "/transmit.log");
    }
}

TEST(TransmitLogFolder, MissingFoldersAreMadeForTheUserAlone) {
    const QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedEnvironment homeSet("HOME", home.path());
    for (const std::optional<QString>& stateHome :
         {std::optional<QString>(), std::optional<QString>(home.path() + "/a/b/state")}) {
        const ScopedEnvironment set("XDG_STATE_HOME", stateHome);
        FileTransmitLog log;
        log.record(logevent::kLinkUp);
        EXPECT_FALSE(log.failing());
        EXPECT_TRUE(bytesOf(log.filePath()).endsWith(" link up\n")) << log.filePath().toStdString();
        // Every folder the log made, up to the one that was there, and the log itself.
        EXPECT_EQ(modeOf(log.filePath()), 0600u);
        for (QString folder = QFileInfo(log.filePath()).path(); folder != home.path();
             folder = QFileInfo(folder).path()) {
            EXPECT_EQ(modeOf(folder), 0700u) << folder.toStdString();
        }
    }
}

TEST(TransmitLogFile, EachLineIsTheUtcTimeWithMillisecondsThenTheEntry) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<QDateTime> times = {
        at(14, 5, 1, 123), at(14, 5, 1, 180), at(14, 6, 11, 180),
        // Whatever zone the source gives, the line is in UTC.
        QDateTime(QDate(2026, 12, 8), QTime(16, 7, 0, 5), QTimeZone(7200)), at(0, 0, 0, 0)};
    std::size_t next = 0;
    FileTransmitLog log(dir.path(), FileTransmitLog::kMaxFileSize,
                        [&] { return times.at(next++); });
    log.record(logevent::kToggle, {{"by", "network"}, {"peer", "127.0.0.1:51234"}});
    log.record(logevent::kCarrierOn);
    log.record(logevent::kCarrierOff, {{"after", "70.0"}});
    log.record(logevent::kClientDropped,
               {{"peer", "[::1]:4000"}, {"reason", "it leaves its answers unread"}});
    log.record(logevent::kToggle, {{"by", "x\ny"}});
    EXPECT_EQ(bytesOf(dir.path() + "/transmit.log"),
              "2026-12-08T14:05:01.123Z toggle by=network peer=127.0.0.1:51234\n"
              "2026-12-08T14:05:01.180Z carrier on\n"
              "2026-12-08T14:06:11.180Z carrier off after=70.0\n"
              "2026-12-08T14:07:00.005Z client dropped peer=[::1]:4000 reason=\"it leaves its "
              "answers unread\"\n"
              "2026-12-08T00:00:00.000Z toggle by=\"x\\x0ay\"\n");
}

TEST(TransmitLogFile, ALineCutShortBeforeDoesNotSwallowTheNext) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileTransmitLog log(dir.path(), FileTransmitLog::kMaxFileSize, [] { return at(9, 0, 0, 0); });
    ASSERT_TRUE(writeFile(log.filePath(), "2026-12-08T08:59:59.000Z toggle by=butt"));
    log.record(logevent::kLinkDown);
    EXPECT_EQ(bytesOf(log.filePath()),
              "2026-12-08T08:59:59.000Z toggle by=butt\n2026-12-08T09:00:00.000Z link down\n");
}

// Lines of 47 bytes ("2026-12-08T14:05:01.123Z toggle by=button n=NN\n"), so that a file of at
// most 100 bytes takes two.
TEST(TransmitLogFile, RotatesBeforeTheLimitAndKeepsThreeOldFilesWithNothingLostBetween) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr qint64 kLimit = 100;
    FileTransmitLog log(dir.path(), kLimit, [] { return at(14, 5, 1, 123); });
    QList<QByteArray> written;
    for (int n = 10; n < 40; ++n) {
        log.record(logevent::kToggle, {{"by", "button"}, {"n", std::to_string(n)}});
        written.append("2026-12-08T14:05:01.123Z toggle by=button n=" + QByteArray::number(n));
        ASSERT_FALSE(log.failing());

        const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        const int old = std::min<int>(n - 10, 2 * FileTransmitLog::kOldFiles) / 2;
        QStringList expected{"transmit.log"};
        for (int i = 1; i <= old; ++i) {
            expected.append(QStringLiteral("transmit.log.%1").arg(i));
        }
        ASSERT_EQ(files, expected) << "after line " << n;

        // Oldest first, the files hold the lines last written, in order, each file as full as
        // the limit allows.
        QByteArray all;
        for (int i = old; i >= 0; --i) {
            const QByteArray bytes = bytesOf(i == 0 ? log.filePath() : log.oldFilePath(i));
            EXPECT_LE(bytes.size(), kLimit);
            all += bytes;
        }
        const QList<QByteArray> lines = all.trimmed().split('\n');
        ASSERT_EQ(lines, written.mid(written.size() - lines.size())) << "after line " << n;
        EXPECT_EQ(lines.size(), std::min<int>(written.size(), 2 * (FileTransmitLog::kOldFiles + 1) -
                                                                  (written.size() % 2)));
    }
}

// A fault in the way of the log, and how to clear it.
struct Fault {
    const char* name;
    const char* stateHome;  // below the test's folder
    std::function<bool(const QString& stateHome)> make;
    std::function<bool(const QString& stateHome)> clear;
    const char* reason;  // part of what standard error must say
};

QString logFolder(const QString& stateHome) {
    return stateHome + "/VoraTXController";
}

// Only one fault is set at a time, by one test, on the one GUI thread.
struct FileSizeLimit {
    static inline rlimit before{};
    static bool set(qint64 bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit tiny{static_cast<rlim_t>(bytes), before.rlim_max};
        return setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    }
    static bool unset() { return setrlimit(RLIMIT_FSIZE, &before) == 0; }
};

const Fault kFaults[] = {
    // As root, permissions stop nothing; a file where a folder must be stops everyone.
    {"a file where a parent folder must be", "/up/state",
     [](const QString& home) { return writeFile(home + "/up", "x"); },
     [](const QString& home) { return QFile::remove(home + "/up"); }, "Not a directory"},
    {"a file where the log's folder must be", "",
     [](const QString& home) { return writeFile(logFolder(home), "x"); },
     [](const QString& home) { return QFile::remove(logFolder(home)); }, "is not a folder"},
    {"a folder where the log must be", "",
     [](const QString& home) { return QDir().mkpath(logFolder(home) + "/transmit.log"); },
     [](const QString& home) {
         return QDir(logFolder(home) + "/transmit.log").removeRecursively();
     },
     "Is a directory"},
    {"a full file system", "",
     [](const QString& home) {
         return QDir().mkpath(logFolder(home)) &&
                writeFile(logFolder(home) + "/transmit.log", "earlier line\n") &&
                FileSizeLimit::set(20);
     },
     [](const QString&) { return FileSizeLimit::unset(); }, "File too large"},
    {"an old file that cannot be replaced", "",
     [](const QString& home) {
         return QDir().mkpath(logFolder(home) + "/transmit.log.3/in") &&
                writeFile(logFolder(home) + "/transmit.log.2", "old\n") &&
                writeFile(logFolder(home) + "/transmit.log", QByteArray(300, 'x') + '\n');
     },
     [](const QString& home) {
         return QDir(logFolder(home) + "/transmit.log.3").removeRecursively();
     },
     "cannot rename"},
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.name;
}

class TransmitLogFault : public ::testing::TestWithParam<Fault> {};

TEST_P(TransmitLogFault, IsSaidOnceAndLinesAreGivenUpUntilItIsCleared) {
    const Fault& fault = GetParam();
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ScopedEnvironment set("XDG_STATE_HOME", dir.path() + fault.stateHome);
    ASSERT_TRUE(fault.make(dir.path()));
    const SaidMessages said;
    FileTransmitLog log(platform::stateFolder(), 320, [] { return at(14, 5, 1, 123); });
    for (int n = 0; n < 5; ++n) {
        log.record(logevent::kToggle, {{"by", "timeout"}, {"n", std::to_string(n)}});
        EXPECT_TRUE(log.failing());
    }
    const bool cleared = fault.clear(dir.path());
    ASSERT_TRUE(cleared);
    ASSERT_EQ(said.all().size(), 1u);
    EXPECT_EQ(said.all()[0].type, QtWarningMsg);
    EXPECT_TRUE(said.all()[0].text.contains(fault.reason)) << said.all()[0].text.toStdString();
    EXPECT_TRUE(said.all()[0].text.contains("VoraTXController"))
        << said.all()[0].text.toStdString();

    log.record(logevent::kCarrierOn);
    log.record(logevent::kCarrierOff, {{"after", "1.0"}});
    EXPECT_FALSE(log.failing());
    ASSERT_EQ(said.all().size(), 2u);
    EXPECT_EQ(said.all()[1].type, QtInfoMsg);
    EXPECT_TRUE(said.all()[1].text.contains("5 line(s) were lost"))
        << said.all()[1].text.toStdString();
    const QByteArray bytes = bytesOf(log.filePath());
    EXPECT_TRUE(
        bytes.endsWith("2026-12-08T14:05:01.123Z carrier on\n"
                       "2026-12-08T14:05:01.123Z carrier off after=1.0\n"))
        << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("toggle")) << "a failed line must be given up whole";
}

INSTANTIATE_TEST_SUITE_P(Faults, TransmitLogFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
