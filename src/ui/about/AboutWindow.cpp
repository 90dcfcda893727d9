#include "AboutWindow.h"

#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QTextEdit>
#include <QTextOption>
#include <QTimer>
#include <QUrl>
#include <chrono>

#include "platform/UrlOpener.h"
#include "ui/Twips.h"
#include "ui/about/AboutLogo.h"
#include "ui/about/PictureBox.h"

namespace ui {

namespace {

using namespace std::chrono_literals;

// The credits timer is nominally 4 ms, but the desktops this window was designed on delivered
// such a timer at their tick of about 64 Hz. Qt honours 4 ms to the millisecond, which would run
// the credits past in under three seconds; 16 ms keeps the pace the author saw, about eleven
// seconds in all.
constexpr std::chrono::milliseconds kScrollTickPeriod = 16ms;

constexpr int kScrollStepTwips = 10;
constexpr int kText1StartTopTwips = -120;
constexpr int kText1HeightTwips = 6855;
// The credits are gone once their lower edge is this far above the viewport's top.
constexpr float kScrollEndTwips = -120.0f;

const QString kWebAddress = QStringLiteral("www.example.org");
const QString kCallSign = QStringLiteral("N0CALL");
const QString kAuthor = QStringLiteral("A. Placeholder");
const QString kTownAndLocator = QStringLiteral("Anytown, JO00aa");
const QString kCountry = QStringLiteral("Nowhere");
const QString kEmail = QStringLiteral("n0call@example.com");

// Windows system colours at their usual values.
const QColor kWindowText(0, 0, 0);
const QColor kMenuText(0, 0, 0);
const QColor kWindow(255, 255, 255);
const QColor kCaptionText(255, 255, 255);
const QColor k3dLight(227, 227, 227);
const QColor kButtonFace(240, 240, 240);

const QColor kLightGrey(224, 224, 224);
const QColor kGreen(0, 255, 0);
const QColor kWhite(255, 255, 255);

QFont sansSerif(bool bold = false) {
    QFont font = windowDefaultFont();
    font.setBold(bold);
    return font;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                 const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColour(label, QPalette::WindowText, colour);
    return label;
}

// A line one pixel wide; like the desktop's line drawing it leaves out its end point.
QWidget* addLine(QWidget* parent, const QString& name, QPoint fromTwips, QPoint toTwips,
                 const QColor& colour) {
    const QPoint from(px(fromTwips.x()), px(fromTwips.y()));
    const QPoint to(px(toTwips.x()), px(toTwips.y()));
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    if (from.y() == to.y()) {
        line->setGeometry(from.x(), from.y(), to.x() - from.x(), 1);
    } else {
        line->setGeometry(from.x(), from.y(), 1, to.y() - from.y());
    }
    setColour(line, QPalette::Window, colour);
    line->setAutoFillBackground(true);
    return line;
}

bool isLeftClick(const QWidget* widget, const QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton &&
           widget->rect().contains(mouse->position().toPoint());
}

}  // namespace

AboutWindow::AboutWindow(platform::UrlOpener& opener, QWidget* parent)
    : QWidget(parent), m_opener(opener), m_text1Top(kText1StartTopTwips) {
    setObjectName(QStringLiteral("Frm_info"));
    setWindowTitle(QStringLiteral("About"));
    // A tool window stays out of the task bar; without a title bar nobody can move or resize it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // Tool windows do not keep the program alive by default, but the About window is a window of
    // its own: the program ends only when it, too, has gone.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFont(sansSerif());
    setColour(this, QPalette::Window, kButtonFace);
    setAutoFillBackground(true);
    setFixedSize(px(4320), px(3015));

    buildBorder();
    buildBackdrop();
    buildViewport();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));

    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    m_timer2->start();
}

void AboutWindow::buildBorder() {
    // Outer lines on the window's edge in the dark colour, inner ones two pixels in, light.
    addLine(this, QStringLiteral("Line7"), {0, 0}, {4300, 0}, kWindowText);
    addLine(this, QStringLiteral("Line8"), {30, 30}, {4300, 30}, kCaptionText);
    addLine(this, QStringLiteral("Line9"), {0, 3000}, {4300, 3000}, kWindowText);
    addLine(this, QStringLiteral("Line10"), {30, 2960}, {4320, 2960}, kCaptionText);
    addLine(this, QStringLiteral("Line11"), {4300, 0}, {4300, 3000}, kWindowText);
    addLine(this, QStringLiteral("Line12"), {4270, 30}, {4270, 2960}, kCaptionText);
    addLine(this, QStringLiteral("Line1_0"), {0, 0}, {0, 3000}, kWindowText);
    addLine(this, QStringLiteral("Line1_1"), {30, 30}, {30, 2980}, kCaptionText);
}

void AboutWindow::buildBackdrop() {
    m_picture2 = new PictureBox(kWindowText, this);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setGeometry(ui::twipsRect(65, 60, 4215, 2895));
    QWidget* surface = m_picture2->surface();

    m_timer2 = new QTimer(m_picture2);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(kScrollTickPeriod);
    connect(m_timer2, &QTimer::timeout, this, &AboutWindow::Timer2_Timer);

    m_image1 = new QLabel(surface);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(ui::twipsRect(240, 240, 1200, 915));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setPixmap(makeAboutLogo());

    m_label7 =
        addLabel(surface, QStringLiteral("Label7"), QStringLiteral("For more info, log on to "),
                 ui::twipsRect(1800, 240, 2175, 735), kLightGrey);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(9);
    m_label7->setFont(arial);
    // Room for three lines; the one-line captions clip instead, so that a wider substitute font
    // cannot push their ends onto a hidden second line.
    m_label7->setWordWrap(true);

    m_label4 = addLabel(surface, QStringLiteral("Label4"), kWebAddress,
                        ui::twipsRect(1800, 480, 2295, 255), kWhite);
    m_label4->setFont(sansSerif(true));
    m_label4->setCursor(Qt::UpArrowCursor);
    m_label4->installEventFilter(this);

    m_label1 = addLabel(surface, QStringLiteral("Label1"), QStringLiteral("Exit"),
                        ui::twipsRect(3820, 2600, 495, 255), k3dLight);
    m_label1->installEventFilter(this);
}

void AboutWindow::buildViewport() {
    m_picture1 = new PictureBox(kMenuText, m_picture2->surface());
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(ui::twipsRect(750, 1560, 2655, 855));
    m_picture1->setFocusPolicy(Qt::StrongFocus);
    QWidget* surface = m_picture1->surface();

    // Drawn on the viewport beneath the credits: they show only once the text has gone by.
    m_label3 = addLabel(surface, QStringLiteral("Label3"), kCallSign,
                        ui::twipsRect(220, 90, 2175, 495), kGreen);
    QFont calisto(QStringLiteral("Calisto MT"));
    calisto.setPointSize(18);
    calisto.setBold(true);
    m_label3->setFont(calisto);
    m_label5 =
        addLabel(surface, QStringLiteral("Label5"), QStringLiteral("voraTXcontroller   V1.3"),
                 ui::twipsRect(620, 450, 1815, 255), kGreen);
    m_line2 = addLine(surface, QStringLiteral("Line2"), {600, 450}, {2400, 450}, kGreen);

    m_text1 = new QTextEdit(surface);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_text1->setReadOnly(true);
    m_text1->setTextInteractionFlags(Qt::NoTextInteraction);
    m_text1->setFocusPolicy(Qt::NoFocus);
    m_text1->setContextMenuPolicy(Qt::NoContextMenu);
    m_text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setLineWrapMode(QTextEdit::NoWrap);
    QPalette palette = m_text1->palette();
    palette.setColor(QPalette::Base, kMenuText);
    palette.setColor(QPalette::Text, kWindow);
    m_text1->setPalette(palette);
    m_text1->document()->setDocumentMargin(2);
    QTextOption centred = m_text1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_text1->document()->setDefaultTextOption(centred);
    m_text1->setPlainText(creditsText());
    m_text1->installEventFilter(this);
    m_text1->viewport()->installEventFilter(this);
    placeText1();
}

QString AboutWindow::creditsText() {
    const QStringList lines = {
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral("VoraTXController"),
        QStringLiteral("Ver. 1.3.0"),
        QStringLiteral("(1/6/2009)"),
        QString(),
        QStringLiteral("Created by"),
        QString(),
        kAuthor,
        kCallSign,
        kTownAndLocator,
        kCountry,
        QString(),
        QString(17, QLatin1Char('_')),
        QString(),
        QStringLiteral("Thanks and please "),
        QStringLiteral("send your feedback or "),
        QStringLiteral("comments to"),
        kEmail,
    };
    QString text;
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

void AboutWindow::placeText1() {
    m_text1->setGeometry(0, px(m_text1Top), px(2610), px(kText1HeightTwips));
}

void AboutWindow::Timer2_Timer() {
    m_text1Top -= kScrollStepTwips;
    placeText1();
    const auto lowerEdge = static_cast<float>(m_text1Top + kText1HeightTwips);
    if (lowerEdge < kScrollEndTwips) {
        close();
    }
}

void AboutWindow::Text1_Click() {
    m_picture1->setFocus();
}

void AboutWindow::Text1_GotFocus() {
    m_picture1->setFocus();
}

void AboutWindow::Text1_MouseDown() {
    m_picture1->setFocus();
}

void AboutWindow::Label1_Click() {
    close();
}

void AboutWindow::Label4_Click() {
    m_opener.open(QUrl(QStringLiteral("http://") + kWebAddress + QStringLiteral("/")));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    // Filters are consulted while the window is still being built.
    if (m_text1 != nullptr && (watched == m_text1 || watched == m_text1->viewport())) {
        return filterCreditsEvent(event);
    }
    if (watched == m_label1 && isLeftClick(m_label1, event)) {
        Label1_Click();
        return true;
    }
    if (watched == m_label4 && isLeftClick(m_label4, event)) {
        Label4_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The credits are a text box only for their looks: they never keep the focus, show a caret or
// let the mouse select, so every press, click or focus they get is handed on to the viewport.
bool AboutWindow::filterCreditsEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            Text1_GotFocus();
            return true;
        case QEvent::MouseButtonPress:
            Text1_MouseDown();
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                Text1_Click();
            }
            return true;
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    // Closing unloads the window; a scroll tick still queued must not act on it.
    m_timer2->stop();
    QWidget::closeEvent(event);
}

}  // namespace ui
