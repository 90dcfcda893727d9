#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "support/Fakes.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/WindowHolder.h"

namespace {

template <typename T = QWidget>
T* child(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

enum class CreditsAction { Click, RightClick, DoubleClick, Drag, SetFocus };

// A maker with every detail set, so that no line of the credits is left to the build's defaults.
ui::about::MakerDetails testMaker() {
    return {
        .webAddress = "www.example.org",
        .callSign = "N0CALL",
        .author = "A. Placeholder",
        .town = "Anytown",
        .locator = "JO00aa",
        .country = "Nowhere",
        .email = "n0call@example.com",
        .readmePath = "/opt/vora/share/doc/vora-tx-controller/README.md",
    };
}

QStringList creditLines(const QString& credits) {
    QStringList lines = credits.split("\r\n");
    lines.prepend(QString());  // numbered from 1
    return lines;
}

}  // namespace

Q_DECLARE_METATYPE(CreditsAction)

class AboutWindowTest : public QObject {
    Q_OBJECT

    testsupport::RecordingUrlOpener m_opener;
    ui::common::WindowHolder<ui::about::AboutWindow> m_holder{
        [this] { return new ui::about::AboutWindow(m_opener, testMaker()); }};

private slots:
    void cleanup() {
        m_holder.unload();
        m_opener.opened.clear();
    }

    void scrollEndsOnTick686_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("closed");
        QTest::newRow("first tick") << 1 << -130 << false;
        QTest::newRow("pixel rounding must not drift") << 4 << -160 << false;
        QTest::newRow("last tick before the end") << 685 << -6970 << false;
        QTest::newRow("lower edge past -120") << 686 << -6980 << true;
    }

    void scrollEndsOnTick686() {
        QFETCH(int, ticks);
        QFETCH(int, top);
        QFETCH(bool, closed);
        ui::about::AboutWindow* window = m_holder.show();
        QSignalSpy destroyed(window, &QObject::destroyed);
        for (int i = 0; i < ticks; ++i) {
            window->scrollTick();
        }
        QCOMPARE(window->creditsTop(), top);
        QCOMPARE(child(window, "Text1")->y(), qRound(top / 15.0));
        QCOMPARE(window->isVisible(), !closed);
        if (closed) {
            QTRY_COMPARE_WITH_TIMEOUT(destroyed.count(), 1, 5000);
        }
    }

    void exitClosesAndNextOpeningStartsFromTop() {
        ui::about::AboutWindow* first = m_holder.show();
        QSignalSpy destroyed(first, &QObject::destroyed);
        QTRY_VERIFY_WITH_TIMEOUT(first->creditsTop() <= -200, 10000);  // scrolls by itself

        QTest::mouseClick(child(first, "Label1"), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(destroyed.count(), 1, 5000);

        ui::about::AboutWindow* second = m_holder.show();
        QCOMPARE(second->creditsTop(), -120);
        QCOMPARE(child(second, "Text1")->y(), -8);
        QVERIFY(child<QTimer>(second, "Timer2")->isActive());
    }

    void creditsNeverKeepFocusOrSelection_data() {
        QTest::addColumn<CreditsAction>("action");
        QTest::newRow("click") << CreditsAction::Click;
        QTest::newRow("right click") << CreditsAction::RightClick;
        QTest::newRow("double click") << CreditsAction::DoubleClick;
        QTest::newRow("drag across the text") << CreditsAction::Drag;
        QTest::newRow("focus given directly") << CreditsAction::SetFocus;
    }

    void creditsNeverKeepFocusOrSelection() {
        QFETCH(CreditsAction, action);
        ui::about::AboutWindow* window = m_holder.show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* text1 = child<QTextEdit>(window, "Text1");
        QWidget* viewport = text1->viewport();
        // Start elsewhere, so that ending on Picture1 proves the hand-over.
        window->setFocus();
        QCOMPARE(QApplication::focusWidget(), window);

        const QPoint onText(20, 60);
        switch (action) {
            case CreditsAction::Click:
                QTest::mouseClick(viewport, Qt::LeftButton, {}, onText);
                break;
            case CreditsAction::RightClick:
                QTest::mouseClick(viewport, Qt::RightButton, {}, onText);
                break;
            case CreditsAction::DoubleClick:
                QTest::mouseDClick(viewport, Qt::LeftButton, {}, onText);
                break;
            case CreditsAction::Drag:
                QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(2, 40));
                QTest::mouseMove(viewport, QPoint(160, 200));
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(160, 200));
                break;
            case CreditsAction::SetFocus:
                text1->setFocus();
                break;
        }
        QCOMPARE(QApplication::focusWidget(), child(window, "Picture1"));
        QVERIFY(!text1->textCursor().hasSelection());
    }

    void labelClicks_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("pagesOpened");
        QTest::addColumn<bool>("closed");
        QTest::newRow("web link") << "Label4" << Qt::LeftButton << 1 << 1 << false;
        QTest::newRow("web link clicked thrice") << "Label4" << Qt::LeftButton << 3 << 3 << false;
        QTest::newRow("web link, right button") << "Label4" << Qt::RightButton << 1 << 0 << false;
        QTest::newRow("exit") << "Label1" << Qt::LeftButton << 1 << 0 << true;
        QTest::newRow("exit, right button") << "Label1" << Qt::RightButton << 1 << 0 << false;
    }

    void labelClicks() {
        QFETCH(QString, label);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, clicks);
        QFETCH(int, pagesOpened);
        QFETCH(bool, closed);
        ui::about::AboutWindow* window = m_holder.show();
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(child<QLabel>(window, label), button);
        }
        QCOMPARE(m_opener.opened.size(), pagesOpened);
        for (const QUrl& url : m_opener.opened) {
            QCOMPARE(url, QUrl("http://www.example.org/"));
        }
        QCOMPARE(window->isVisible(), !closed);
    }

    // Tab reaches the two labels that act on a click, top to bottom around the viewport, and
    // Enter or Space clicks the focused one, once for as long as the key is held.
    void keyboardReachesTheLinks() {
        ui::about::AboutWindow* window = m_holder.show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), child(window, "Picture1"));
        const char* order[] = {"Label1", "Label4", "Picture1"};
        for (const char* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
        auto* link = child<QLabel>(window, "Label4");
        link->setFocus();
        QVERIFY(link->font().underline());
        QTest::keyPress(link, Qt::Key_Return);
        QTest::keyPress(link, Qt::Key_Return);  // held: a repeat the X server did not mark
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(m_opener.opened.size(), 1);
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(m_opener.opened.size(), 2);
        QVERIFY(window->isVisible());

        child(window, "Label1")->setFocus();
        QVERIFY(!link->font().underline());
        QTest::keyClick(child(window, "Label1"), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!window->isVisible());
    }

    void controlsSitWhereTheyBelong() {
        const QColor green(0, 255, 0), black(0, 0, 0), white(255, 255, 255);
        struct Control {
            const char* name;
            const char* container;
            QRect geometry;  // twips / 15, from the inside of the container's border
            QColor colour;   // text colour, or the colour of a line
        };
        const Control controls[] = {
            {"Picture2", "Frm_info", {4, 4, 281, 193}, {}},
            {"Image1", "Picture2", {16, 16, 80, 61}, {}},
            {"Label7", "Picture2", {120, 16, 145, 49}, {224, 224, 224}},
            {"Label4", "Picture2", {120, 32, 153, 17}, white},
            {"Label1", "Picture2", {255, 173, 33, 17}, {227, 227, 227}},
            {"Picture1", "Picture2", {50, 104, 177, 57}, {}},
            {"Text1", "Picture1", {0, -8, 174, 457}, white},
            {"Label3", "Picture1", {15, 6, 145, 33}, green},
            {"Label5", "Picture1", {41, 30, 121, 17}, green},
            {"Line2", "Picture1", {40, 30, 120, 1}, green},
            {"Line7", "Frm_info", {0, 0, 287, 1}, black},
            {"Line10", "Frm_info", {2, 197, 286, 1}, white},
            {"Line11", "Frm_info", {287, 0, 1, 200}, black},
            {"Line1_1", "Frm_info", {2, 2, 1, 197}, white},
        };
        ui::about::AboutWindow* window = m_holder.get();
        for (const Control& control : controls) {
            QWidget* widget = child(window, control.name);
            QVERIFY2(widget, control.name);
            QWidget* container = window->objectName() == control.container
                                     ? window
                                     : child(window, control.container);
            QVERIFY2(container && container->isAncestorOf(widget), control.name);
            QCOMPARE(widget->geometry(), control.geometry);
            if (control.colour.isValid()) {
                const auto role = qobject_cast<QTextEdit*>(widget) ? QPalette::Text
                                  : qobject_cast<QLabel*>(widget)  ? QPalette::WindowText
                                                                   : QPalette::Window;
                QVERIFY2(widget->palette().color(role) == control.colour, control.name);
            }
        }
    }

    void windowShapeAndCaptions() {
        ui::about::AboutWindow* window = m_holder.show();
        QCOMPARE(window->objectName(), "Frm_info");
        QCOMPARE(window->windowTitle(), "About");
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->windowType(), Qt::Tool);
        QCOMPARE(window->size(), QSize(288, 201));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const QPoint offCentre =
            window->geometry().center() - window->screen()->geometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "not centred on the screen");

        QCOMPARE(child<QTimer>(window, "Timer2")->intervalAsDuration(),
                 std::chrono::milliseconds(16));
        QVERIFY(!child<QTimer>(window, "Timer1")->isActive());
        QCOMPARE(child<QLabel>(window, "Label7")->text(), "For more info, log on to ");
        QCOMPARE(child<QLabel>(window, "Label4")->text(), "www.example.org");
        QCOMPARE(child<QLabel>(window, "Label4")->cursor().shape(), Qt::UpArrowCursor);
        QCOMPARE(child<QLabel>(window, "Label5")->text(), "voraTXcontroller   V1.3");
        QCOMPARE(child<QLabel>(window, "Label1")->text(), "Exit");
        QCOMPARE(child<QLabel>(window, "Image1")->pixmap().size(), QSize(80, 61));
    }

    void creditsTextIsExact() {
        const QString expected =
            "\r\n\r\n\r\n\r\nVoraTXController\r\nVer. 1.3.0\r\n(1/6/2009)\r\n\r\nCreated by\r\n\r\n"
            "A. Placeholder\r\nN0CALL\r\nAnytown, "
            "JO00aa\r\nNowhere\r\n\r\n_________________\r\n\r\n"
            "Thanks and please \r\nsend your feedback or \r\ncomments to\r\nn0call@example.com\r\n";
        QCOMPARE(ui::about::AboutWindow::creditsText(testMaker()), expected);
        auto* text1 = child<QTextEdit>(m_holder.get(), "Text1");
        QCOMPARE(text1->toPlainText(), QString(expected).replace("\r\n", "\n"));
    }

    void makerDetailsFillTheirLines_data() {
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("line13");
        QTest::newRow("town and locator") << "Anytown"
                                          << "JO00aa"
                                          << "Anytown, JO00aa";
        QTest::newRow("town alone") << "Anytown"
                                    << ""
                                    << "Anytown";
        QTest::newRow("locator alone") << ""
                                       << "JO00aa"
                                       << "JO00aa";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "";
    }

    void makerDetailsFillTheirLines() {
        QFETCH(QString, town);
        QFETCH(QString, locator);
        QFETCH(QString, line13);
        ui::about::MakerDetails maker = {.webAddress = "",
                                         .callSign = "VoraTX",
                                         .author = "B. Author",
                                         .town = town,
                                         .locator = locator,
                                         .country = "Elsewhere",
                                         .email = "b@author.test",
                                         .readmePath = ""};
        const QStringList lines = creditLines(ui::about::AboutWindow::creditsText(maker));
        QCOMPARE(lines.size(), 23);  // 21 lines and the empty end after the last CR LF
        QCOMPARE(lines[11], "B. Author");
        QCOMPARE(lines[12], "VoraTX");
        QCOMPARE(lines[13], line13);
        QCOMPARE(lines[14], "Elsewhere");
        QCOMPARE(lines[21], "b@author.test");

        ui::about::AboutWindow window(m_opener, maker);
        QCOMPARE(child<QLabel>(&window, "Label3")->text(), "VoraTX");
    }

    void linkOpensWebPageOrReadme_data() {
        QTest::addColumn<QString>("webAddress");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QUrl>("opened");
        QTest::newRow("web address") << "www.example.org"
                                     << "www.example.org" << QUrl("http://www.example.org/");
        QTest::newRow("web address with a path")
            << "www.example.org/vora"
            << "www.example.org/vora" << QUrl("http://www.example.org/vora/");
        QTest::newRow("no web address: the installed README")
            << ""
            << "README" << QUrl("file:///opt/vora/share/doc/vora-tx-controller/README.md");
    }

    void linkOpensWebPageOrReadme() {
        QFETCH(QString, webAddress);
        QFETCH(QString, caption);
        QFETCH(QUrl, opened);
        ui::about::MakerDetails maker = testMaker();
        maker.webAddress = webAddress;
        ui::about::AboutWindow window(m_opener, maker);
        window.show();
        auto* label = child<QLabel>(&window, "Label4");
        QCOMPARE(label->text(), caption);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(m_opener.opened, QList<QUrl>{opened});
    }

    // The fallback names a README that is there: the installation's where it is installed, the
    // source tree's for a build that is not (as here); with neither, the link opens nothing.
    void configuredReadmeIsOneThatExists() {
        const QString readme = ui::about::MakerDetails::configured().readmePath;
        QVERIFY2(QFileInfo(readme).isFile(), qPrintable(readme));
        const bool installed =
            QFileInfo::exists(VORA_TEST_INSTALL_PREFIX "/share/doc/vora-tx-controller/README.md");
        QVERIFY2(installed ? readme.startsWith(VORA_TEST_INSTALL_PREFIX "/")
                           : readme == QStringLiteral(VORA_TEST_SOURCE_DIR "/README.md"),
                 qPrintable(readme));

        ui::about::MakerDetails nowhere = ui::about::MakerDetails::configured();
        nowhere.webAddress.clear();
        nowhere.readmePath.clear();
        QVERIFY(nowhere.linkTarget().isEmpty());
        ui::about::AboutWindow window(m_opener, nowhere);
        QTest::mouseClick(child<QLabel>(&window, "Label4"), Qt::LeftButton);
        QVERIFY(m_opener.opened.isEmpty());
    }

    void programOutlivesMainWindowWhileAboutIsOpen() {
        QWidget mainWindow;
        mainWindow.show();
        QPointer<ui::about::AboutWindow> about = m_holder.show();
        bool aboutOutlivedMain = false;
        QObject context;
        QTimer::singleShot(0, &context, [&] { mainWindow.close(); });
        QTimer::singleShot(200, &context, [&] {
            aboutOutlivedMain = about && about->isVisible();
            if (about) {
                about->exitClicked();
            }
        });
        QTimer::singleShot(20000, &context, [] { QCoreApplication::exit(1); });
        // The loop ends when the last window has gone, as the program does.
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOutlivedMain);
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
