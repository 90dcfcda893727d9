#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include "platform/PortMap.h"

namespace {

// Each kind of thing that can stand where a port-map entry is looked for.
struct EntryCase {
    const char* name;
    const char* linkTo;  // nullptr: something other than a link
    bool makeFile;
    bool exists;
    const char* text;
};

TEST(PortMapLinks, EntriesAreSeenAsTheyStand) {
    const EntryCase cases[] = {
        {"nothing there", nullptr, false, false, ""},
        {"a link to a device", "/dev/null", false, true, "/dev/null"},
        {"a link that points nowhere", "/dev/pts/9999", false, true, "/dev/pts/9999"},
        {"a relative link", "../elsewhere/ttyUSB0", false, true, "../elsewhere/ttyUSB0"},
        {"a plain file", nullptr, true, true, ""},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString entry = dir.filePath(QStringLiteral("com1"));
        if (c.linkTo != nullptr) {
            ASSERT_EQ(::symlink(c.linkTo, QFile::encodeName(entry).constData()), 0);
        }
        if (c.makeFile) {
            QFile file(entry);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(platform::entryExists(entry), c.exists);
        EXPECT_EQ(platform::linkText(entry), QString::fromUtf8(c.text));
    }
}

TEST(PortMapLinks, ReplacingAnEntryLeavesNothingBesideItAndAFailureChangesNothing) {
    QTemporaryDir dir;
    const QString entry = dir.filePath(QStringLiteral("com2"));
    ASSERT_TRUE(platform::linkInOneStep(entry, QStringLiteral("/dev/ttyS0")).ok());
    ASSERT_TRUE(platform::linkInOneStep(entry, QStringLiteral("/dev/ttyS1")).ok());
    EXPECT_EQ(platform::linkText(entry), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("com2")});

    // A folder in the entry's place cannot be replaced by a link: it stays, and the link made
    // beside it is taken away again.
    const QString folder = dir.filePath(QStringLiteral("com3"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    const txlink::Status refused = platform::linkInOneStep(folder, QStringLiteral("/dev/ttyS2"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().number, txlink::error::kSettingsFile);
    EXPECT_FALSE(refused.error().reason.empty());
    EXPECT_TRUE(QDir(folder + QStringLiteral("/inside")).exists());
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("com2"), QStringLiteral("com3")}));
}

}  // namespace
