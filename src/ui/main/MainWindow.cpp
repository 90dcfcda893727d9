#include "ui/main/MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

#include "ClientArea.h"
#include "MenuKeys.h"
#include "ui/common/CaptionFrame.h"
#include "ui/common/Style.h"
#include "ui/main/HoldButton.h"
#include "ui/main/StatusBar.h"

namespace ui::main {
namespace {

using common::makeLabel;
using common::twipsRect;
using txlink::ControlPanel;
namespace colour = common::colour;

constexpr int kClientWidth = 4365;
constexpr int kClientHeight = 3210;

constexpr int kLinkPanel = 1;
constexpr int kNetworkPanel = 2;
constexpr int kLockPanel = 3;

using Handler = void (ControlPanel::*)();

// The frequency row: "TX Freq :", the digit groups around the point, "MHz".
struct BigLabel {
    const char* objectName;
    const char* caption;
    QRect twips;
    const QColor& colour;
    Qt::Alignment alignment;
};

// The transmit time-out's choices; 0 is "Off". The letter chooses it in the open menu.
struct TimeoutChoice {
    int seconds;
    const char* caption;
    char letter;
};
constexpr TimeoutChoice kTimeoutChoices[] = {
    {0, QT_TRANSLATE_NOOP("ui::main::MainWindow", "Off"), 'O'},
    {60, QT_TRANSLATE_NOOP("ui::main::MainWindow", "1 minute"), '1'},
    {120, QT_TRANSLATE_NOOP("ui::main::MainWindow", "2 minutes"), '2'},
    {300, QT_TRANSLATE_NOOP("ui::main::MainWindow", "5 minutes"), '5'},
    {600, QT_TRANSLATE_NOOP("ui::main::MainWindow", "10 minutes"), '0'},
    {1800, QT_TRANSLATE_NOOP("ui::main::MainWindow", "30 minutes"), '3'},
};

struct StepLabel {
    const char* objectName;
    const char* caption;
    int left;
    int width;
};
constexpr StepLabel kStepLabels[txlink::kStepCount] = {
    {"Label11", QT_TRANSLATE_NOOP("ui::main::MainWindow", "125 KHz"), 720, 735},
    {"Label12", QT_TRANSLATE_NOOP("ui::main::MainWindow", "250 KHz"), 1440, 735},
    {"Label13", QT_TRANSLATE_NOOP("ui::main::MainWindow", "500 KHz"), 2280, 615},
    {"Label14", QT_TRANSLATE_NOOP("ui::main::MainWindow", "1 MHz"), 2880, 735},
    {"Label15", QT_TRANSLATE_NOOP("ui::main::MainWindow", "5 MHz"), 3600, 615}};

QFont bigDigitsFont() {
    return QFont(QStringLiteral("Arial Black"), 12, QFont::Black);
}

// The classic sans serif set its digits a little narrower than the metric-compatible face that
// stands in for it; the step captions take the difference back so that "500 KHz" stays whole in
// its 41 pixels.
QFont stepCaptionFont() {
    QFont font = common::windowDefaultFont();
    font.setStretch(96);
    return font;
}

QFont buttonFont(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// Black behind every control of this window; a disabled label keeps the desktop's greyed text.
void setColours(QWidget* widget, const QColor& text) {
    common::setColours(widget, colour::kBlack, text, common::ColourRoles::Window,
                       common::DisabledText::Greyed);
}

template <typename Button>
Button* makeButton(QWidget* parent, const char* objectName, const char* caption, const QRect& twips,
                   const QFont& font, const QColor& face) {
    auto* button = new Button(MainWindow::tr(caption), parent);
    button->setObjectName(QLatin1String(objectName));
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    button->setFont(font);
    button->setFace(face);
    return button;
}

QString fromLine(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// A screen reader speaks what an accessibility event tells it, so one goes out for a change
// only: the display is written only on a change already, and a repeated report must stay quiet.
void setSpokenName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
}

void setSpokenDescription(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

}  // namespace

MainWindow::MainWindow(ControlPanel& panel, QWidget* parent) : QMainWindow(parent), m_panel(panel) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(tr("Vora TX Controller"));
    setWindowIcon(QIcon(QStringLiteral(":/vora/icon.xpm")));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(common::windowDefaultFont());

    buildControls();
    buildMenu();
    connectEvents();
}

MainWindow::~MainWindow() {
    silence();
}

void MainWindow::buildControls() {
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(common::toPixels(kClientWidth), common::toPixels(kClientHeight));
    setColours(client, colour::kBlack);
    setCentralWidget(client);

    // In creation order, which is also the order the keyboard and a screen reader meet them.
    buildFrequencyRow(client);
    buildStepRow(client);
    buildButtons(client);
    buildStatusBar(client);
    buildKeys();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// "TX Freq :", the digit groups around the point, "MHz".
void MainWindow::buildFrequencyRow(ClientArea* client) {
    const BigLabel frequencyRow[] = {
        {"Label1",
         QT_TRANSLATE_NOOP("ui::main::MainWindow", "TX Freq :"),
         {240, 120, 1335, 375},
         colour::kYellow,
         Qt::AlignLeft},
        {"Label8", "00000", {1680, 120, 855, 375}, colour::kGreen, Qt::AlignRight},
        {"Label10", ".", {2520, 120, 135, 255}, colour::kGreen, Qt::AlignLeft},
        {"Label9", "000", {2640, 120, 615, 375}, colour::kGreen, Qt::AlignLeft},
        {"Label4",
         QT_TRANSLATE_NOOP("ui::main::MainWindow", "MHz"),
         {3480, 120, 615, 375},
         colour::kYellow,
         Qt::AlignLeft},
    };
    for (const BigLabel& design : frequencyRow) {
        QLabel* label = makeLabel(client, design.objectName, tr(design.caption), design.twips);
        label->setFont(bigDigitsFont());
        label->setAlignment(design.alignment | Qt::AlignTop);
        setColours(label, design.colour);
    }
    m_megahertz = client->findChild<QLabel*>(QStringLiteral("Label8"));
    m_fraction = client->findChild<QLabel*>(QStringLiteral("Label9"));
    // The frequency reads as one value from the whole-megahertz digits ("1296.125 MHz"), so the
    // rest of the row is left to them.
    client->leaveUnspoken(client->findChild<QLabel*>(QStringLiteral("Label10")),
                          tr("Frequency, decimal point"));
    client->leaveUnspoken(m_fraction, tr("Frequency, fraction digits"));
    client->leaveUnspoken(client->findChild<QLabel*>(QStringLiteral("Label4")),
                          tr("Frequency, unit"));
}

void MainWindow::buildStepRow(ClientArea* client) {
    // Top-aligned as the step captions are, so that the row reads on one baseline.
    QLabel* stepCaption = makeLabel(client, "Label16", tr("Step :"), {240, 600, 495, 255});
    stepCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(stepCaption, colour::kLightYellow);
    for (int step = 0; step < txlink::kStepCount; ++step) {
        const StepLabel& design = kStepLabels[step];
        QLabel* label = makeLabel(client, design.objectName, tr(design.caption),
                                  {design.left, 600, design.width, 255});
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(stepCaptionFont());
        setColours(label, colour::kRed);
        label->setEnabled(false);
        m_stepLabels[std::size_t(step)] = label;
    }
}

// The frequency buttons, then the Power frame with its bar and buttons.
void MainWindow::buildButtons(ClientArea* client) {
    const QFont large = buttonFont(9.75);
    const QFont small = buttonFont(8.25);
    m_frequencyDown = makeButton<HoldButton>(client, "Command2",
                                             QT_TRANSLATE_NOOP("ui::main::MainWindow", "Down"),
                                             {240, 960, 975, 270}, large, colour::kButtonShadow);
    m_step = makeButton<FaceButton>(client, "Command3",
                                    QT_TRANSLATE_NOOP("ui::main::MainWindow", "Step"),
                                    {1560, 960, 975, 270}, large, colour::kButtonShadow);
    m_frequencyUp =
        makeButton<HoldButton>(client, "Command1", QT_TRANSLATE_NOOP("ui::main::MainWindow", "Up"),
                               {2880, 960, 975, 270}, small, colour::kButtonShadow);

    auto* frame = new common::CaptionFrame(tr("Power"), client);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(120, 1320, 3975, 1215));
    setColours(frame, colour::kYellow);

    m_powerBar = new QProgressBar(frame);
    m_powerBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_powerBar->setGeometry(twipsRect(120, 240, 3735, 375));
    m_powerBar->setOrientation(Qt::Horizontal);
    m_powerBar->setRange(txlink::kPowerMin, txlink::kPowerMax);
    m_powerBar->setValue(0);
    m_powerBar->setTextVisible(false);
    m_powerBar->setAccessibleName(tr("Power"));

    m_powerDown =
        makeButton<HoldButton>(frame, "Command4", QT_TRANSLATE_NOOP("ui::main::MainWindow", "Down"),
                               {240, 720, 975, 270}, large, colour::kButtonShadow);
    m_carrier = makeButton<FaceButton>(frame, "Command6",
                                       QT_TRANSLATE_NOOP("ui::main::MainWindow", "On / Off"),
                                       {1440, 720, 975, 270}, large, colour::kRed);
    m_powerUp =
        makeButton<HoldButton>(frame, "Command5", QT_TRANSLATE_NOOP("ui::main::MainWindow", "Up"),
                               {2760, 720, 975, 270}, small, colour::kButtonShadow);
}

void MainWindow::buildStatusBar(ClientArea* client) {
    m_statusBar = new StatusBar(client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setGeometry(twipsRect(0, 2835, kClientWidth, 375));
    QFont statusFont = bigDigitsFont();
    statusFont.setPointSizeF(8.25);
    m_statusBar->setFont(statusFont);
    // The bar keeps the desktop's own colours, not the window's black: setting the two roles,
    // even to the values they have, stops them being inherited from the black client area.
    QPalette desktop = QApplication::palette();
    desktop.setColor(QPalette::Window, desktop.color(QPalette::Window));
    desktop.setColor(QPalette::WindowText, desktop.color(QPalette::WindowText));
    m_statusBar->setPalette(desktop);
    m_statusBar->setAutoFillBackground(true);
    m_statusBar->panel(kLinkPanel)->installEventFilter(this);
}

// Escape, Enter on the click buttons, the Tab order, and what a screen reader hears first.
void MainWindow::buildKeys() {
    // Escape is the quick carrier-off: it switches a carrier that is on off, and never one on.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    escape->setAutoRepeat(false);  // a key held down is one press
    connect(escape, &QShortcut::activated, this, [this] { m_panel.carrierOffKeyPressed(); });
    // Enter on a focused click button presses it, as Space does.
    m_step->installEventFilter(this);
    m_carrier->installEventFilter(this);

    // Left to right, top to bottom; the window opens with the focus on the first.
    QWidget::setTabOrder(m_frequencyDown, m_step);
    QWidget::setTabOrder(m_step, m_frequencyUp);
    QWidget::setTabOrder(m_frequencyUp, m_powerDown);
    QWidget::setTabOrder(m_powerDown, m_carrier);
    QWidget::setTabOrder(m_carrier, m_powerUp);
    m_frequencyDown->setFocus();

    // What a screen reader says of the controls before the transmitter has reported.
    speakFrequency();
    speakStep();
    speakPower();
    m_carrier->setAccessibleDescription(
        tr("Carrier state not reported yet. Press to switch the carrier on or off."));
}

void MainWindow::buildMenu() {
    auto* keys = new MenuKeys(menuBar());
    QMenu* file = menuBar()->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("mnu_file"));
    QAction* exit = file->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("mnu_exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    keys->assign(file->menuAction(), QLatin1Char('F'));
    keys->assign(exit, QLatin1Char('X'));

    buildOptionsMenu(*keys);

    QAction* about = menuBar()->addAction(tr("About"));
    about->setObjectName(QStringLiteral("mnu_about"));
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);
    keys->assign(about, QLatin1Char('A'));
}

void MainWindow::buildOptionsMenu(MenuKeys& keys) {
    QMenu* options = menuBar()->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("mnu_options"));
    keys.assign(options->menuAction(), QLatin1Char('O'));
    struct Item {
        const char* objectName;
        const char* caption;
        void (MainWindow::*request)();
        char letter;
    };
    const Item items[] = {
        {"mnu_Settings", QT_TR_NOOP("Settings"), &MainWindow::settingsRequested, 'S'},
        {"mnu_serieel", QT_TR_NOOP("RS232 Monitor"), &MainWindow::monitorRequested, 'R'},
        {"mnu_serialPorts", QT_TR_NOOP("Serial Ports…"), &MainWindow::serialPortsRequested, 'P'},
        {"mnu_goToFrequency", QT_TR_NOOP("Go to Frequency…"), &MainWindow::goToFrequencyRequested,
         'G'},
    };
    for (const Item& item : items) {
        QAction* action = options->addAction(tr(item.caption));
        action->setObjectName(QLatin1String(item.objectName));
        connect(action, &QAction::triggered, this, item.request);
        keys.assign(action, QLatin1Char(item.letter));
    }
    buildTimeoutMenu(*options, keys);
    // The last item.
    m_networkControl = options->addAction(tr("Network Control"));
    m_networkControl->setObjectName(QStringLiteral("mnu_network"));
    m_networkControl->setCheckable(true);
    // triggered, not toggled: the program's own showNetworkControl() must not echo back.
    connect(m_networkControl, &QAction::triggered, this, &MainWindow::networkControlToggled);
    keys.assign(m_networkControl, QLatin1Char('N'));
}

void MainWindow::buildTimeoutMenu(QMenu& options, MenuKeys& keys) {
    QMenu* timeouts = options.addMenu(tr("Transmit Time-out"));
    timeouts->setObjectName(QStringLiteral("mnu_txTimeout"));
    keys.assign(timeouts->menuAction(), QLatin1Char('T'));
    auto* exclusive = new QActionGroup(timeouts);
    for (const TimeoutChoice& choice : kTimeoutChoices) {
        QAction* item = timeouts->addAction(tr(choice.caption));
        item->setObjectName(QStringLiteral("mnu_txTimeout_%1").arg(choice.seconds));
        item->setCheckable(true);
        item->setData(choice.seconds);
        exclusive->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, seconds = choice.seconds] { emit transmitTimeoutChosen(seconds); });
        m_transmitTimeouts << item;
        keys.assign(item, QLatin1Char(choice.letter));
    }
    m_transmitTimeouts.front()->setChecked(true);
}

void MainWindow::showNetworkControlChosen(bool on) {
    m_networkControl->setChecked(on);
}

void MainWindow::showTransmitTimeoutChosen(std::optional<std::chrono::seconds> limit) {
    const int seconds = limit ? int(limit->count()) : 0;
    for (QAction* item : m_transmitTimeouts) {
        item->setChecked(item->data().toInt() == seconds);
    }
}

void MainWindow::connectEvents() {
    ControlPanel* panel = &m_panel;
    auto route = [this, panel](auto* sender, auto signal, Handler handler) {
        connect(sender, signal, this, [panel, handler] { (panel->*handler)(); });
    };

    route(m_step, &QPushButton::clicked, &ControlPanel::stepClicked);
    route(m_carrier, &QPushButton::clicked, &ControlPanel::carrierClicked);

    struct Hold {
        HoldButton* button;
        Handler pressed;
        Handler released;
    };
    const Hold holds[] = {
        {m_frequencyUp, &ControlPanel::frequencyUpPressed, &ControlPanel::frequencyUpReleased},
        {m_frequencyDown, &ControlPanel::frequencyDownPressed,
         &ControlPanel::frequencyDownReleased},
        {m_powerUp, &ControlPanel::powerUpPressed, &ControlPanel::powerUpReleased},
        {m_powerDown, &ControlPanel::powerDownPressed, &ControlPanel::powerDownReleased},
    };
    for (const Hold& hold : holds) {
        route(hold.button, &HoldButton::mouseDown, hold.pressed);
        route(hold.button, &HoldButton::mouseUp, hold.released);
    }
}

void MainWindow::silence() {
    for (QPushButton* button : std::initializer_list<QPushButton*>{
             m_frequencyUp, m_frequencyDown, m_powerUp, m_powerDown, m_step, m_carrier}) {
        button->disconnect(this);
    }
    if (QShortcut* escape = findChild<QShortcut*>()) {
        escape->disconnect(this);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched == m_statusBar->panel(kLinkPanel)) {
        const QString details = m_linkDetails ? m_linkDetails() : QString();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), details,
                           m_statusBar->panel(kLinkPanel));
        return true;
    }
    if (event->type() == QEvent::KeyPress && (watched == m_step || watched == m_carrier)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit unloadRequested();
}

void MainWindow::showFrequency(std::string_view megahertz, std::string_view fraction) {
    m_megahertz->setText(fromLine(megahertz));
    m_fraction->setText(fromLine(fraction));
    speakFrequency();
}

void MainWindow::showSelectedStep(std::optional<int> step) {
    for (int i = 0; i < txlink::kStepCount; ++i) {
        m_stepLabels[std::size_t(i)]->setEnabled(step == i);
    }
    speakStep();
}

void MainWindow::showStepCaption(int step, std::string_view caption) {
    m_stepLabels.at(std::size_t(step))->setText(fromLine(caption));
    speakStep();
}

void MainWindow::showLock(bool locked) {
    m_statusBar->setPanelText(kLockPanel, locked ? tr("TX Locked") : tr("TX UnLocked"));
}

void MainWindow::showPower(int level) {
    m_powerBar->setValue(level);
    speakPower();
}

// While the carrier is on, the button offers to switch it off, on red; and back.
void MainWindow::showCarrier(bool on) {
    m_carrier->setText(on ? tr("TX Off") : tr("TX On"));
    m_carrier->setFace(on ? colour::kRed : colour::kGreen);
    setSpokenDescription(m_carrier, on ? tr("Carrier on. Press to switch the carrier off.")
                                       : tr("Carrier off. Press to key the transmitter."));
}

// Qt 6.4 has no announcements: a screen reader speaks a change only on the control it is on.
// So the hold buttons, where the operator is while tuning, carry the value they change in their
// descriptions, and a hold is heard as it goes.
void MainWindow::speakFrequency() {
    const QString readout = tr("%1.%2 MHz").arg(m_megahertz->text(), m_fraction->text());
    setSpokenName(m_megahertz, readout);
    setSpokenDescription(m_frequencyDown, tr("%1. Hold to tune down.").arg(readout));
    setSpokenDescription(m_frequencyUp, tr("%1. Hold to tune up.").arg(readout));
}

void MainWindow::speakPower() {
    const QString level = tr("Power %1 of %2.").arg(m_powerBar->value()).arg(m_powerBar->maximum());
    setSpokenDescription(m_powerDown, tr("%1 Hold to lower the power.").arg(level));
    setSpokenDescription(m_powerUp, tr("%1 Hold to raise the power.").arg(level));
}

// The enabled step label is the selected step; a screen reader hears it so.
void MainWindow::speakStep() {
    QString selected;
    for (QLabel* label : m_stepLabels) {
        if (label->isEnabled()) {
            selected = label->text();
            setSpokenName(label, tr("%1, selected step").arg(selected));
        } else {
            setSpokenName(label, QString());  // its caption
        }
    }
    setSpokenDescription(m_step, selected.isEmpty()
                                     ? tr("No step reported yet. Press to change the step.")
                                     : tr("%1 step. Press to change the step.").arg(selected));
}

void MainWindow::showLink(bool up) {
    if (up) {
        m_statusBar->setPanelText(kLinkPanel, tr("Connected"));
        return;
    }
    m_statusBar->setPanelText(kLinkPanel, tr("Disconnected"));
    for (int panel = kLinkPanel + 1; panel <= StatusBar::kPanels; ++panel) {
        m_statusBar->setPanelText(panel, QString());
    }
}

void MainWindow::showNetworkControl(std::optional<txlink::NetworkControlShown> state) {
    QString text;
    if (state) {
        text = state->remoteKey ? tr("Remote TX") : tr("Net %1").arg(state->clients);
    }
    m_statusBar->setPanelText(kNetworkPanel, text);
}

}  // namespace ui::main
