#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "ProgramFixture.h"
#include "support/Wait.h"
#include "ui/main/StatusBar.h"

using namespace std::chrono_literals;

class MainWindowLook : public ProgramFixture {
protected:
    void SetUp() override {
        config.mapPort(1, pty.slavePath());
        start();
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << name;
        }
        return found;
    }
    testsupport::Pty pty;
};

TEST_F(MainWindowLook, StartsWithTheDesignTimeDisplay) {
    EXPECT_EQ(window().objectName(), "Main");
    EXPECT_EQ(window().windowTitle(), "Vora TX Controller");
    // A QIcon that only names a file is not null even when nothing loads from it: the pixmap is
    // what the window manager gets.
    const QPixmap icon = window().windowIcon().pixmap(32, 32);
    ASSERT_FALSE(icon.isNull()) << "the icon resource was not linked in";
    EXPECT_EQ(icon.size(), QSize(32, 32));

    struct Caption {
        const char* name;
        const char* text;
        bool enabled;
    };
    const Caption labels[] = {
        {"Label1", "TX Freq :", true}, {"Label8", "00000", true},     {"Label10", ".", true},
        {"Label9", "000", true},       {"Label4", "MHz", true},       {"Label16", "Step :", true},
        {"Label11", "125 KHz", false}, {"Label12", "250 KHz", false}, {"Label13", "500 KHz", false},
        {"Label14", "1 MHz", false},   {"Label15", "5 MHz", false},
    };
    for (const Caption& c : labels) {
        SCOPED_TRACE(c.name);
        auto* label = control<QLabel>(c.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(label->isEnabled(), c.enabled);
    }
    const Caption buttons[] = {{"Command1", "Up", true},   {"Command2", "Down", true},
                               {"Command3", "Step", true}, {"Command4", "Down", true},
                               {"Command5", "Up", true},   {"Command6", "On / Off", true}};
    for (const Caption& c : buttons) {
        SCOPED_TRACE(c.name);
        auto* button = control<QPushButton>(c.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(c.text));
        EXPECT_TRUE(button->isEnabled());
    }
    EXPECT_EQ(control<QPushButton>("Command6")->grab().toImage().pixelColor(5, 5),
              QColor(255, 0, 0));
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Power");

    auto* bar = control<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 255);
    EXPECT_EQ(bar->value(), 0);

    auto* status = control<ui::main::StatusBar>("StatusBar1");
    for (int panel = 1; panel <= 4; ++panel) {
        EXPECT_EQ(status->panelText(panel), "") << "panel " << panel;
    }
}

TEST_F(MainWindowLook, EnabledStepLabelIsRedOnBlackAndADisabledOneDiffers) {
    auto* label = control<QLabel>("Label11");
    const QColor greyed = label->palette().color(QPalette::Disabled, QPalette::WindowText);
    label->setEnabled(true);
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_NE(greyed, QColor(255, 0, 0));
}

TEST_F(MainWindowLook, GeometryFollowsTheDesignAtFifteenTwipsAPixel) {
    struct Place {
        const char* name;
        QRect pixels;
    };
    const Place places[] = {
        {"Label8", {112, 8, 57, 25}},       {"Label15", {240, 40, 41, 17}},
        {"Command1", {192, 64, 65, 18}},    {"Frame1", {8, 88, 265, 81}},
        {"ProgressBar1", {8, 16, 249, 25}}, {"Command6", {96, 48, 65, 18}},
        {"StatusBar1", {0, 189, 291, 25}},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(control(p.name)->geometry(), p.pixels);
    }
    // Four panels of 1440 twips on a 4365-twip bar: only 45 twips (3 pixels) of the last show.
    auto* status = control<ui::main::StatusBar>("StatusBar1");
    EXPECT_EQ(status->width() - status->panel(4)->x(), 3);
    EXPECT_EQ(window().centralWidget()->size(), QSize(291, 214));
}

// The session's timers run from each load of the main window and stop with its unload.
TEST_F(MainWindowLook, EveryTimerRunsFromTheLoadWithItsInterval) {
    const std::pair<const char*, int> timers[] = {
        {"Tmrcom", 500}, {"wait1", 100}, {"wait2", 50}, {"tmrTXLED", 200}, {"tmrRXLED", 200}};
    const auto timer = [this](const char* name) {
        return program->session().findChild<QTimer*>(QString::fromLatin1(name));
    };
    for (const auto& [name, interval] : timers) {
        SCOPED_TRACE(name);
        ASSERT_NE(timer(name), nullptr);
        EXPECT_EQ(timer(name)->interval(), interval);
        EXPECT_TRUE(timer(name)->isActive());
    }
    program->unloadMain();
    for (const auto& [name, interval] : timers) {
        EXPECT_FALSE(timer(name)->isActive()) << name;
    }
    program->loadMain();
    for (const auto& [name, interval] : timers) {
        EXPECT_TRUE(timer(name)->isActive()) << name;
    }
}

TEST_F(MainWindowLook, MenuCommandsOpenTheirWindowsOnce) {
    const char* items[] = {"mnu_file", "mnu_options"};
    for (const char* name : items) {
        EXPECT_NE(window().menuBar()->findChild<QMenu*>(QString::fromLatin1(name)), nullptr)
            << name;
    }
    auto trigger = [this](const char* name) {
        auto* action = window().findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    struct Opens {
        const char* action;
        const char* window;
        const char* caption;
    };
    const Opens opens[] = {{"mnu_Settings", "Settings", "Options"},
                           {"mnu_serieel", "serieelmonitor", "RS232 Monitor"},
                           {"mnu_serialPorts", "SerialPorts", "Serial Ports"},
                           {"mnu_goToFrequency", "GoToFrequency", "Go to Frequency"},
                           {"mnu_about", "Frm_info", "About"}};
    for (const Opens& o : opens) {
        SCOPED_TRACE(o.action);
        trigger(o.action);
        trigger(o.action);
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(o.window) && w->isVisible()) {
                ++shown;
                EXPECT_EQ(w->windowTitle(), QString::fromLatin1(o.caption));
            }
        }
        EXPECT_EQ(shown, 1);
    }
}

// None of them has a task-bar button to bring it back by: choosing it again must.
TEST_F(MainWindowLook, ChoosingAMinimisedWindowAgainBringsItBackActive) {
    const std::pair<const char*, const char*> secondaries[] = {{"mnu_Settings", "Settings"},
                                                               {"mnu_serieel", "serieelmonitor"},
                                                               {"mnu_serialPorts", "SerialPorts"},
                                                               {"mnu_about", "Frm_info"}};
    for (const auto& [item, name] : secondaries) {
        SCOPED_TRACE(item);
        control<QAction>(item)->trigger();
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto shown = std::find_if(windows.begin(), windows.end(), [name = name](QWidget* w) {
            return w->objectName() == QLatin1String(name) && w->isVisible();
        });
        ASSERT_NE(shown, windows.end());
        (*shown)->showMinimized();
        QApplication::setActiveWindow(&window());
        ASSERT_FALSE((*shown)->isActiveWindow());

        control<QAction>(item)->trigger();
        EXPECT_FALSE((*shown)->windowState() & Qt::WindowMinimized);
        EXPECT_TRUE((*shown)->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(*shown));
    }
}

// New items go after the ones the operators know, which keep their places.
TEST_F(MainWindowLook, OptionsMenuKeepsItsItemsAndAddsSerialPortsAfterThem) {
    QStringList items;
    for (const QAction* action : control<QMenu>("mnu_options")->actions()) {
        items << action->objectName() + ' ' + action->text();
    }
    EXPECT_EQ(items.mid(0, 3), (QStringList{"mnu_Settings Settings", "mnu_serieel RS232 Monitor",
                                            "mnu_serialPorts Serial Ports…"}));
}

TEST_F(MainWindowLook, ExitUnloadsTheMainWindowAndTheProgramEndsWithItsLastWindow) {
    QSignalSpy finished(program.get(), &app::Program::finished);
    program->showMonitor();
    window().findChild<QAction*>(QStringLiteral("mnu_exit"))->trigger();
    EXPECT_EQ(program->mainWindow(), nullptr);
    EXPECT_EQ(program->monitor().window(), nullptr) << "the monitor goes with the main window";
    EXPECT_TRUE(testsupport::waitUntil([&] { return !finished.isEmpty(); }));
}

TEST_F(MainWindowLook, AnOpenSettingsDialogKeepsTheProgramRunning) {
    QSignalSpy finished(program.get(), &app::Program::finished);
    program->showSettings();
    window().close();
    QTest::qWait(50);
    EXPECT_TRUE(finished.isEmpty());
    program->settingsDialog()->close();
    EXPECT_TRUE(testsupport::waitUntil([&] { return !finished.isEmpty(); }));
}

// What the line says is shown as it stands: a record that looks like markup renders as text.
TEST_F(MainWindowLook, EveryLabelShowsPlainTextAlsoMarkupFromTheLine) {
    ASSERT_EQ(pty.read(2), "2a");
    pty.write("S1010128F<b>1<i>");
    ASSERT_TRUE(testsupport::waitUntil([&] { return control<QLabel>("Label9")->text() == "<i>"; }));
    EXPECT_EQ(control<QLabel>("Label8")->text(), "<b>1");
    program->showMonitor();
    QList<QLabel*> labels = window().findChildren<QLabel*>();
    labels += program->monitor().window()->findChildren<QLabel*>();
    ASSERT_GE(labels.size(), 20);
    for (const QLabel* label : labels) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

// The carrier button's caption and face follow the status record; the face is what is painted.
TEST_F(MainWindowLook, TheCarrierButtonShowsTheReportedCarrierInCaptionAndColour) {
    ASSERT_EQ(pty.read(2), "2a");
    const struct {
        const char* record;
        const char* caption;
        QColor face;
    } rows[] = {{"S1010128", "TX On", QColor(0, 255, 0)},
                {"S1011128", "TX Off", QColor(255, 0, 0)},
                {"S1010128", "TX On", QColor(0, 255, 0)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.record);
        pty.write(row.record);
        auto* carrier = control<QPushButton>("Command6");
        ASSERT_TRUE(testsupport::waitUntil([&] { return carrier->text() == row.caption; }));
        EXPECT_EQ(carrier->grab().toImage().pixelColor(5, 5), row.face);
    }
}
