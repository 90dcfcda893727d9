#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "txlink/Clock.h"
#include "txlink/PanelDisplay.h"
#include "txlink/RemoteCarrier.h"
#include "txlink/Result.h"
#include "txlink/SerialLink.h"
#include "txlink/ShownState.h"

namespace txlink {

// What the panel remembers. It lives as long as the ControlPanel: reloading the window's
// controls keeps it, and start-up resets only the port text, the port and three of the flags.
struct PanelState {
    std::string portText;
    int port = 1;
    bool frequencyUpHeld = false;
    bool frequencyDownHeld = false;
    bool powerUpHeld = false;
    bool powerDownHeld = false;
    bool linkUp = false;
    MonotonicTime tickTime;
    std::optional<MonotonicTime> lastReceive;  // empty until text has arrived
};

// The controls of one load of the main window; valid from its load to its unload.
struct PanelControls {
    SerialLink& link;
    PanelDisplay& display;
    PanelTimers& timers;
};

// What the panel reaches outside its own window.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    // The stored port text, or `defaultText` when nothing is stored.
    virtual Result<std::string> readPortText(const std::string& defaultText) = 0;
    // The modal "Error !!" box; line breaks in the message are single carriage returns.
    virtual void showStartupError(const std::string& message) = 0;
    // The Settings dialog, modeless; an open dialog is left as it is.
    virtual void showSettingsDialog() = 0;
    virtual void unloadMonitor() = 0;
    virtual ActivityLamps& lamps() = 0;
};

// The message of the start-up box for `failure`: the words for its number, then its reason as
// the last line.
std::string startupErrorMessage(const Error& failure, std::string_view portText);

// The heart of the main window, free of widgets: start-up and shut-down of the port, what the
// line says, the watchdog, and the operator's buttons with their repeat timers. Every handler
// runs to its end; a command that cannot be sent ends its handler before the handler records
// anything.
class ControlPanel {
public:
    // How long an ending panel waits for the report of a key that a program sent just before:
    // the transmitter answers a toggle at once, so a second is ample.
    static constexpr std::chrono::milliseconds kEndPatience{1000};

    ControlPanel(const Clock& clock, PanelHost& host);

    // Gives the panel the controls of a freshly loaded window, or takes them away (nullptr).
    // Without controls every handler does nothing.
    void attach(PanelControls* controls);
    bool loaded() const { return m_controls != nullptr; }

    // The window's load: reads the port, opens it and asks the transmitter for its status;
    // reports a failure in the start-up box.
    void load();
    // The window's unload: closes the port and unloads the link monitor.
    void unload();
    // The panel is about to end: every program's key is released now. True when a program's key
    // is still on its way to the transmitter; the caller then lets reports in for up to
    // kEndPatience before it unloads, so that a key that arrives is switched off too.
    bool releaseProgramsForEnd();
    bool programKeyAwaitsReport() const { return m_remoteCarrier.keyAwaitsReport(); }

    // The line has taken everything written to it.
    void commandsSent();
    // Text arrived: it is parsed, then the receive lamp lights.
    void textReceived(std::string_view text);
    void parseReceived(std::string_view text);
    void reopenPort();
    // The link opened its port again by itself, its device back after vanishing: whatever is
    // on the line now is asked for everything, as on any return of the link.
    void portReopened();
    void linkWatchTick();

    void frequencyUpPressed();
    void frequencyUpReleased();
    void frequencyDownPressed();
    void frequencyDownReleased();
    void powerUpPressed();
    void powerUpReleased();
    void powerDownPressed();
    void powerDownReleased();
    void stepClicked();
    void carrierClicked();
    // The quick carrier-off key: switches the carrier off, and never on.
    void carrierOffKeyPressed();
    // A request for the carrier from another program: the toggle goes out, through the same
    // path as the buttons', only as RemoteCarrier allows.
    Status requestCarrier(bool on, RemoteCarrier::Requester requester);
    // The requester has gone: a carrier it keyed and left on is switched off.
    void releaseCarrier(RemoteCarrier::Requester requester);
    void frequencyRepeatTick();
    void powerRepeatTick();
    void transmitLampTick();
    void receiveLampTick();

    const PanelState& state() const { return m_state; }
    // What the window shows now, as the transmitter reported it.
    const Shown& shown() const { return m_shown.shown(); }
    const RemoteCarrier& remoteCarrier() const { return m_remoteCarrier; }

private:
    Status startUp();
    void waitForStartupDevice();
    Status send(std::string_view command);
    void pressHold(std::string_view command, bool PanelState::*held);
    CarrierFacts carrierFacts() const;
    Status sendRemoteToggle();
    void followRemoteCarrier();

    const Clock& m_clock;
    PanelHost& m_host;
    // Start-up found its device missing or busy and waits for it: start-up's status request goes
    // out when the port opens.
    bool m_startupWaitsForDevice = false;
    PanelControls* m_controls = nullptr;
    ShownState m_shown;
    PanelState m_state;
    RemoteCarrier m_remoteCarrier;
};

}  // namespace txlink
