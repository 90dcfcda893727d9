#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

#include "PortMapEntry.h"
#include "platform/ConfigPaths.h"

namespace {

using txsim::PortMapEntry;

// A dead simulator's marker: its pid is above the kernel's highest.
enum class Existing {
    Nothing,
    LinkElsewhere,
    DanglingLink,
    DeadSimulators,
    RegularFile,
    Directory
};

struct PublishCase {
    const char* name;
    Existing existing;
    bool published;
    bool replace = false;  // then the entry comes back as it was when the simulator ends
};

class PortMapFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_path = platform::portMapEntryPath(4);
        ASSERT_TRUE(m_path.startsWith(m_config.path()));
        QDir().mkpath(QFileInfo(m_path).path());
        m_target = m_config.filePath(QStringLiteral("pts-standin"));
        QFile(m_target).open(QIODevice::WriteOnly);
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    void create(Existing existing) {
        const QByteArray path = QFile::encodeName(m_path);
        switch (existing) {
            case Existing::Nothing:
                break;
            case Existing::LinkElsewhere:
                ASSERT_EQ(symlink("/dev/null", path.constData()), 0);
                break;
            case Existing::DanglingLink:  // as simulators left them before the marker
                ASSERT_EQ(symlink("/dev/pts/no-such-pty", path.constData()), 0);
                break;
            case Existing::DeadSimulators: {
                ASSERT_EQ(symlink("/dev/pts/no-such-pty", path.constData()), 0);
                QFile marker(PortMapEntry::markerPath(4));
                ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
                marker.write("4194304 /dev/pts/no-such-pty\n");
                break;
            }
            case Existing::RegularFile:
                ASSERT_TRUE(QFile(m_path).open(QIODevice::WriteOnly));
                break;
            case Existing::Directory:
                ASSERT_TRUE(QDir().mkdir(m_path));
                break;
        }
    }

    QTemporaryDir m_config;
    QByteArray m_oldConfig;
    QString m_path;
    QString m_target;
};

class PortMapEntryPublish : public PortMapFixture,
                            public testing::WithParamInterface<PublishCase> {};

TEST_P(PortMapEntryPublish, TakesOnlyADeadSimulatorsEntryUnlessToldToReplace) {
    const PublishCase& c = GetParam();
    create(c.existing);
    const QFileInfo before(m_path);
    const QString linkedBefore = before.symLinkTarget();

    PortMapEntry entry;
    const txlink::Status published = entry.publish(4, m_target, c.replace);
    EXPECT_EQ(published.ok(), c.published) << (published ? "" : published.error().reason);
    const QFileInfo after(m_path);
    if (c.published) {
        EXPECT_TRUE(after.isSymLink());
        EXPECT_EQ(after.symLinkTarget(), m_target);
        EXPECT_TRUE(entry.withdraw().ok());
    } else {
        EXPECT_NE(published.error().reason.find("port 1 is free (--port 1)"), std::string::npos)
            << published.error().reason;
    }
    const QFileInfo end(m_path);
    const bool kept = !c.published || c.replace;
    EXPECT_EQ(end.isDir(), kept && before.isDir());
    EXPECT_EQ(end.isFile(), kept && before.isFile());
    EXPECT_EQ(end.symLinkTarget(), kept ? linkedBefore : QString());
    // No temporary names, markers or kept entries left behind either way.
    const QStringList left =
        QDir(QFileInfo(m_path).path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    EXPECT_EQ(left.size(), kept && c.existing != Existing::Nothing ? 1 : 0)
        << left.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Existing, PortMapEntryPublish,
    testing::Values(PublishCase{"Nothing", Existing::Nothing, true},
                    PublishCase{"LinkElsewhere", Existing::LinkElsewhere, false},
                    PublishCase{"LinkElsewhereReplaced", Existing::LinkElsewhere, true, true},
                    PublishCase{"DanglingLink", Existing::DanglingLink, true},
                    PublishCase{"DeadSimulators", Existing::DeadSimulators, true},
                    PublishCase{"RegularFile", Existing::RegularFile, false},
                    PublishCase{"RegularFileReplaced", Existing::RegularFile, true, true},
                    PublishCase{"Directory", Existing::Directory, false},
                    PublishCase{"DirectoryReplaced", Existing::Directory, true, true}),
    [](const testing::TestParamInfo<PublishCase>& info) { return info.param.name; });

// A simulator that had replaced the operator's entry was killed: the next one on the port puts
// the operator's entry back in the end.
TEST_F(PortMapFixture, TheEntryAKilledSimulatorKeptAsideComesBackWithTheNextOne) {
    create(Existing::DeadSimulators);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), PortMapEntry::originalPath(4)));
    PortMapEntry entry;
    ASSERT_TRUE(entry.publish(4, m_target).ok());
    ASSERT_TRUE(entry.withdraw().ok());
    EXPECT_EQ(QFileInfo(m_path).symLinkTarget(), QStringLiteral("/dev/null"));
}

// Another simulator (or the user) may have taken the port over in the meantime.
TEST_F(PortMapFixture, WithdrawLeavesALinkThatWasRepointed) {
    PortMapEntry entry;
    ASSERT_TRUE(entry.publish(4, m_target).ok());
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), m_path));
    EXPECT_TRUE(entry.withdraw().ok());
    EXPECT_EQ(QFileInfo(m_path).symLinkTarget(), QStringLiteral("/dev/null"));
}

}  // namespace
