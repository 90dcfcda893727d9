#include <QLabel>
#include <QTest>

#include "ProgramFixture.h"
#include "serial/SerialPortLink.h"

using namespace std::chrono_literals;

namespace {

const QString kInUse3 = QStringLiteral(
    "VoraController\r\rCom port 3\r\rThis com port is in use !\rPlease check your "
    "settings\ror shutdown another application\r\r");
const QString kNotDetected3 = QStringLiteral(
    "VoraController\r\rCom port 3\r\rThis com port is not detected !\rPlease check your "
    "settings\r\r");
const QString kTypeMismatch = QStringLiteral("VoraController\r\rError nr 13\r\r");

}  // namespace

class Startup : public ProgramFixture {};

TEST_F(Startup, NothingStoredOpensPort1AndSendsOnlyTheStatusRequest) {
    testsupport::Pty pty;
    config.mapPort(1, pty.slavePath());
    start();
    EXPECT_EQ(pty.read(2), "2a");
    EXPECT_TRUE(pty.drain(100ms).isEmpty());
    EXPECT_TRUE(window().link().isOpen());
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(program->settingsDialog(), nullptr);
}

TEST_F(Startup, OnlyTheLastCharacterOfThePortTextCounts) {
    testsupport::Pty pty;
    config.mapPort(2, pty.slavePath());
    storePortText(QStringLiteral("Com 12"));
    start();
    EXPECT_EQ(pty.read(2), "2a");
    EXPECT_EQ(window().link().port(), 2);
}

TEST_F(Startup, PortTextNotEndingInADigitIsErrorThirteenWithoutTheSettingsDialog) {
    for (const QString& text : {QStringLiteral("Com A"), QStringLiteral("Com 3 "), QString()}) {
        SCOPED_TRACE(text.toStdString());
        messages.messages.clear();
        storePortText(text);
        start();
        EXPECT_EQ(messages.titles.value(0), QStringLiteral("Error !!"));
        EXPECT_EQ(messages.messages, QStringList{kTypeMismatch});
        EXPECT_EQ(program->settingsDialog(), nullptr);
        EXPECT_FALSE(window().link().isOpen());
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
    EXPECT_EQ(messages.messages, QStringList{kInUse3});
    ASSERT_NE(program->settingsDialog(), nullptr);
    EXPECT_TRUE(program->settingsDialog()->isVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().link().isOpen());
    EXPECT_TRUE(pty.drain(100ms).isEmpty()) << "no status request on a port we do not hold";

    // Start-up again while the dialog is open: no second dialog.
    config.mapPort(3, QStringLiteral("/dev/no-such-device"));
    program->reloadMain();
    EXPECT_EQ(messages.messages, (QStringList{kInUse3, kNotDetected3}));
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
    ASSERT_TRUE(window().link().isOpen());
    program->unloadMain();
    EXPECT_EQ(program->mainWindow(), nullptr);

    // The lock is gone: another open of the device succeeds.
    serial::SerialPortLink next;
    EXPECT_TRUE(next.open(1).ok());
    next.close();

    // Now start-up fails (the device is missing); unloading must not touch the closed port.
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));
    program->loadMain();
    ASSERT_FALSE(window().link().isOpen());
    testing::internal::CaptureStderr();
    program->unloadMain();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
