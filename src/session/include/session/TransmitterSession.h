#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <chrono>

#include "serial/SerialPortLink.h"
#include "txlink/ControlPanel.h"
#include "txlink/PanelDisplay.h"

namespace session {

// The program's one session with the transmitter: the serial line, the panel's five timers and
// the control panel with its state, for as long as the program runs. The main window comes and
// goes (a Save in the Settings dialog reloads it); each load of it is a load of the session.
//
// Received text goes from the line through the record framer straight to the panel, which writes
// what changed to the display of the window that is loaded. Line events and timer ticks reach the
// panel only while the session is loaded.
class TransmitterSession final : public QObject, private txlink::PanelTimers {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kLinkWatchPeriod{500};
    static constexpr std::chrono::milliseconds kFrequencyRepeatPeriod{100};
    static constexpr std::chrono::milliseconds kPowerRepeatPeriod{50};
    static constexpr std::chrono::milliseconds kLampPeriod{200};

    TransmitterSession(const txlink::Clock& clock, txlink::PanelHost& host,
                       QObject* parent = nullptr);
    ~TransmitterSession() override;

    txlink::ControlPanel& panel() { return m_panel; }
    const txlink::ControlPanel& panel() const { return m_panel; }
    serial::SerialPortLink& link() { return m_link; }
    const serial::SerialPortLink& link() const { return m_link; }

    // A freshly loaded main window shows the panel: every timer starts, then start-up runs.
    void load(txlink::PanelDisplay& display);
    // The main window goes: the port closes, the timers stop and nothing reaches the panel until
    // the next load.
    void unload();
    bool loaded() const { return m_panel.loaded(); }

private:
    void setTimerRunning(txlink::PanelTimer timer, bool running) override;
    void connectEvents();

    serial::SerialPortLink m_link;
    std::array<QTimer*, 5> m_timers{};  // indexed by txlink::PanelTimer
    txlink::ControlPanel m_panel;
};

}  // namespace session
