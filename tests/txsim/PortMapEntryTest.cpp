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

enum class Existing { Nothing, LinkElsewhere, DanglingLink, RegularFile, Directory };

struct PublishCase {
    const char* name;
    Existing existing;
    bool published;
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
            case Existing::DanglingLink:
                ASSERT_EQ(symlink("/dev/pts/no-such-pty", path.constData()), 0);
                break;
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

TEST_P(PortMapEntryPublish, ReplacesOnlyLinks) {
    const PublishCase& c = GetParam();
    create(c.existing);
    const QFileInfo before(m_path);

    PortMapEntry entry;
    const txlink::Status published = entry.publish(4, m_target);
    EXPECT_EQ(published.ok(), c.published) << (published ? "" : published.error().reason);
    const QFileInfo after(m_path);
    if (c.published) {
        EXPECT_TRUE(after.isSymLink());
        EXPECT_EQ(after.symLinkTarget(), m_target);
        entry.withdraw();
        EXPECT_FALSE(QFileInfo(m_path).isSymLink());
        EXPECT_FALSE(QFileInfo::exists(m_path));
    } else {
        EXPECT_FALSE(published.error().reason.empty());
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_EQ(after.isFile(), before.isFile());
        EXPECT_FALSE(after.isSymLink());
    }
    // No temporary names left behind either way.
    EXPECT_EQ(QDir(QFileInfo(m_path).path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                  .size(),
              c.published ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Existing, PortMapEntryPublish,
    testing::Values(PublishCase{"Nothing", Existing::Nothing, true},
                    PublishCase{"LinkElsewhere", Existing::LinkElsewhere, true},
                    PublishCase{"DanglingLink", Existing::DanglingLink, true},
                    PublishCase{"RegularFile", Existing::RegularFile, false},
                    PublishCase{"Directory", Existing::Directory, false}),
    [](const testing::TestParamInfo<PublishCase>& info) { return info.param.name; });

// Another simulator (or the user) may have taken the port over in the meantime.
TEST_F(PortMapFixture, WithdrawLeavesALinkThatWasRepointed) {
    PortMapEntry entry;
    ASSERT_TRUE(entry.publish(4, m_target).ok());
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), m_path));
    entry.withdraw();
    EXPECT_EQ(QFileInfo(m_path).symLinkTarget(), QStringLiteral("/dev/null"));
}

}  // namespace
