#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "platform/IniSettingsStore.h"
#include "serial/SerialPortLink.h"
#include "ui/main/StartupMessage.h"

using namespace std::chrono_literals;

namespace {

const QString kInUse3 = QStringLiteral(
    "VoraController\r\rCom port 3\r\rThis com port is in use !\rPlease check your "
    "settings\ror shutdown another application\r\r");
const QString kNotDetected3 = QStringLiteral(
    "VoraController\r\rCom port 3\r\rThis com port is not detected !\rPlease check your "
    "settings\r\r");
const QString kTypeMismatch = QStringLiteral("VoraController\r\rError nr 13\r\r");
const QString kGuidance = QStringLiteral("Choose another port in Options, Serial Ports…");
const QString kNoPortNumber = QStringLiteral(
    "The stored port \"%1\" does not end in a port number: choose a port in Options, Settings.");

}  // namespace

class Startup : public ProgramFixture {};

// The fixed words for each number, the port text's last character, then the reason; a port in
// use or missing ends with where to choose another, in the menu's words.
TEST(StartupMessage, NamesThePortByItsLastCharacterAndEndsWithTheReason) {
    struct Row {
        int number;
        const char* portText;
        QString expected;
    };
    const Row rows[] = {
        {8005, "Com 3", kInUse3 + "why\r" + kGuidance},
        {8002, "Com 3", kNotDetected3 + "why\r" + kGuidance},
        {8002, "Com 10",
         QStringLiteral("VoraController\r\rCom port 0\r\rThis com port is not detected !\r"
                        "Please check your settings\r\rwhy\rChoose another port in Options, "
                        "Serial Ports…")},
        {8010, "Com 5", QStringLiteral("VoraController\r\rError nr 8010\r\rwhy")},
        // The core's reason is worded again from the port text, not passed on.
        {13, "Com x", kTypeMismatch + kNoPortNumber.arg(QStringLiteral("Com x"))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(ui::main::startupErrorMessage(row.number, QString::fromLatin1(row.portText),
                                                QStringLiteral("why")),
                  row.expected);
    }
    EXPECT_EQ(ui::main::startupErrorTitle(), QStringLiteral("Error !!"));
}

TEST_F(Startup, NothingStoredOpensPort1AndSendsOnlyTheStatusRequest) {
    testsupport::Pty pty;
    config.mapPort(1, pty.slavePath());
    start();
    EXPECT_EQ(pty.read(2), "2a");
    EXPECT_TRUE(pty.drain(100ms).isEmpty());
    EXPECT_TRUE(program->session().link().isOpen());
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(program->settingsDialog(), nullptr);
}

TEST_F(Startup, OnlyTheLastCharacterOfThePortTextCounts) {
    testsupport::Pty pty;
    config.mapPort(2, pty.slavePath());
    storePortText(QStringLiteral("Com 12"));
    start();
    EXPECT_EQ(pty.read(2), "2a");
    EXPECT_EQ(program->session().link().port(), 2);
}

TEST_F(Startup, PortTextNotEndingInADigitIsErrorThirteenWithoutTheSettingsDialog) {
    for (const QString& text : {QStringLiteral("Com A"), QStringLiteral("Com 3 "), QString()}) {
        SCOPED_TRACE(text.toStdString());
        messages.messages.clear();
        storePortText(text);
        start();
        EXPECT_EQ(messages.titles.value(0), QStringLiteral("Error !!"));
        EXPECT_EQ(messages.fixedTexts(), QStringList{kTypeMismatch});
        // The box words the core's reason itself, and words it as the core does.
        EXPECT_EQ(messages.reasons(), QStringList{kNoPortNumber.arg(text)});
        EXPECT_EQ(program->settingsDialog(), nullptr);
        EXPECT_FALSE(program->session().link().isOpen());
        EXPECT_TRUE(window().isVisible());
        program.reset();
    }
}

TEST_F(Startup, PortInUseOrMissingIsReportedAndOpensTheSettingsDialogOnce) {
    testsupport::Pty pty;
    config.mapPort(3, pty.slavePath());
    serial::SerialPortLink holder;  // another open of the same device holds its lock
    ASSERT_TRUE(holder.open(3).ok());

    storePortText(QStringLiteral("Com 3"));
    start();
    EXPECT_EQ(messages.fixedTexts(), QStringList{kInUse3});
    // The holder here is this very process: its lock file names it.
    EXPECT_EQ(messages.reasons().value(0),
              QStringLiteral("%1 is held by %2 (process %3).")
                  .arg(pty.slavePath(), QCoreApplication::applicationName())
                  .arg(QCoreApplication::applicationPid()));
    EXPECT_EQ(messages.guidance().value(0), kGuidance);
    ASSERT_NE(program->settingsDialog(), nullptr);
    EXPECT_TRUE(program->settingsDialog()->isVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(program->session().link().isOpen());
    EXPECT_TRUE(pty.drain(100ms).isEmpty()) << "no status request on a port we do not hold";

    // Start-up again while the dialog is open: no second dialog.
    config.mapPort(3, QStringLiteral("/dev/no-such-device"));
    program->reloadMain();
    EXPECT_EQ(messages.fixedTexts(), (QStringList{kInUse3, kNotDetected3}));
    EXPECT_EQ(messages.guidance().value(1), kGuidance);
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        dialogs += w->objectName() == QLatin1String("Settings") && w->isVisible();
    }
    EXPECT_EQ(dialogs, 1);
}

TEST_F(Startup, UnloadClosesAnOpenPortAndLeavesAClosedOneAlone) {
    testsupport::Pty pty;
    config.mapPort(1, pty.slavePath());
    start();
    ASSERT_TRUE(program->session().link().isOpen());
    program->unloadMain();
    EXPECT_EQ(program->mainWindow(), nullptr);

    // The lock is gone: another open of the device succeeds.
    serial::SerialPortLink next;
    EXPECT_TRUE(next.open(1).ok());
    next.close();

    // Now start-up fails (the device is missing); unloading must not touch the closed port.
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));
    program->loadMain();
    ASSERT_FALSE(program->session().link().isOpen());
    testing::internal::CaptureStderr();
    program->unloadMain();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

namespace {

// A pseudo-terminal whose slave was never unlocked: opening the slave fails with EIO, as a
// /dev/ttyS* with no UART behind it does.
class LockedPty {
public:
    LockedPty() : m_master(::posix_openpt(O_RDWR | O_NOCTTY)) {
        if (m_master >= 0 && ::grantpt(m_master) == 0) {
            m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
        }
    }
    ~LockedPty() {
        if (m_master >= 0) {
            ::close(m_master);
        }
    }
    const QString& slavePath() const { return m_slavePath; }

private:
    int m_master;
    QString m_slavePath;
};

}  // namespace

// The start-up box keeps its fixed text and adds the reason as its last line, in plain words;
// standard error says the same. An error reported while the device was being opened must not be
// lost on the way ("No error").
TEST_F(Startup, TheBoxAndStandardErrorSayWhyThePortDidNotOpen) {
    LockedPty lockedPty;
    ASSERT_FALSE(lockedPty.slavePath().isEmpty());
    QTemporaryDir folder;
    const QString regularFile = folder.filePath(QStringLiteral("not-a-tty"));
    QFile(regularFile).open(QIODevice::WriteOnly);
    struct Case {
        const char* what;
        QString portText;
        QString device;  // mapped to port 4
        const char* fixedText;
        const char* reason;
    };
    const Case cases[] = {
        {"a device that fails as it is opened", QStringLiteral("Com 4"), lockedPty.slavePath(),
         "VoraController\r\rCom port 4\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         "Input/output error"},
        {"a missing device", QStringLiteral("Com 4"), QStringLiteral("/dev/no-such-device"),
         "VoraController\r\rCom port 4\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         "does not exist"},
        {"a file that is no serial line", QStringLiteral("Com 4"), regularFile,
         "VoraController\r\rError nr 8015\r\r", "is not a serial line"},
        // Opened, it would make a new pty nobody listens to, and "2a" would go nowhere.
        {"the pty multiplexer", QStringLiteral("Com 4"), QStringLiteral("/dev/ptmx"),
         "VoraController\r\rCom port 4\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         "not a serial line"},
        {"a name with control characters", QStringLiteral("Com 4"),
         folder.filePath(QStringLiteral("\x1b[31mred")),
         "VoraController\r\rCom port 4\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         "\\e[31mred does not exist"},
        {"port 0", QStringLiteral("Com 10"), QString(),
         "VoraController\r\rCom port 0\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         "choose a port from 1 to 9"},
        {"a port text without a number", QStringLiteral("Com X"), QString(),
         "VoraController\r\rError nr 13\r\r", "does not end in a port number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.messages.clear();
        if (!c.device.isEmpty()) {
            config.mapPort(4, c.device);
        }
        storePortText(c.portText);
        testing::internal::CaptureStderr();
        start();
        const std::string errors = testing::internal::GetCapturedStderr();
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.fixedTexts().value(0), QString::fromLatin1(c.fixedText));
        const QString reason = messages.reasons().value(0);
        EXPECT_TRUE(reason.contains(QLatin1String(c.reason))) << reason.toStdString();
        EXPECT_FALSE(reason.contains(QLatin1String("No error"))) << reason.toStdString();
        // Only a port in use or missing is mended in the Serial Ports window.
        EXPECT_EQ(messages.guidance().value(0),
                  QString::fromLatin1(c.fixedText).contains(QLatin1String("Com port "))
                      ? kGuidance
                      : QString());
        EXPECT_FALSE(reason.contains(QChar(0x1b)) || errors.find('\x1b') != std::string::npos);
        if (c.portText != QStringLiteral("Com X")) {
            EXPECT_NE(errors.find(c.reason), std::string::npos) << errors;
        }
        program.reset();
    }
}

// A settings file that cannot be read is reported as start-up's own numbered error; start-up
// does not quietly open port 1 instead of the operator's port.
TEST_F(Startup, AnUnreadableSettingsFileIsANumberedErrorAndOpensNoPort) {
    testsupport::Pty pty;
    config.mapPort(1, pty.slavePath());
    const QString settingsFile = config.path() + QStringLiteral("/VoraTXController/settings.ini");
    ASSERT_TRUE(QDir().mkpath(settingsFile));  // a folder in its place
    platform::IniSettingsStore unreadable(settingsFile);
    program =
        std::make_unique<app::Program>(app::Program::Services{unreadable, messages, urls, clock});
    testing::internal::CaptureStderr();
    program->start();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("a folder is in its place (error 75)"), std::string::npos) << errors;
    EXPECT_EQ(messages.fixedTexts(),
              QStringList{QStringLiteral("VoraController\r\rError nr 75\r\r")});
    EXPECT_TRUE(messages.reasons().value(0).contains(settingsFile))
        << messages.reasons().value(0).toStdString();
    EXPECT_FALSE(program->session().link().isOpen());
    EXPECT_TRUE(pty.drain(100ms).isEmpty());
    program.reset();
}
