#include "session/TransmitterSession.h"

namespace session {
namespace {

using txlink::ControlPanel;
using txlink::PanelTimer;
using Handler = void (ControlPanel::*)();

// The timers, each with its interval and the panel's handler for its tick.
struct TimerDesign {
    PanelTimer timer;
    const char* objectName;
    std::chrono::milliseconds interval;
    Handler tick;
    Qt::TimerType type = Qt::CoarseTimer;
};
const TimerDesign kTimers[] = {
    {PanelTimer::LinkWatch, "Tmrcom", TransmitterSession::kLinkWatchPeriod,
     &ControlPanel::linkWatchTick},
    // A tuning sends one command a tick of the frequency repeat timer and counts on the ticks
    // being a full period apart, which a coarse timer (5 % either way) does not promise.
    {PanelTimer::FrequencyRepeat, "wait1", TransmitterSession::kFrequencyRepeatPeriod,
     &ControlPanel::frequencyRepeatTick, Qt::PreciseTimer},
    {PanelTimer::PowerRepeat, "wait2", TransmitterSession::kPowerRepeatPeriod,
     &ControlPanel::powerRepeatTick},
    {PanelTimer::TransmitLampOff, "tmrTXLED", TransmitterSession::kLampPeriod,
     &ControlPanel::transmitLampTick},
    {PanelTimer::ReceiveLampOff, "tmrRXLED", TransmitterSession::kLampPeriod,
     &ControlPanel::receiveLampTick},
};

}  // namespace

TransmitterSession::TransmitterSession(const txlink::Clock& clock, txlink::PanelHost& host,
                                       QObject* parent)
    : QObject(parent), m_panel(clock, m_link, *this, host) {
    m_link.setObjectName(QStringLiteral("MSComm1"));
    for (const TimerDesign& design : kTimers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(design.objectName));
        timer->setInterval(design.interval);
        timer->setTimerType(design.type);
        m_timers.at(std::size_t(design.timer)) = timer;
    }
}

TransmitterSession::~TransmitterSession() {
    if (loaded()) {
        unload();
    }
}

void TransmitterSession::load(txlink::PanelDisplay& display) {
    if (loaded()) {
        return;
    }
    connectEvents();
    for (QTimer* timer : m_timers) {
        timer->start();  // every timer runs from the moment the window is loaded
    }
    m_panel.showOn(&display);
    m_panel.load();
}

void TransmitterSession::unload() {
    if (!loaded()) {
        return;
    }
    m_panel.unload();
    for (QTimer* timer : m_timers) {
        timer->stop();
        timer->disconnect(this);
    }
    m_link.disconnect(this);
}

// Made at each load and dropped at each unload: the one place where the panel is kept from
// events between two loads.
void TransmitterSession::connectEvents() {
    ControlPanel* panel = &m_panel;
    auto route = [this, panel](auto* sender, auto signal, Handler handler) {
        connect(sender, signal, this, [panel, handler] { (panel->*handler)(); });
    };
    connect(&m_link, &serial::SerialPortLink::received, this, [panel](const QByteArray& text) {
        panel->textReceived(std::string_view(text.constData(), std::size_t(text.size())));
    });
    route(&m_link, &serial::SerialPortLink::sent, &ControlPanel::commandsSent);
    route(&m_link, &serial::SerialPortLink::reopened, &ControlPanel::portReopened);
    route(&m_link, &serial::SerialPortLink::lost, &ControlPanel::portLost);
    for (const TimerDesign& design : kTimers) {
        route(m_timers.at(std::size_t(design.timer)), &QTimer::timeout, design.tick);
    }
}

void TransmitterSession::setTimerRunning(PanelTimer timer, bool running) {
    QTimer* t = m_timers.at(std::size_t(timer));
    // Switching on a running timer leaves its period alone, so the repeat rates stay fixed.
    if (!running) {
        t->stop();
    } else if (!t->isActive()) {
        t->start();
    }
}

}  // namespace session
