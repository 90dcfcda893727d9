#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

#include "serial/SerialPortLink.h"
#include "support/Wait.h"
#include "ui/main/ProgramFixture.h"

using namespace std::chrono_literals;

namespace {

const QString kTypeMismatch = QStringLiteral("VoraController\r\rError nr 13\r\r");
const QString kNotDetected5 = QStringLiteral(
    "VoraController\r\rCom port 5\r\rThis com port is not detected !\rPlease check your "
    "settings\r\r");

int visibleSettingsDialogs() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->objectName() == QLatin1String("Settings") && widget->isVisible();
    }
    return count;
}

// Whether another open of port `port` would be refused: the program still holds it.
bool portHeldElsewhere(int port) {
    serial::SerialPortLink probe;
    return !probe.open(port).ok();
}

}  // namespace

class SettingsDialogTest : public ProgramFixture {
protected:
    ui::settings::SettingsDialog& openDialog() {
        program->showSettings();
        ui::settings::SettingsDialog* dialog = program->settingsDialog();
        if (dialog == nullptr) {
            throw std::runtime_error("the Settings dialog did not open");
        }
        return *dialog;
    }

    template <typename T>
    static T* control(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << name;
        }
        return found;
    }

    // Keys go to the active window; the main window has an Esc shortcut of its own.
    static bool activate(QWidget& window) {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    static QComboBox* combo(QWidget& dialog) { return control<QComboBox>(dialog, "Combo1"); }

    // Typed into the focused box, where the line edit would complete from the list if it could.
    static void type(QWidget& dialog, const QString& text) {
        ASSERT_TRUE(activate(dialog));
        combo(dialog)->setFocus();
        QLineEdit* edit = combo(dialog)->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QString storedPortText() const {
        return platform::readPortText(store, QStringLiteral("<nothing>")).value();
    }

    bool dialogGone() {
        return testsupport::waitUntil([this] { return program->settingsDialog() == nullptr; });
    }
};

TEST_F(SettingsDialogTest, LooksAsDesigned) {
    start();
    ui::settings::SettingsDialog& dialog = openDialog();

    EXPECT_EQ(dialog.windowTitle(), "Options");
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.size(), QSize(172, 83));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.windowType(), Qt::Tool) << "kept out of the task bar";
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::black));

    struct Control {
        const char* name;
        QString text;
        QRect geometry;
    };
    const Control controls[] = {
        {"Label3", "Com port :", {8, 8, 89, 17}},
        {"Combo1", "com 1", {64, 8, 81, 21}},
        {"cmdOK", "Save", {8, 48, 73, 25}},
        {"cmdCancel", "Cancel", {88, 48, 73, 25}},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        auto* widget = control<QWidget>(dialog, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.geometry);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            text = box->currentText();
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            text = button->text();
        }
        EXPECT_EQ(text, c.text);
    }

    auto* label = control<QLabel>(dialog, "Label3");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::black));

    QComboBox* box = combo(dialog);
    EXPECT_TRUE(box->isEditable());
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Com 1", "Com 2", "Com 3", "Com 4", "Com 5", "Com 6", "Com 7",
                                  "Com 8", "Com 9"}));
    for (const QPalette& colours : {box->palette(), box->view()->palette()}) {
        EXPECT_EQ(colours.color(QPalette::Base), QColor(Qt::black));
        EXPECT_EQ(colours.color(QPalette::Text), QColor(0, 255, 0));
    }

    auto* save = control<QPushButton>(dialog, "cmdOK");
    auto* cancel = control<QPushButton>(dialog, "cmdCancel");
    EXPECT_EQ(dialog.focusWidget(), save);

    // Tab order: Save, Cancel, the port box, and round again.
    ASSERT_TRUE(activate(dialog));
    save->setFocus();
    const QWidget* expected[] = {cancel, box, save};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

// The port box's outline stands out from the black dialog on every side, away from the corners.
TEST_F(SettingsDialogTest, ThePortBoxHasAVisibleBorder) {
    start();
    ui::settings::SettingsDialog& dialog = openDialog();
    QComboBox* box = combo(dialog);
    ASSERT_NE(box, nullptr);
    const QImage image = box->grab().toImage();
    const int dpr = int(image.devicePixelRatio());
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const struct {
        const char* side;
        QPoint inward;  // the edge's middle, and one step in
        QPoint step;
    } sides[] = {{"left", {0, bottom / 2}, {1, 0}},
                 {"right", {right, bottom / 2}, {-1, 0}},
                 {"top", {right / 4, 0}, {0, 1}},
                 {"bottom", {right / 4, bottom}, {0, -1}}};
    for (const auto& side : sides) {
        SCOPED_TRACE(side.side);
        int brightest = 0;
        for (int depth = 0; depth < 2 * dpr; ++depth)
            brightest =
                std::max(brightest, image.pixelColor(side.inward + depth * side.step).lightness());
        EXPECT_GE(brightest, 80) << "the outline is lost on black";
    }
}

TEST_F(SettingsDialogTest, OpensCentredOnTheScreenEveryTime) {
    start();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        ui::settings::SettingsDialog& dialog = openDialog();
        const QRect outer = dialog.frameGeometry();
        EXPECT_NEAR(outer.left() - screen.left(), (screen.width() - outer.width()) / 2.0, 1.0);
        EXPECT_NEAR(outer.top() - screen.top(), (screen.height() - outer.height()) / 2.0, 1.0);
        // Wherever it is when it closes, the next opening centres it again.
        dialog.move(screen.topLeft() + QPoint(3, 5));
        dialog.close();
        ASSERT_TRUE(dialogGone());
    }
}

TEST_F(SettingsDialogTest, EachLoadShowsTheStoredTextAndReopeningKeepsWhatIsTyped) {
    start();
    EXPECT_EQ(combo(openDialog())->currentText(), "com 1") << "nothing stored";
    openDialog().close();
    ASSERT_TRUE(dialogGone());

    storePortText(QStringLiteral("Com 3"));
    ui::settings::SettingsDialog* first = &openDialog();
    EXPECT_EQ(combo(*first)->currentText(), "Com 3");

    type(*first, QStringLiteral("Com 7"));
    // The menu while it is open brings the same dialog forward with the text being edited.
    auto* menuSettings = window().findChild<QAction*>(QStringLiteral("mnu_Settings"));
    ASSERT_NE(menuSettings, nullptr);
    menuSettings->trigger();
    EXPECT_EQ(program->settingsDialog(), first);
    EXPECT_EQ(combo(*first)->currentText(), "Com 7");
    EXPECT_EQ(visibleSettingsDialogs(), 1);

    // Closed without saving: the next load starts from the store again.
    first->close();
    ASSERT_TRUE(dialogGone());
    EXPECT_EQ(combo(openDialog())->currentText(), "Com 3");
}

// Save stores the box's text as it stands, reloads the main window on it and closes the dialog.
TEST_F(SettingsDialogTest, SaveStoresTheTextAndRestartsTheMainWindowOnIt) {
    struct Case {
        const char* name;
        QString stored;                             // before the dialog opens; empty: none
        std::function<void(QWidget& dialog)> edit;  // what the operator does in the box
        std::function<void(QWidget& dialog)> save;  // how Save is pressed
        QString expectedStored;
        int newPort;  // the port start-up opens; 0: start-up fails with error 13
    };
    const auto untouched = [](QWidget&) {};
    const auto choose = [](int index) {
        return [index](QWidget& dialog) { combo(dialog)->setCurrentIndex(index); };
    };
    const auto typed = [](QString text) { return [text](QWidget& dialog) { type(dialog, text); }; };
    const auto click = [](QWidget& dialog) {
        QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    };
    const Case cases[] = {
        {"first run, untouched", {}, untouched, click, "com 1", 1},
        {"stored, untouched", "Com 3", untouched, click, "Com 3", 3},
        {"chosen from the list", "Com 1", choose(3), click, "Com 4", 4},
        {"typed, not in the list", "Com 1", typed("Com 12"), click, "Com 12", 2},
        // No completion from the list: "Com" stays "Com", and start-up rejects it.
        {"typed, no digit at the end", "Com 1", typed("Com"), click, "Com", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestConfig portMap;
        testsupport::Pty oldLine;
        testsupport::Pty newLine;
        const int oldPort = c.stored.isEmpty() ? 1 : c.stored.right(1).toInt();
        portMap.mapPort(oldPort, oldLine.slavePath());
        if (c.newPort != 0 && c.newPort != oldPort) {
            portMap.mapPort(c.newPort, newLine.slavePath());
        }
        testsupport::Pty& line = c.newPort == oldPort ? oldLine : newLine;

        store = testsupport::MemorySettingsStore();
        messages.messages.clear();
        if (!c.stored.isEmpty()) {
            storePortText(c.stored);
        }
        const int savesBefore = store.saves;
        start();
        ASSERT_EQ(oldLine.read(2), "2a");
        ui::main::MainWindow* before = program->mainWindow();

        ui::settings::SettingsDialog& dialog = openDialog();
        c.edit(dialog);
        c.save(dialog);

        EXPECT_EQ(storedPortText(), c.expectedStored);
        EXPECT_EQ(store.saves, savesBefore + 1);
        ASSERT_NE(program->mainWindow(), nullptr);
        EXPECT_NE(program->mainWindow(), before) << "the main window was loaded afresh";
        EXPECT_TRUE(window().isVisible());
        EXPECT_TRUE(dialogGone());
        if (c.newPort == 0) {
            EXPECT_EQ(messages.fixedTexts(), QStringList{kTypeMismatch});
            EXPECT_FALSE(program->session().link().isOpen());
        } else {
            EXPECT_TRUE(messages.messages.isEmpty());
            EXPECT_EQ(program->session().link().port(), c.newPort);
            EXPECT_EQ(line.read(2), "2a") << "the status request goes out on the new port";
        }
        if (c.newPort != oldPort) {
            EXPECT_FALSE(portHeldElsewhere(oldPort)) << "the old port was closed";
        }
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(SettingsDialogTest, SaveOnAMissingPortReportsItOnceAndStillCloses) {
    testsupport::Pty line;
    config.mapPort(1, line.slavePath());
    config.mapPort(5, QStringLiteral("/dev/no-such-device"));
    start();
    ASSERT_EQ(line.read(2), "2a");

    ui::settings::SettingsDialog& dialog = openDialog();
    combo(dialog)->setCurrentIndex(4);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);

    EXPECT_EQ(messages.fixedTexts(), QStringList{kNotDetected5});
    // Start-up asked for the dialog while it was still open: the same one, now closing.
    EXPECT_EQ(visibleSettingsDialogs(), 0);
    EXPECT_TRUE(dialogGone());
    EXPECT_EQ(visibleSettingsDialogs(), 0);
    EXPECT_EQ(storedPortText(), "Com 5");
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(program->session().link().isOpen());
    EXPECT_FALSE(portHeldElsewhere(1));
}

// Every way out but Save leaves the store, the main window and its port alone.
TEST_F(SettingsDialogTest, CancelEscapeAndTheCloseBoxStoreNothing) {
    struct Case {
        const char* name;
        std::function<void(QWidget& dialog)> leave;
    };
    const Case cases[] = {
        {"Cancel",
         [](QWidget& d) {
             QTest::mouseClick(control<QPushButton>(d, "cmdCancel"), Qt::LeftButton);
         }},
        {"Esc", [](QWidget& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"Esc in the port box",
         [](QWidget& d) { QTest::keyClick(combo(d)->lineEdit(), Qt::Key_Escape); }},
        {"close box", [](QWidget& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestConfig portMap;
        testsupport::Pty line;
        testsupport::Pty other;
        portMap.mapPort(1, line.slavePath());
        portMap.mapPort(4, other.slavePath());
        store = testsupport::MemorySettingsStore();
        start();
        ASSERT_EQ(line.read(2), "2a");
        ui::main::MainWindow* before = program->mainWindow();

        ui::settings::SettingsDialog& dialog = openDialog();
        type(dialog, QStringLiteral("Com 4"));
        ASSERT_TRUE(activate(dialog));
        c.leave(dialog);

        EXPECT_TRUE(dialogGone());
        EXPECT_EQ(store.saves, 0);
        EXPECT_EQ(program->mainWindow(), before);
        EXPECT_TRUE(program->session().link().isOpen());
        program->panel().stepClicked();
        EXPECT_EQ(line.read(2), "1a") << "the old port still carries commands";
        line.write("S1010128");
        auto* smallestStep = window().findChild<QLabel*>(QStringLiteral("Label11"));
        EXPECT_TRUE(testsupport::waitUntil([smallestStep] { return smallestStep->isEnabled(); }))
            << "and records";
        EXPECT_TRUE(other.drain(100ms).isEmpty());
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The dialog has no default button: Enter while typing the port must not restart the program.
TEST_F(SettingsDialogTest, EnterInThePortBoxNeitherSavesNorCloses) {
    testsupport::Pty line;
    config.mapPort(1, line.slavePath());
    start();
    ASSERT_EQ(line.read(2), "2a");
    ui::settings::SettingsDialog& dialog = openDialog();
    type(dialog, QStringLiteral("Com 4"));
    ASSERT_TRUE(activate(dialog));
    QTest::keyClick(combo(dialog)->lineEdit(), Qt::Key_Return);
    QTest::keyClick(combo(dialog)->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(store.saves, 0);
    EXPECT_FALSE(testsupport::waitUntil([this] { return program->settingsDialog() == nullptr; },
                                        std::chrono::milliseconds(200)));
    EXPECT_EQ(combo(dialog)->currentText(), "Com 4");

    // Enter on the focused Save button saves, as on any button with the focus.
    control<QPushButton>(dialog, "cmdOK")->setFocus();
    QTest::keyClick(control<QPushButton>(dialog, "cmdOK"), Qt::Key_Return);
    EXPECT_EQ(store.saves, 1);
    EXPECT_TRUE(dialogGone());
}

// A port that cannot be stored is reported in a box that says why; the dialog stays open with
// the text, and nothing in the program shows the value that was not stored.
TEST_F(SettingsDialogTest, AStoreThatCannotBeWrittenIsReportedAndNothingShowsTheUnsavedValue) {
    testsupport::Pty line;
    config.mapPort(1, line.slavePath());
    storePortText(QStringLiteral("Com 1"));
    start();
    ASSERT_EQ(line.read(2), "2a");
    store.failWrites = true;
    ui::settings::SettingsDialog& dialog = openDialog();
    combo(dialog)->setEditText(QStringLiteral("Com 7"));
    testing::internal::CaptureStderr();
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot save the port"), std::string::npos) << errors;
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.titles.value(0), QStringLiteral("Error !!"));
    EXPECT_TRUE(messages.messages.value(0).contains(QStringLiteral("not saved")))
        << messages.messages.value(0).toStdString();
    EXPECT_TRUE(messages.messages.value(0).contains(QStringLiteral("cannot be written")))
        << messages.messages.value(0).toStdString();

    EXPECT_FALSE(testsupport::waitUntil([this] { return program->settingsDialog() == nullptr; },
                                        std::chrono::milliseconds(200)))
        << "nothing was saved, so nothing restarts";
    EXPECT_EQ(combo(dialog)->currentText(), QStringLiteral("Com 7"));
    EXPECT_TRUE(program->session().link().isOpen());
    EXPECT_EQ(storedPortText(), QStringLiteral("Com 1"));
    program->showMonitor();
    EXPECT_EQ(program->monitor().window()->portCaption()->text(), QStringLiteral("Com 1"));
}

TEST_F(SettingsDialogTest, ReloadKeepsTheFieldsStartUpDoesNotSetAndResetsTheControls) {
    testsupport::Pty line;
    config.mapPort(1, line.slavePath());
    clock.set(12, 34, 56);
    start();
    ASSERT_EQ(line.read(2), "2a");

    line.write("S1010128");
    auto* smallestStep = window().findChild<QLabel*>(QStringLiteral("Label11"));
    ASSERT_TRUE(testsupport::waitUntil([smallestStep] { return smallestStep->isEnabled(); }));
    program->panel().powerUpPressed();
    program->panel().powerDownPressed();
    program->panel().frequencyUpPressed();
    program->panel().linkWatchTick();
    ASSERT_TRUE(program->panel().state().linkUp);
    const txlink::PanelState kept = program->panel().state();

    // Later in the day, so a field set afresh would differ.
    clock.set(13, 0, 0);
    ui::settings::SettingsDialog& dialog = openDialog();
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    ASSERT_TRUE(dialogGone());

    const txlink::PanelState& now = program->panel().state();
    EXPECT_TRUE(now.powerUpHeld);
    EXPECT_TRUE(now.powerDownHeld);
    EXPECT_EQ(now.lastReceive, kept.lastReceive);
    EXPECT_EQ(now.tickTime, kept.tickTime);
    EXPECT_FALSE(now.frequencyUpHeld) << "start-up clears the frequency flags";
    EXPECT_FALSE(now.linkUp) << "and the link-up flag";
    EXPECT_EQ(now.portText, "com 1");

    for (int n = 11; n <= 15; ++n) {
        auto* label = window().findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        ASSERT_NE(label, nullptr);
        EXPECT_FALSE(label->isEnabled()) << "Label" << n;
    }
    EXPECT_EQ(window().findChild<QLabel*>(QStringLiteral("Label8"))->text(), "00000");
}

// With the main window closed the dialog alone keeps the program running.
TEST_F(SettingsDialogTest, AfterTheMainWindowClosedSaveBringsItBackAndCancelMayEndTheProgram) {
    struct Case {
        const char* name;
        bool aboutOpen;
        bool save;
        bool programEnds;
    };
    const Case cases[] = {
        {"Save", false, true, false},
        {"Cancel", false, false, true},
        {"Cancel with About open", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestConfig portMap;
        testsupport::Pty line;
        portMap.mapPort(1, line.slavePath());
        start();
        ASSERT_EQ(line.read(2), "2a");
        QSignalSpy finished(program.get(), &app::Program::finished);
        ui::settings::SettingsDialog& dialog = openDialog();
        if (c.aboutOpen) {
            program->showAbout();
        }
        window().close();
        ASSERT_TRUE(testsupport::waitUntil([this] { return program->mainWindow() == nullptr; }));
        QTest::qWait(50);
        ASSERT_EQ(finished.count(), 0) << "the dialog is still loaded";

        QTest::mouseClick(control<QPushButton>(dialog, c.save ? "cmdOK" : "cmdCancel"),
                          Qt::LeftButton);
        EXPECT_TRUE(dialogGone());
        if (c.programEnds) {
            EXPECT_TRUE(testsupport::waitUntil([&] { return finished.count() == 1; }));
        } else {
            QTest::qWait(50);
            EXPECT_EQ(finished.count(), 0);
        }
        if (c.save) {
            ASSERT_NE(program->mainWindow(), nullptr);
            EXPECT_TRUE(window().isVisible());
            EXPECT_EQ(line.read(2), "2a");
        } else {
            EXPECT_EQ(program->mainWindow(), nullptr);
        }
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
