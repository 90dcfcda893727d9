#include "ui/about/AboutWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QTextEdit>
#include <QTextOption>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <utility>

#include "AboutLogo.h"
#include "PictureBox.h"
#include "platform/Version.h"
#include "ui/common/Style.h"
#include "ui/common/UrlOpener.h"

namespace ui::about {
namespace {

using namespace std::chrono_literals;
using common::makeLabel;
using common::toPixels;
using common::twipsRect;
namespace colour = common::colour;

// The credits timer is nominally 4 ms, but the desktops this window was designed on delivered
// such a timer at their tick of about 64 Hz. Qt honours 4 ms to the millisecond, which would run
// the credits past in under three seconds; 16 ms keeps the pace the author saw, about eleven
// seconds in all.
constexpr std::chrono::milliseconds kScrollTickPeriod = 16ms;

constexpr int kScrollStepTwips = 10;
constexpr int kCreditsStartTopTwips = -120;
constexpr int kCreditsHeightTwips = 6855;
constexpr int kCreditsWidthTwips = 2610;
// The credits are gone once their lower edge is this far above the viewport's top.
constexpr float kScrollEndTwips = -120.0f;

// The double border drawn on the window's edge: outer lines dark, inner ones light.
struct BorderLine {
    const char* name;
    QPoint from;  // twips
    QPoint to;
    bool light;
};
constexpr BorderLine kBorder[] = {
    {"Line7", {0, 0}, {4300, 0}, false},        {"Line8", {30, 30}, {4300, 30}, true},
    {"Line9", {0, 3000}, {4300, 3000}, false},  {"Line10", {30, 2960}, {4320, 2960}, true},
    {"Line11", {4300, 0}, {4300, 3000}, false}, {"Line12", {4270, 30}, {4270, 2960}, true},
    {"Line1_0", {0, 0}, {0, 3000}, false},      {"Line1_1", {30, 30}, {30, 2980}, true},
};

QFont sansSerif(bool bold = false) {
    QFont font = common::windowDefaultFont();
    font.setBold(bold);
    return font;
}

// Labels here are transparent and top-left aligned.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& twips,
                 const QColor& colour) {
    QLabel* label = makeLabel(parent, name, text, twips);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    common::setTextColour(label, colour);
    return label;
}

// A line one pixel wide; like the desktop's line drawing it leaves out its end point.
void addLine(QWidget* parent, const char* name, QPoint fromTwips, QPoint toTwips,
             const QColor& colour) {
    const QPoint from = common::twipsPoint(fromTwips.x(), fromTwips.y());
    const QPoint to = common::twipsPoint(toTwips.x(), toTwips.y());
    auto* line = new QWidget(parent);
    line->setObjectName(QLatin1String(name));
    if (from.y() == to.y()) {
        line->setGeometry(from.x(), from.y(), to.x() - from.x(), 1);
    } else {
        line->setGeometry(from.x(), from.y(), 1, to.y() - from.y());
    }
    common::setBackground(line, colour);
}

// Enter, Return or Space: what activates a focused control.
bool isActivationKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->key() == Qt::Key_Space;
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

AboutWindow::AboutWindow(common::UrlOpener& opener, QWidget* parent)
    : AboutWindow(opener, MakerDetails::configured(), parent) {}

AboutWindow::AboutWindow(common::UrlOpener& opener, MakerDetails maker, QWidget* parent)
    : QWidget(parent),
      m_opener(opener),
      m_maker(std::move(maker)),
      m_creditsTop(kCreditsStartTopTwips) {
    setObjectName(QStringLiteral("Frm_info"));
    setWindowTitle(tr("About"));
    // A tool window stays out of the task bar; without a title bar nobody can move or resize it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // A tool window does not count when Qt decides that the last window has closed; this one is a
    // window of its own (the program itself decides its end in app::Program).
    setAttribute(Qt::WA_QuitOnClose, true);
    setFont(sansSerif());
    common::setBackground(this, colour::kButtonFace);
    setFixedSize(toPixels(4320), toPixels(3015));

    buildBorder();
    buildBackdrop();
    buildViewport();

    // An inert timer of the original window, kept so the window's controls are all there.
    auto* inert = new QTimer(this);
    inert->setObjectName(QStringLiteral("Timer1"));

    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    // Top to bottom: the web address, the viewport (made after the labels), "Exit". The window
    // opens on the viewport, as it always has.
    QWidget::setTabOrder(m_viewport, m_exit);
    m_viewport->setFocus();
    m_scrollTimer->start();
}

void AboutWindow::buildBorder() {
    for (const BorderLine& line : kBorder) {
        addLine(this, line.name, line.from, line.to,
                line.light ? colour::kCaptionText : colour::kWindowText);
    }
}

void AboutWindow::buildBackdrop() {
    m_backdrop = new PictureBox(colour::kWindowText, this);
    m_backdrop->setObjectName(QStringLiteral("Picture2"));
    m_backdrop->setGeometry(twipsRect(65, 60, 4215, 2895));
    QWidget* surface = m_backdrop->surface();

    m_scrollTimer = new QTimer(m_backdrop);
    m_scrollTimer->setObjectName(QStringLiteral("Timer2"));
    m_scrollTimer->setInterval(kScrollTickPeriod);
    connect(m_scrollTimer, &QTimer::timeout, this, &AboutWindow::scrollTick);

    auto* logo = new QLabel(surface);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(twipsRect(240, 240, 1200, 915));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo->setPixmap(makeAboutLogo());

    QLabel* leadIn = addLabel(surface, "Label7", tr("For more info, log on to "),
                              {1800, 240, 2175, 735}, colour::kLightGrey);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(9);
    leadIn->setFont(arial);
    // Room for three lines; the one-line captions clip instead, so that a wider substitute font
    // cannot push their ends onto a hidden second line.
    leadIn->setWordWrap(true);

    m_webAddress =
        addLabel(surface, "Label4", m_maker.linkCaption(), {1800, 480, 2295, 255}, colour::kWhite);
    m_webAddress->setFont(sansSerif(true));
    m_webAddress->setCursor(Qt::UpArrowCursor);
    m_webAddress->installEventFilter(this);

    m_exit = addLabel(surface, "Label1", tr("Exit"), {3820, 2600, 495, 255}, colour::k3dLight);
    m_exit->installEventFilter(this);

    // The two labels that act on a click are reached by Tab too; Enter or Space clicks them.
    for (QLabel* label : {m_webAddress, m_exit}) {
        label->setFocusPolicy(Qt::TabFocus);
    }
    m_webAddress->setAccessibleDescription(tr("Press Enter to open it."));
    m_exit->setAccessibleDescription(tr("Press Enter to close this window."));
}

void AboutWindow::buildViewport() {
    m_viewport = new PictureBox(colour::kMenuText, m_backdrop->surface());
    m_viewport->setObjectName(QStringLiteral("Picture1"));
    m_viewport->setGeometry(twipsRect(750, 1560, 2655, 855));
    m_viewport->setFocusPolicy(Qt::StrongFocus);
    QWidget* surface = m_viewport->surface();

    // Drawn on the viewport beneath the credits: they show only once the text has gone by.
    QLabel* callSign =
        addLabel(surface, "Label3", m_maker.callSign, {220, 90, 2175, 495}, colour::kGreen);
    QFont calisto(QStringLiteral("Calisto MT"));
    calisto.setPointSize(18);
    calisto.setBold(true);
    callSign->setFont(calisto);
    addLabel(surface, "Label5",
             QStringLiteral("voraTXcontroller   V") + QLatin1String(platform::kMajorMinorVersion),
             {620, 450, 1815, 255}, colour::kGreen);
    addLine(surface, "Line2", {600, 450}, {2400, 450}, colour::kGreen);

    m_credits = new QTextEdit(surface);
    m_credits->setObjectName(QStringLiteral("Text1"));
    m_credits->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_credits->setReadOnly(true);
    m_credits->setTextInteractionFlags(Qt::NoTextInteraction);
    m_credits->setFocusPolicy(Qt::NoFocus);
    m_credits->setContextMenuPolicy(Qt::NoContextMenu);
    m_credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setLineWrapMode(QTextEdit::NoWrap);
    QPalette palette = m_credits->palette();
    palette.setColor(QPalette::Base, colour::kMenuText);
    palette.setColor(QPalette::Text, colour::kWindowBackground);
    m_credits->setPalette(palette);
    m_credits->document()->setDocumentMargin(2);
    QTextOption centred = m_credits->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_credits->document()->setDefaultTextOption(centred);
    m_credits->setPlainText(creditsText(m_maker));
    m_credits->installEventFilter(this);
    m_credits->viewport()->installEventFilter(this);
    placeCredits();
}

QString AboutWindow::creditsText(const MakerDetails& maker) {
    const QStringList lines = {
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral("VoraTXController"),
        tr("Ver. ") + QLatin1String(platform::kVersion),
        QStringLiteral("(1/6/2009)"),
        QString(),
        tr("Created by"),
        QString(),
        maker.author,
        maker.callSign,
        maker.townAndLocator(),
        maker.country,
        QString(),
        QString(17, QLatin1Char('_')),
        QString(),
        tr("Thanks and please "),
        tr("send your feedback or "),
        tr("comments to"),
        maker.email,
    };
    QString text;
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

void AboutWindow::placeCredits() {
    m_credits->setGeometry(0, toPixels(m_creditsTop), toPixels(kCreditsWidthTwips),
                           toPixels(kCreditsHeightTwips));
}

void AboutWindow::scrollTick() {
    m_creditsTop -= kScrollStepTwips;
    placeCredits();
    const auto lowerEdge = static_cast<float>(m_creditsTop + kCreditsHeightTwips);
    if (lowerEdge < kScrollEndTwips) {
        close();
    }
}

void AboutWindow::exitClicked() {
    close();
}

void AboutWindow::webAddressClicked() {
    if (const QUrl target = m_maker.linkTarget(); !target.isEmpty()) {
        m_opener.open(target);
    }
}

void AboutWindow::keepFocusOffCredits() {
    m_viewport->setFocus();
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    // Filters are consulted while the window is still being built.
    if (m_credits != nullptr && (watched == m_credits || watched == m_credits->viewport())) {
        return filterCreditsEvent(event);
    }
    if (watched == m_exit || watched == m_webAddress) {
        if (filterLinkKey(static_cast<QLabel*>(watched), event)) {
            return true;
        }
    }
    if (watched == m_exit && isLeftClick(m_exit, event)) {
        exitClicked();
        return true;
    }
    if (watched == m_webAddress && isLeftClick(m_webAddress, event)) {
        webAddressClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// A key held down repeats its press (on X11 not always marked so), and one press is one click:
// the key acts again only once it has been let go. The focused label is underlined, so that the
// keyboard's place shows.
bool AboutWindow::filterLinkKey(QLabel* label, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (!isActivationKey(event)) {
                return false;
            }
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat() && m_keyDownOn != label) {
                m_keyDownOn = label;
                if (label == m_exit) {
                    exitClicked();
                } else {
                    webAddressClicked();
                }
            }
            return true;
        case QEvent::KeyRelease:
            if (isActivationKey(event) && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
                m_keyDownOn = nullptr;
            }
            return false;
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            m_keyDownOn = nullptr;
            QFont font = label->font();
            font.setUnderline(event->type() == QEvent::FocusIn);
            label->setFont(font);
            return false;
        }
        default:
            return false;
    }
}

// The credits are a text box only for their looks: they never keep the focus, show a caret or
// let the mouse select, so every press, click or focus they get is handed on to the viewport.
bool AboutWindow::filterCreditsEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
            keepFocusOffCredits();
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                keepFocusOffCredits();
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
    m_scrollTimer->stop();
    QWidget::closeEvent(event);
}

}  // namespace ui::about
