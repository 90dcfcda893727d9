// Tab moves a mark the operator can see, in every window, and leaves no trace where it was.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "ProgramFixture.h"
#include "ui/common/FocusMark.h"
#include "ui/main/FaceButton.h"

namespace {

TEST(FocusMarkColour, StandsOutFromTheFace) {
    for (const QColor face : {QColor(160, 160, 160), QColor(Qt::red), QColor(Qt::green)}) {
        EXPECT_EQ(ui::common::focusMarkColour(face), QColor(Qt::black)) << face.name().data();
    }
    for (const QColor face : {QColor(Qt::black), QColor(0, 0, 128), QColor(96, 96, 96)}) {
        EXPECT_EQ(ui::common::focusMarkColour(face), QColor(Qt::white)) << face.name().data();
    }
}

struct Focusable {
    const char* menuItem;  // opens the window; none for the main window
    const char* control;
    int dotsInset;  // of a button's dotted rectangle from its edge; 0 for the style's own mark
};
// In tab order. "Assign device to port" waits, disabled, for a device.
const Focusable kFocusables[] = {
    {nullptr, "Command2", 2},
    {nullptr, "Command3", 2},
    {nullptr, "Command1", 2},
    {nullptr, "Command4", 2},
    {nullptr, "Command6", 2},
    {nullptr, "Command5", 2},
    {"mnu_Settings", "cmdOK", 3},
    {"mnu_Settings", "cmdCancel", 3},
    {"mnu_Settings", "Combo1", 0},
    {"mnu_serialPorts", "deviceList", 0},
    {"mnu_serialPorts", "portNumberBox", 0},
    {"mnu_serialPorts", "clearButton", 3},
    {"mnu_serialPorts", "portList", 0},
    {"mnu_serialPorts", "closeButton", 3},
};

// Black dots (black stands out from every face here) on each side of the rectangle, the caption
// inside it as it was; outside it, only the style may add a mark of its own.
void expectDots(const QWidget* button, const QImage& before, const QImage& after, int inset) {
    const QRect mark = before.rect().adjusted(inset, inset, -inset, -inset);
    const bool ownPaint = qobject_cast<const ui::main::FaceButton*>(button) != nullptr;
    int dots[4] = {};  // top, bottom, left, right
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) {
                continue;
            }
            const int side = QList<bool>{y == mark.top(), y == mark.bottom(), x == mark.left(),
                                         x == mark.right()}
                                 .indexOf(true);
            if (!mark.contains(x, y) || side < 0) {
                EXPECT_TRUE(!ownPaint && !mark.contains(x, y)) << "off the mark: " << x << "," << y;
                continue;
            }
            EXPECT_EQ(after.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
            ++dots[side];
        }
    }
    // Every other pixel, less a few the caption covers already.
    EXPECT_GE(std::min(dots[0], dots[1]), mark.width() / 4);
    EXPECT_GE(std::min(dots[2], dots[3]), mark.height() / 4);
}

class FocusMark : public ProgramFixture {};

TEST_F(FocusMark, TabShowsTheMarkOnTheControlItReachesAndTakesItAlong) {
    ui::ports::DeviceSource noAdapter;  // an empty device list has no row to frame
    noAdapter.list = [] { return QList<portmap::SerialDevice>{}; };
    devices = &noAdapter;
    start();
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    for (const Focusable& f : kFocusables) {
        SCOPED_TRACE(f.control);
        if (f.menuItem != nullptr) {
            window().findChild<QAction*>(QLatin1String(f.menuItem))->trigger();
        }
        QWidget* control = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            control = w->isVisible() ? w->findChild<QWidget*>(f.control) : nullptr;
            if (control != nullptr) {
                QApplication::setActiveWindow(w);
                ASSERT_TRUE(QTest::qWaitForWindowActive(w));
                break;
            }
        }
        ASSERT_NE(control, nullptr);
        control->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Backtab);
        const QImage before = control->grab().toImage();
        press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), control) << "not next in the tab order";
        const QImage focused = control->grab().toImage();
        ASSERT_FALSE(focused == before) << "the focus does not show";
        if (f.dotsInset > 0) {
            expectDots(control, before, focused, f.dotsInset);
        }
        press(Qt::Key_Tab);
        EXPECT_TRUE(control->grab().toImage() == before) << "the focus left a trace";
    }
}

}  // namespace
