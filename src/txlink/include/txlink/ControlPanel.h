#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "txlink/Clock.h"
#include "txlink/PanelDisplay.h"
#include "txlink/RemoteCarrier.h"
#include "txlink/Result.h"
#include "txlink/SerialLink.h"
#include "txlink/ShownState.h"
#include "txlink/TransmitLog.h"
#include "txlink/TransmitTimeout.h"
#include "txlink/TuningEngine.h"

namespace txlink {

// What the panel remembers for the life of the program. A reload of the main window keeps it:
// start-up sets the port text and the port afresh and clears the frequency-held flags and the
// link flag, because those belong to the port it opens. The power-held flags are left to their
// releases; every hold ends with the window that started it, so they are clear after a reload.
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

// What the panel needs from the program around it. It says what happened and what the operator
// needs; the windows decide how to say it.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    // The stored port text, or `defaultText` when nothing is stored.
    virtual Result<std::string> readPortText(const std::string& defaultText) = 0;
    // Start-up could not finish: the operator is told `failure` before start-up goes on.
    // `portText` is the stored port text as far as it was read.
    virtual void startupFailed(const Error& failure, std::string_view portText) = 0;
    // The port's device is missing or held elsewhere: the operator may want to choose another.
    virtual void portChoiceNeeded() = 0;
    // The panel has closed its port for good, until the next load: what mirrored its activity
    // goes with it.
    virtual void panelClosed() = 0;
    virtual ActivityLamps& lamps() = 0;
    // The transmit time-out switched the carrier off after `limit` (the toggle went out).
    virtual void transmitTimedOut(std::chrono::seconds limit) = 0;
    // The transmitter still reports the carrier on after the time-out's toggle; nothing more is
    // sent.
    virtual void carrierStillOnAfterTimeout() = 0;
};

// The heart of the transmitter session, free of widgets: start-up and shut-down of the port, what
// the line says, the watchdog, and the operator's buttons with their repeat timers. Every handler
// runs to its end; a command that cannot be sent ends its handler before the handler records
// anything. Whoever owns the panel delivers line events and timer ticks only between load() and
// unload(); a closed port makes every send fail, so a press outside that span sends nothing.
class ControlPanel {
public:
    // How long an ending panel waits for the report of a key that a program sent just before:
    // the transmitter answers a toggle at once, so a second is ample.
    static constexpr std::chrono::milliseconds kEndPatience{1000};

    ControlPanel(const Clock& clock, SerialLink& link, PanelTimers& timers, PanelHost& host);

    // Where every toggle written and every change the transmitter reports is recorded; nothing
    // is recorded until one is given. It must outlive the panel.
    void recordIn(TransmitLog& log) { m_log = &log; }
    // How the log names a program that asked for the carrier (its address).
    void nameRequestersBy(std::function<std::string(RemoteCarrier::Requester)> name) {
        m_requesterName = std::move(name);
    }
    // The transmit time-out; off when empty.
    void setTransmitTimeout(std::optional<std::chrono::seconds> limit);
    std::optional<std::chrono::seconds> transmitTimeout() const { return m_timeout.limit(); }
    // The operator closes the panel and chose to switch the carrier off first: one toggle.
    Status switchOffForClose();

    // Where the panel shows what the transmitter reports: a freshly loaded window, showing its
    // design-time face, or none.
    void showOn(PanelDisplay* display);

    // Start-up: reads the port, opens it and asks the transmitter for its status; a failure is
    // reported to the host.
    void load();
    // Shut-down: closes the port; the host lets go of what mirrored it. The display is let go.
    void unload();
    bool loaded() const { return m_loaded; }
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
    // The port closed under the panel: its device vanished, or a reopen failed.
    void portLost();
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
    // How many programs are connected to network control; empty while it is off.
    void setNetworkClients(std::optional<int> clients);
    // A program keyed the carrier and the transmitter reports it on.
    bool programKeyInForce() const;
    void frequencyRepeatTick();
    void powerRepeatTick();
    void transmitLampTick();
    void receiveLampTick();

    // Tunes the transmitter to `target` (see TuningEngine), through the same send as the buttons.
    // `done` is called once, when that target is reached, refused or given up, perhaps before
    // this returns. A target being tuned already is joined, not started over; another one
    // replaces it (its callers hear TuningEnd::Replaced).
    using TuningDone = std::function<void(const TuningOutcome&)>;
    void tuneTo(Hertz target, TuningDone done);
    // The operator's Stop.
    void stopTuning();
    bool tuning() const { return m_tuning.running(); }
    TuningProgress tuningProgress() const { return m_tuning.progress(); }
    // The kind of frequency record the transmitter reports in, once one has come.
    std::optional<FrequencyKind> reportedKind() const { return m_tuning.kind(); }
    // The frequency of the last frequency record whose digits were all there.
    std::optional<Hertz> reportedFrequency() const { return m_tuning.frequency(); }

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
    void showLinkDown();
    void forgetReports();
    void showNetworkControl();
    Status sendToggle(std::string_view origin, const std::string& peer = {});
    void recordCarrierReport();
    void followTimeout(const CarrierFacts& facts);
    Status sendRemoteToggle();
    void followRemoteCarrier();
    void driveTuning();
    void stopTuningFor(TuningEnd why);
    void settleTuning();

    const Clock& m_clock;
    SerialLink& m_link;
    PanelTimers& m_timers;
    PanelHost& m_host;
    bool m_loaded = false;
    // Start-up found its device missing or busy and waits for it: start-up's status request goes
    // out when the port opens.
    bool m_startupWaitsForDevice = false;
    std::optional<int> m_networkClients;
    NullTransmitLog m_noLog;
    TransmitLog* m_log = &m_noLog;
    std::function<std::string(RemoteCarrier::Requester)> m_requesterName;
    // Who asked for the carrier request that RemoteCarrier pursues: the log's by= and peer=.
    std::string_view m_remoteOrigin = logorigin::kNetwork;
    std::string m_remotePeer;
    // The carrier as last recorded in the log, and since when it is on.
    std::optional<bool> m_recordedCarrier;
    MonotonicTime m_carrierOnSince;
    TransmitTimeout m_timeout;
    ShownState m_shown;
    PanelState m_state;
    RemoteCarrier m_remoteCarrier;
    TuningEngine m_tuning;
    struct TuningWaiter {
        Hertz target;
        TuningDone done;
    };
    std::vector<TuningWaiter> m_tuningWaiters;
};

}  // namespace txlink
