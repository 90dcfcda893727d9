#include "MainForm.h"

#include <exception>

#include "Commands.h"
#include "RecordParser.h"
#include "RuntimeError.h"
#include "Watchdog.h"

namespace txlink {
namespace {

constexpr std::string_view kDefaultPortText = "1";

std::int16_t portNumberOf(std::string_view portText) {
    if (portText.empty() || portText.back() < '0' || portText.back() > '9') {
        throw RuntimeError(error::kTypeMismatch, "the port text does not end in a digit");
    }
    return static_cast<std::int16_t>(portText.back() - '0');
}

}  // namespace

std::string startupErrorMessage(int number, std::string_view portText) {
    const std::string portCharacter = portText.empty() ? "" : std::string(1, portText.back());
    std::string message = "VoraController\r\r";
    switch (number) {
        case error::kPortInUse:
            message += "Com port " + portCharacter + "\r\rThis com port is in use !\r" +
                       "Please check your settings\ror shutdown another application\r\r";
            break;
        case error::kPortNotDetected:
            message += "Com port " + portCharacter + "\r\rThis com port is not detected !\r" +
                       "Please check your settings\r\r";
            break;
        default:
            message += "Error nr " + std::to_string(number) + "\r\r";
            break;
    }
    return message;
}

MainForm::MainForm(const Clock& clock, FormServices& services)
    : m_clock(clock), m_services(services) {}

Controls& MainForm::controls() {
    if (m_controls == nullptr) {
        throw RuntimeError(error::kInternal, "the main window is not loaded");
    }
    return *m_controls;
}

void MainForm::send(std::string_view command) {
    controls().MSComm1.output(command);
}

void MainForm::Form_Load() {
    Controls& c = controls();
    int failure = 0;
    try {
        m_fields.portText = m_services.readPortText(std::string(kDefaultPortText));
        c.MSComm1.setCommPort(portNumberOf(m_fields.portText));
        m_fields.upHeld = false;
        m_fields.downHeld = false;
        m_fields.linkUp = false;
        for (int label = kFirstStepLabel; label <= kLastStepLabel; ++label) {
            c.display.setStepLabelEnabled(label, false);
        }
        c.MSComm1.setRThreshold(1);
        c.MSComm1.setSThreshold(1);
        c.MSComm1.setPortOpen(true);
        send(command::kStatusRequest);
        return;
    } catch (const RuntimeError& e) {
        failure = e.number();
    } catch (...) {
        failure = error::kInternal;
    }

    m_services.showStartupError(startupErrorMessage(failure, m_fields.portText));
    if (failure == error::kPortInUse || failure == error::kPortNotDetected) {
        m_services.showSettingsDialog();
    }
}

void MainForm::Form_Unload() {
    if (m_controls != nullptr && m_controls->MSComm1.portOpen()) {
        m_controls->MSComm1.setPortOpen(false);
    }
    m_services.unloadMonitor();
}

void MainForm::MSComm1_OnComm() {
    Controls& c = controls();
    switch (c.MSComm1.commEvent()) {
        case SerialControl::kEventSend:
            m_services.lamps().setTransmitLamp(kRed);
            c.timers.setTimerEnabled(Timer::tmrTXLED, true);
            break;
        case SerialControl::kEventReceive: {
            const std::string text = c.MSComm1.input();
            ParseReceived(text);
            m_services.lamps().setReceiveLamp(kRed);
            c.timers.setTimerEnabled(Timer::tmrRXLED, true);
            break;
        }
        default:
            break;
    }
}

void MainForm::ParseReceived(std::string_view text) {
    // Any text at all is a sign of life, also one that fails to parse.
    m_fields.lastReceive = m_clock.now();
    Controls& c = controls();
    if (!applyRecords(text, c.display, c.timers)) {
        ReopenPort();
    }
}

void MainForm::ReopenPort() {
    SerialControl& port = controls().MSComm1;
    port.setPortOpen(false);
    port.setPortOpen(true);
}

void MainForm::Tmrcom_Timer() {
    m_fields.tickTime = m_clock.now();
    MainDisplay& display = controls().display;
    if (linkIsDown(m_fields.tickTime, m_fields.lastReceive)) {
        display.setPanelText(1, "Disconnected");
        display.setPanelText(2, "");
        display.setPanelText(3, "");
        display.setPanelText(4, "");
        m_services.lamps().setLinkLamp(kBlack);
        m_fields.linkUp = false;
    } else {
        display.setPanelText(1, "Connected");
        m_services.lamps().setLinkLamp(kRed);
        if (!m_fields.linkUp) {
            send(command::kStatusRequest);
        }
        m_fields.linkUp = true;
    }
}

// The press-and-hold buttons send first and record the hold after, so a press whose send failed
// starts no repetition.
void MainForm::Command1_MouseDown() {
    send(command::kFrequencyUp);
    m_fields.upHeld = true;
}
void MainForm::Command1_MouseUp() {
    m_fields.upHeld = false;
}

void MainForm::Command2_MouseDown() {
    send(command::kFrequencyDown);
    m_fields.downHeld = true;
}
void MainForm::Command2_MouseUp() {
    m_fields.downHeld = false;
}

void MainForm::Command3_Click() {
    send(command::kStep);
}

void MainForm::Command4_MouseDown() {
    send(command::kPowerDown);
    m_fields.powerDownHeld = true;
}
void MainForm::Command4_MouseUp() {
    m_fields.powerDownHeld = false;
}

void MainForm::Command5_MouseDown() {
    send(command::kPowerUp);
    m_fields.powerUpHeld = true;
}
void MainForm::Command5_MouseUp() {
    m_fields.powerUpHeld = false;
}

void MainForm::Command6_Click() {
    send(command::kCarrierToggle);
}

void MainForm::wait1_Timer() {
    if (m_fields.upHeld) {
        send(command::kFrequencyUp);
    }
    if (m_fields.downHeld) {
        send(command::kFrequencyDown);
    }
}

void MainForm::wait2_Timer() {
    if (m_fields.powerUpHeld) {
        send(command::kPowerUp);
    }
    if (m_fields.powerDownHeld) {
        send(command::kPowerDown);
    }
}

void MainForm::tmrTXLED_Timer() {
    m_services.lamps().setTransmitLamp(kBlack);
    controls().timers.setTimerEnabled(Timer::tmrTXLED, false);
}

void MainForm::tmrRXLED_Timer() {
    m_services.lamps().setReceiveLamp(kBlack);
    controls().timers.setTimerEnabled(Timer::tmrRXLED, false);
}

}  // namespace txlink
