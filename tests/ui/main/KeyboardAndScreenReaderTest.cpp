// What an operator without a mouse, or with a screen reader, meets in the main window: the menus
// from the keyboard, the Tab order, and what the accessibility interfaces say and announce.

// The listener below is a plugin linked into this test.
#define QT_STATICPLUGIN

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleBridgePlugin>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "ProgramFixture.h"
#include "support/Wait.h"

using namespace std::chrono_literals;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The events the window raised, as "objectName kind", while a test listens.
QStringList g_heard;
QWidget* g_listenedTo = nullptr;

void hear(QAccessibleEvent* event) {
    if (g_listenedTo == nullptr) {
        return;
    }
    QObject* object = event->object();
    if (object == nullptr && event->accessibleInterface() != nullptr) {
        object = event->accessibleInterface()->object();
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->window() != g_listenedTo) {
        return;  // the link monitor's lamps and the like: not this window
    }
    const char* kind = "other";
    switch (event->type()) {
        case QAccessible::NameChanged:
            kind = "name";
            break;
        case QAccessible::DescriptionChanged:
            kind = "description";
            break;
        case QAccessible::ValueChanged:
            kind = "value";
            break;
        case QAccessible::StateChanged:
            kind = "state";
            break;
        default:
            break;
    }
    g_heard << widget->objectName() + ' ' + QLatin1String(kind);
}

// Hears what a screen reader's bridge would. Qt hands every accessibility event to its bridges,
// whether or not a screen reader has switched accessibility on (which nothing can offscreen).
class ListeningBridge final : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface*) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent* event) override { hear(event); }
};

}  // namespace

class ListeningBridgePlugin final : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "ListeningBridge.json")

public:
    QAccessibleBridge* create(const QString&) override { return new ListeningBridge; }
};

Q_IMPORT_PLUGIN(ListeningBridgePlugin)

class KeyboardAndScreenReader : public ProgramFixture {
protected:
    void SetUp() override {
        config.mapPort(1, pty.slavePath());
        start();
        ASSERT_EQ(pty.read(2), "2a");
        // The link watch writes the link panel; ticked by hand, it cannot speak in the middle.
        program->session().findChild<QTimer*>(QStringLiteral("Tmrcom"))->stop();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(testsupport::waitUntil([&] { return window().isActiveWindow(); }));
    }
    void TearDown() override { g_listenedTo = nullptr; }

    template <typename T = QWidget>
    T* control(const char* name) {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    QString name(const char* control) {
        return accessible(this->control(control))->text(QAccessible::Name);
    }
    QString description(const char* control) {
        return accessible(this->control(control))->text(QAccessible::Description);
    }
    // Writes records and waits until the display shows them.
    void report(const QByteArray& records, std::function<bool()> shown) {
        pty.write(records);
        ASSERT_TRUE(testsupport::waitUntil(shown)) << records.constData();
    }

    testsupport::Pty pty;
};

TEST_F(KeyboardAndScreenReader, WhatAScreenReaderReadsFollowsTheReports) {
    struct Case {
        const char* records;  // nullptr: before any report
        const char* frequency;
        const char* selectedStepLabel;  // nullptr: none selected
        const char* selectedStepName;
        int power;
        const char* carrierCaption;
        const char* carrierDescription;
    };
    const Case cases[] = {
        {nullptr, "00000.000 MHz", nullptr, "", 0, "On / Off",
         "Carrier state not reported yet. Press to switch the carrier on or off."},
        {"F1296125S1020128", "1296.125 MHz", "Label12", "250 KHz, selected step", 128, "TX On",
         "Carrier off. Press to key the transmitter."},
        {"S1011200", "1296.125 MHz", "Label11", "125 KHz, selected step", 200, "TX Off",
         "Carrier on. Press to switch the carrier off."},
        {"G1036850", "10368.50 MHz", "Label11", "500 KHz, selected step", 200, "TX Off",
         "Carrier on. Press to switch the carrier off."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records != nullptr ? c.records : "before any report");
        if (c.records != nullptr) {
            report(c.records, [&] {
                return name("Label8") == QLatin1String(c.frequency) &&
                       control<QPushButton>("Command6")->text() == QLatin1String(c.carrierCaption);
            });
        }
        EXPECT_EQ(name("Label8"), c.frequency);
        EXPECT_EQ(description("Command1"), QString::fromLatin1(c.frequency) + ". Hold to tune up.");
        EXPECT_EQ(description("Command2"),
                  QString::fromLatin1(c.frequency) + ". Hold to tune down.");
        for (const char* step : {"Label11", "Label12", "Label13", "Label14", "Label15"}) {
            const bool selected =
                c.selectedStepLabel != nullptr && qstrcmp(step, c.selectedStepLabel) == 0;
            EXPECT_EQ(name(step), selected ? QString::fromLatin1(c.selectedStepName)
                                           : control<QLabel>(step)->text())
                << step;
        }
        EXPECT_EQ(description("Command3"),
                  c.selectedStepLabel == nullptr
                      ? QStringLiteral("No step reported yet. Press to change the step.")
                      : control<QLabel>(c.selectedStepLabel)->text() +
                            " step. Press to change the step.");
        QAccessibleInterface* bar = accessible(control("ProgressBar1"));
        EXPECT_EQ(bar->text(QAccessible::Name), "Power");
        ASSERT_NE(bar->valueInterface(), nullptr);
        EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), c.power);
        EXPECT_EQ(description("Command5"),
                  QStringLiteral("Power %1 of 255. Hold to raise the power.").arg(c.power));
        EXPECT_EQ(description("Command4"),
                  QStringLiteral("Power %1 of 255. Hold to lower the power.").arg(c.power));
        EXPECT_EQ(name("Command6"), c.carrierCaption);
        EXPECT_EQ(description("Command6"), c.carrierDescription);
    }
    EXPECT_EQ(name("Panel3"), "TX Locked");
}

// The frequency is one object: the digits after the point, the point and the unit are read out
// with the whole megahertz and are not met on their own.
TEST_F(KeyboardAndScreenReader, TheFrequencyIsOneObjectInTheTreeAScreenReaderWalks) {
    report("F1296125", [&] { return control<QLabel>("Label9")->text() == "125"; });
    QAccessibleInterface* client = accessible(control("client"));
    QStringList names;
    for (int i = 0; i < client->childCount(); ++i) {
        QAccessibleInterface* child = client->child(i);
        ASSERT_NE(child, nullptr) << i;
        EXPECT_EQ(client->indexOfChild(child), i);
        EXPECT_EQ(child->parent()->object(), client->object());
        names << child->text(QAccessible::Name);
    }
    EXPECT_EQ(names.filter(QStringLiteral("1296")), QStringList{"1296.125 MHz"});
    EXPECT_EQ(names.mid(0, 3), (QStringList{"TX Freq :", "1296.125 MHz", "Step :"}));
    for (const char* part : {"Label9", "Label10", "Label4"}) {
        EXPECT_EQ(client->indexOfChild(accessible(control(part))), -1) << part;
    }
    EXPECT_EQ(client->childAt(control("Label9")->mapToGlobal(QPoint(2, 2)).x(),
                              control("Label9")->mapToGlobal(QPoint(2, 2)).y()),
              nullptr)
        << "pointing at the fraction digits finds no object of their own";
}

// Each change the transmitter reports raises its events once; the same report again raises none,
// so a screen reader speaks once per change. The frequency speaks through one object.
TEST_F(KeyboardAndScreenReader, AChangeIsAnnouncedOnceAndARepeatedReportNotAtAll) {
    struct Case {
        const char* what;
        const char* repeated;  // the report as it stands, sent again
        const char* change;
        QStringList heard;
        std::function<bool()> shown;
    };
    const Case cases[] = {
        {"frequency",
         "F1296125",
         "F1296250",
         {"Label8 name", "Command2 description", "Command1 description"},
         [&] { return control<QLabel>("Label9")->text() == "250"; }},
        {"power",
         "S1020128",
         "S1020129",
         {"ProgressBar1 value", "Command4 description", "Command5 description"},
         [&] {
             return accessible(control("ProgressBar1"))->valueInterface()->currentValue() == 129;
         }},
        {"carrier",
         "S1020129",
         "S1021129",
         {"Command6 name", "Command6 description"},
         [&] { return control<QPushButton>("Command6")->text() == "TX Off"; }},
        {"step",
         "S1021129",
         "S1011129",
         {"Label11 state", "Label12 state", "Label11 name", "Label12 name", "Command3 description"},
         [&] { return control("Label11")->isEnabled(); }},
        {"lock",
         "S1011129",
         "S0011129",
         {"Panel3 name"},
         [&] { return name("Panel3") == "TX UnLocked"; }},
    };
    report("F1296125S1020128", [&] { return control<QLabel>("Label9")->text() == "125"; });
    program->panel().linkWatchTick();
    g_listenedTo = &window();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_heard.clear();
        pty.write(c.repeated);
        report(c.change, c.shown);
        QStringList heard = g_heard;
        QStringList expected = c.heard;
        heard.sort();
        expected.sort();
        EXPECT_EQ(heard, expected);
    }
}

TEST_F(KeyboardAndScreenReader, TabFollowsThePanelLeftToRightTopToBottom) {
    const char* order[] = {"Command2", "Command3", "Command1", "Command4",
                           "Command6", "Command5", "Command2"};
    EXPECT_EQ(QApplication::focusWidget(), control(order[0])) << "the window opens on the first";
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
    }
}

// The captions carry no '&' (a screen reader and the tests read "File"); the letters open the
// menus all the same, and a screen reader reads Alt+letter as the bar items' accelerators.
TEST_F(KeyboardAndScreenReader, MenusOpenFromTheKeyboardWhileTheirCaptionsStayPlain) {
    QAccessibleInterface* bar = accessible(window().menuBar());
    QStringList items;
    for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface* item = bar->child(i);
        items << item->text(QAccessible::Name) + ' ' + item->text(QAccessible::Accelerator);
    }
    EXPECT_EQ(items, (QStringList{"File Alt+F", "Options Alt+O", "About Alt+A"}));
    for (const char* menu : {"mnu_file", "mnu_options", "mnu_txTimeout"}) {
        EXPECT_FALSE(control<QMenu>(menu)->title().contains('&')) << menu;
        for (const QAction* action : control<QMenu>(menu)->actions()) {
            EXPECT_FALSE(action->text().contains('&')) << action->text().toStdString();
        }
    }

    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    struct Case {
        const char* what;
        std::vector<Key> keys;
        const char* openMenu;  // the innermost menu open afterwards; nullptr: none
        const char* chosen;    // its chosen item, or the window the keys opened
    };
    const Case cases[] = {
        {"Alt+F", {{Qt::Key_F, Qt::AltModifier}}, "mnu_file", "mnu_exit"},
        {"Alt+O", {{Qt::Key_O, Qt::AltModifier}}, "mnu_options", "mnu_Settings"},
        {"F10", {{Qt::Key_F10}}, "mnu_file", "mnu_exit"},
        {"F10, then O", {{Qt::Key_F10}, {Qt::Key_O}}, "mnu_options", "mnu_Settings"},
        {"F10, then Right", {{Qt::Key_F10}, {Qt::Key_Right}}, "mnu_options", "mnu_Settings"},
        {"Alt+F, then Alt+O",
         {{Qt::Key_F, Qt::AltModifier}, {Qt::Key_O, Qt::AltModifier}},
         "mnu_options",
         "mnu_Settings"},
        {"F10 twice", {{Qt::Key_F10}, {Qt::Key_F10}}, nullptr, nullptr},
        {"Alt+O, T", {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_T}}, "mnu_txTimeout", nullptr},
        {"Alt+O, S", {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_S}}, nullptr, "Settings"},
        {"Alt+O, R", {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_R}}, nullptr, "serieelmonitor"},
        {"Alt+O, P", {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_P}}, nullptr, "SerialPorts"},
        {"Alt+A", {{Qt::Key_A, Qt::AltModifier}}, nullptr, "Frm_info"},
        {"Alt+O, then Alt+A",
         {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_A, Qt::AltModifier}},
         nullptr,
         "Frm_info"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window()) {
                other->close();
            }
        }
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(testsupport::waitUntil([&] { return window().isActiveWindow(); }));
        for (const Key& key : c.keys) {
            QWidget* target = QApplication::activePopupWidget();
            QTest::keyClick(target != nullptr ? target : QApplication::focusWidget(), key.key,
                            key.modifiers);
        }
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_EQ(open != nullptr ? open->objectName() : QString(),
                  QString::fromLatin1(c.openMenu != nullptr ? c.openMenu : ""));
        if (open != nullptr && c.chosen != nullptr) {
            ASSERT_NE(open->activeAction(), nullptr);
            EXPECT_EQ(open->activeAction()->objectName(), c.chosen);
        } else if (c.chosen != nullptr) {
            int shown = 0;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                shown += w->objectName() == QLatin1String(c.chosen) && w->isVisible();
            }
            EXPECT_EQ(shown, 1) << "opens " << c.chosen;
        }
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }
}

TEST_F(KeyboardAndScreenReader, ATimeOutIsChosenByItsLetterAndEveryLetterIsItsMenusOwn) {
    QSignalSpy chosen(&window(), &ui::main::MainWindow::transmitTimeoutChosen);
    const std::pair<Qt::Key, int> choices[] = {{Qt::Key_5, 300},  {Qt::Key_0, 600},
                                               {Qt::Key_3, 1800}, {Qt::Key_1, 60},
                                               {Qt::Key_2, 120},  {Qt::Key_O, 0}};
    for (const auto& [key, seconds] : choices) {
        SCOPED_TRACE(seconds);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_T);
        QTest::keyClick(QApplication::activePopupWidget(), key);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the menus close";
        ASSERT_FALSE(chosen.isEmpty());
        EXPECT_EQ(chosen.takeFirst().at(0).toInt(), seconds);
    }
}

#include "KeyboardAndScreenReaderTest.moc"
