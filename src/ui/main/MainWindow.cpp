#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <stdexcept>

#include "platform/EventGuard.h"
#include "ui/Twips.h"

namespace ui {
namespace {

constexpr txlink::Colour kYellow = 65535;
constexpr txlink::Colour kLightYellow = 8454143;
const QColor kButtonShadow(160, 160, 160);  // the desktop's shadow colour for 3-D elements

// The window's timers, each with its interval and the form's handler for its tick.
struct TimerDesign {
    txlink::Timer timer;
    const char* name;
    std::chrono::milliseconds interval;
    const char* handlerName;
    void (txlink::MainForm::*handler)();
};
const TimerDesign kTimers[] = {
    {txlink::Timer::Tmrcom, "Tmrcom", MainWindow::kWatchdogPeriod, "Tmrcom_Timer",
     &txlink::MainForm::Tmrcom_Timer},
    {txlink::Timer::wait1, "wait1", MainWindow::kFrequencyRepeatPeriod, "wait1_Timer",
     &txlink::MainForm::wait1_Timer},
    {txlink::Timer::wait2, "wait2", MainWindow::kPowerRepeatPeriod, "wait2_Timer",
     &txlink::MainForm::wait2_Timer},
    {txlink::Timer::tmrTXLED, "tmrTXLED", MainWindow::kLampPeriod, "tmrTXLED_Timer",
     &txlink::MainForm::tmrTXLED_Timer},
    {txlink::Timer::tmrRXLED, "tmrRXLED", MainWindow::kLampPeriod, "tmrRXLED_Timer",
     &txlink::MainForm::tmrRXLED_Timer},
};

constexpr int kClientWidth = 4365;
constexpr int kClientHeight = 3210;

QFont bigDigitsFont() {
    QFont font(QStringLiteral("Arial Black"), 12, QFont::Black);
    return font;
}

QFont buttonFont(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void paint(QWidget* widget, QColor background, QColor text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    // Only the active and inactive groups: a disabled label keeps the desktop's greyed text.
    palette.setColor(QPalette::Active, QPalette::WindowText, text);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Graphical buttons: the face is painted in the button's own colour.
void paintButtonFace(QPushButton* button, QColor face) {
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px outset %1; }"
                       "QPushButton:pressed { border-style: inset; }")
            .arg(face.name()));
}

}  // namespace

MainWindow::MainWindow(txlink::MainForm& form, QWidget* parent)
    : QMainWindow(parent),
      m_form(form),
      m_comm(new platform::SerialPort(this)),
      m_controls{*m_comm, *this, *this} {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Vora TX Controller"));
    setWindowIcon(QIcon(QStringLiteral(":/vora/icon.xpm")));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(windowDefaultFont());
    m_comm->setObjectName(QStringLiteral("MSComm1"));

    buildControls();
    buildMenu();

    for (const TimerDesign& design : kTimers) {
        m_timers.at(std::size_t(design.timer)) = makeTimer(design.name, design.interval);
    }

    connectEvents();
}

MainWindow::~MainWindow() {
    silence();
}

QLabel* MainWindow::makeLabel(QWidget* parent, const char* name, const QString& caption,
                              QRect geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

HoldButton* MainWindow::makeHoldButton(QWidget* parent, const char* name, const QString& caption,
                                       QRect geometry, const QFont& font) {
    auto* button = new HoldButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFont(font);
    paintButtonFace(button, kButtonShadow);
    return button;
}

QTimer* MainWindow::makeTimer(const char* name, std::chrono::milliseconds interval) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    timer->start();  // every timer runs from the moment the window is loaded
    return timer;
}

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(kClientWidth), px(kClientHeight));
    paint(client, Qt::black, Qt::black);
    setCentralWidget(client);

    const QColor yellow = toQColor(kYellow);
    const QColor green = toQColor(txlink::kGreen);
    const QColor red = toQColor(txlink::kRed);

    auto bigLabel = [&](const char* name, const QString& caption, QRect geometry, QColor colour,
                        Qt::Alignment alignment) {
        QLabel* label = makeLabel(client, name, caption, geometry);
        label->setFont(bigDigitsFont());
        label->setAlignment(alignment | Qt::AlignTop);
        paint(label, Qt::black, colour);
        return label;
    };
    bigLabel("Label1", QStringLiteral("TX Freq :"), twipsRect(240, 120, 1335, 375), yellow,
             Qt::AlignLeft);
    m_megahertz = bigLabel("Label8", QStringLiteral("00000"), twipsRect(1680, 120, 855, 375), green,
                           Qt::AlignRight);
    bigLabel("Label10", QStringLiteral("."), twipsRect(2520, 120, 135, 255), green, Qt::AlignLeft);
    m_fraction = bigLabel("Label9", QStringLiteral("000"), twipsRect(2640, 120, 615, 375), green,
                          Qt::AlignLeft);
    bigLabel("Label4", QStringLiteral("MHz"), twipsRect(3480, 120, 615, 375), yellow,
             Qt::AlignLeft);

    QLabel* stepCaption =
        makeLabel(client, "Label16", QStringLiteral("Step :"), twipsRect(240, 600, 495, 255));
    paint(stepCaption, Qt::black, toQColor(kLightYellow));

    struct StepLabel {
        const char* name;
        const char* caption;
        int left;
        int width;
    };
    static constexpr StepLabel kStepLabels[] = {{"Label11", "125 KHz", 720, 735},
                                                {"Label12", "250 KHz", 1440, 735},
                                                {"Label13", "500 KHz", 2280, 615},
                                                {"Label14", "1 MHz", 2880, 735},
                                                {"Label15", "5 MHz", 3600, 615}};
    for (std::size_t i = 0; i < m_stepLabels.size(); ++i) {
        const StepLabel& s = kStepLabels[i];
        QLabel* label = makeLabel(client, s.name, QString::fromLatin1(s.caption),
                                  twipsRect(s.left, 600, s.width, 255));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        paint(label, Qt::black, red);
        label->setEnabled(false);
        m_stepLabels[i] = label;
    }

    const QFont large = buttonFont(9.75);
    const QFont small = buttonFont(8.25);
    m_holdButtons[1] = makeHoldButton(client, "Command2", QStringLiteral("Down"),
                                      twipsRect(240, 960, 975, 270), large);
    m_step = new QPushButton(QStringLiteral("Step"), client);
    m_step->setObjectName(QStringLiteral("Command3"));
    m_step->setGeometry(twipsRect(1560, 960, 975, 270));
    m_step->setFont(large);
    paintButtonFace(m_step, kButtonShadow);
    m_holdButtons[0] = makeHoldButton(client, "Command1", QStringLiteral("Up"),
                                      twipsRect(2880, 960, 975, 270), small);

    auto* frame = new QGroupBox(QStringLiteral("Power"), client);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(120, 1320, 3975, 1215));
    paint(frame, Qt::black, yellow);

    m_power = new QProgressBar(frame);
    m_power->setObjectName(QStringLiteral("ProgressBar1"));
    m_power->setGeometry(twipsRect(120, 240, 3735, 375));
    m_power->setOrientation(Qt::Horizontal);
    m_power->setRange(txlink::kPowerBarMin, txlink::kPowerBarMax);
    m_power->setValue(0);
    m_power->setTextVisible(false);

    m_holdButtons[3] = makeHoldButton(frame, "Command4", QStringLiteral("Down"),
                                      twipsRect(240, 720, 975, 270), large);
    m_carrier = new QPushButton(QStringLiteral("On / Off"), frame);
    m_carrier->setObjectName(QStringLiteral("Command6"));
    m_carrier->setGeometry(twipsRect(1440, 720, 975, 270));
    m_carrier->setFont(large);
    paintButtonFace(m_carrier, toQColor(txlink::kRed));
    m_holdButtons[2] = makeHoldButton(frame, "Command5", QStringLiteral("Up"),
                                      twipsRect(2760, 720, 975, 270), small);

    m_statusBar = new StatusBar(client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setGeometry(twipsRect(0, 2835, kClientWidth, 375));
    QFont statusFont = bigDigitsFont();
    statusFont.setPointSizeF(8.25);
    m_statusBar->setFont(statusFont);
    // The bar keeps the desktop's own colours, not the window's black.
    QPalette desktop = QApplication::palette();
    desktop.setColor(QPalette::Window, desktop.color(QPalette::Window));
    desktop.setColor(QPalette::WindowText, desktop.color(QPalette::WindowText));
    m_statusBar->setPalette(desktop);
    m_statusBar->setAutoFillBackground(true);

    // Escape in this window clicks the carrier button, as a cancel button would.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, m_carrier, &QPushButton::click);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnu_file"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mnu_exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("mnu_options"));
    QAction* settings = options->addAction(QStringLiteral("Settings"));
    settings->setObjectName(QStringLiteral("mnu_Settings"));
    connect(settings, &QAction::triggered, this, &MainWindow::settingsRequested);
    QAction* monitor = options->addAction(QStringLiteral("RS232 Monitor"));
    monitor->setObjectName(QStringLiteral("mnu_serieel"));
    connect(monitor, &QAction::triggered, this, &MainWindow::monitorRequested);

    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("mnu_about"));
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);
}

// Each event runs one handler of the form to its end; a failure that escapes it is reported.
template <typename Sender, typename Signal>
void MainWindow::route(Sender* sender, Signal signal, const char* where,
                       void (txlink::MainForm::*handler)()) {
    txlink::MainForm* form = &m_form;
    connect(sender, signal, this, [form, where, handler] {
        platform::guarded(where, [form, handler] { (form->*handler)(); });
    });
}

void MainWindow::connectEvents() {
    using F = txlink::MainForm;
    route(m_comm, &platform::SerialPort::OnComm, "MSComm1_OnComm", &F::MSComm1_OnComm);
    for (const TimerDesign& design : kTimers) {
        route(m_timers.at(std::size_t(design.timer)), &QTimer::timeout, design.handlerName,
              design.handler);
    }
    route(m_step, &QPushButton::clicked, "Command3_Click", &F::Command3_Click);
    route(m_carrier, &QPushButton::clicked, "Command6_Click", &F::Command6_Click);

    struct Hold {
        HoldButton* button;
        const char* down;
        void (F::*onDown)();
        const char* up;
        void (F::*onUp)();
    };
    const Hold holds[] = {
        {m_holdButtons[0], "Command1_MouseDown", &F::Command1_MouseDown, "Command1_MouseUp",
         &F::Command1_MouseUp},
        {m_holdButtons[1], "Command2_MouseDown", &F::Command2_MouseDown, "Command2_MouseUp",
         &F::Command2_MouseUp},
        {m_holdButtons[2], "Command5_MouseDown", &F::Command5_MouseDown, "Command5_MouseUp",
         &F::Command5_MouseUp},
        {m_holdButtons[3], "Command4_MouseDown", &F::Command4_MouseDown, "Command4_MouseUp",
         &F::Command4_MouseUp},
    };
    for (const Hold& hold : holds) {
        route(hold.button, &HoldButton::mouseDown, hold.down, hold.onDown);
        route(hold.button, &HoldButton::mouseUp, hold.up, hold.onUp);
    }
}

void MainWindow::silence() {
    for (QTimer* timer : m_timers) {
        if (timer != nullptr) {
            timer->stop();
            timer->disconnect(this);
        }
    }
    m_comm->disconnect(this);
    for (HoldButton* button : m_holdButtons) {
        button->disconnect(this);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloadRequested();
}

void MainWindow::changeEvent(QEvent* event) {
    // A hold whose window lost the pointer to another window never sees its release.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        for (HoldButton* button : m_holdButtons) {
            button->abandonHold();
        }
    }
    QMainWindow::changeEvent(event);
}

QLabel* MainWindow::stepLabel(int label) const {
    if (label < txlink::kFirstStepLabel || label > txlink::kLastStepLabel) {
        throw std::out_of_range("no such step label");
    }
    return m_stepLabels[label - txlink::kFirstStepLabel];
}

void MainWindow::setMegahertzDigits(std::string_view caption) {
    m_megahertz->setText(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void MainWindow::setFractionDigits(std::string_view caption) {
    m_fraction->setText(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void MainWindow::setStepLabelEnabled(int label, bool enabled) {
    stepLabel(label)->setEnabled(enabled);
}

void MainWindow::setStepLabelCaption(int label, std::string_view caption) {
    stepLabel(label)->setText(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void MainWindow::setCarrierCaption(std::string_view caption) {
    m_carrier->setText(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void MainWindow::setCarrierBackColor(txlink::Colour colour) {
    paintButtonFace(m_carrier, toQColor(colour));
}

void MainWindow::setPowerBarValue(int value) {
    if (value < m_power->minimum() || value > m_power->maximum()) {
        throw std::out_of_range("the power bar takes 0 to 255");
    }
    m_power->setValue(value);
}

void MainWindow::setPanelText(int panel, std::string_view text) {
    m_statusBar->setPanelText(panel, QString::fromLatin1(text.data(), qsizetype(text.size())));
}

void MainWindow::setTimerEnabled(txlink::Timer timer, bool enabled) {
    QTimer* t = m_timers.at(std::size_t(timer));
    // Enabling a running timer leaves its period alone, so the repeat rates stay fixed.
    if (!enabled) {
        t->stop();
    } else if (!t->isActive()) {
        t->start();
    }
}

}  // namespace ui
