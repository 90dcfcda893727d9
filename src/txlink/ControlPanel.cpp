#include "txlink/ControlPanel.h"

#include "txlink/Commands.h"
#include "txlink/RecordParser.h"
#include "txlink/Watchdog.h"

namespace txlink {
namespace {

constexpr std::string_view kDefaultPortText = "1";

// Only the port text's last character counts: "Com 12" is port 2.
Result<int> portNumberOf(std::string_view portText) {
    if (portText.empty() || portText.back() < '0' || portText.back() > '9') {
        return Error{error::kTypeMismatch,
                     "The stored port \"" + std::string(portText) +
                         "\" does not end in a port number: choose a port in Options, Settings."};
    }
    return portText.back() - '0';
}

}  // namespace

ControlPanel::ControlPanel(const Clock& clock, SerialLink& link, PanelTimers& timers,
                           PanelHost& host)
    : m_clock(clock), m_link(link), m_timers(timers), m_host(host) {}

void ControlPanel::showOn(PanelDisplay* display) {
    m_shown.attach(display);
}

Status ControlPanel::send(std::string_view command) {
    return m_link.send(command);
}

void ControlPanel::load() {
    m_loaded = true;
    m_tuning.forgetAll();
    m_startupWaitsForDevice = false;
    if (const Status started = startUp(); !started) {
        const int number = started.error().number;
        const bool deviceMissingOrBusy =
            number == error::kPortInUse || number == error::kPortNotDetected;
        // Waited for from now on, so that a device that comes while the operator reads why is
        // taken too.
        if (deviceMissingOrBusy) {
            waitForStartupDevice();
        }
        m_host.startupFailed(started.error(), m_state.portText);
        if (deviceMissingOrBusy) {
            m_host.portChoiceNeeded();
        }
    }
}

// An adapter plugged in after the box, or released by the program that held it, brings the panel
// to life as an unplugged one does when it comes back. Port 0 names no device to wait for.
void ControlPanel::waitForStartupDevice() {
    if (m_state.port < kFirstPort || m_state.port > kLastPort || m_link.isOpen()) {
        return;
    }
    m_startupWaitsForDevice = true;
    m_link.openWhenPresent(m_state.port);
}

// The steps stop at the first failure; what the earlier ones did stays done.
Status ControlPanel::startUp() {
    Result<std::string> portText = m_host.readPortText(std::string(kDefaultPortText));
    if (!portText) {
        return portText.error();
    }
    m_state.portText = std::move(portText).value();

    const Result<int> port = portNumberOf(m_state.portText);
    if (!port) {
        return port.error();
    }
    m_state.port = *port;
    m_state.frequencyUpHeld = false;
    m_state.frequencyDownHeld = false;
    m_state.linkUp = false;
    // No step is shown as selected until the transmitter reports one.
    m_shown.showSelectedStep(std::nullopt);

    if (const Status opened = m_link.open(m_state.port); !opened) {
        return opened;
    }
    return send(command::kStatusRequest);
}

// A carrier that a program keyed is switched off while the port is still open: the panel is going,
// and with it whatever held the key.
void ControlPanel::unload() {
    stopTuningFor(TuningEnd::Reloaded);
    (void)releaseProgramsForEnd();
    m_startupWaitsForDevice = false;
    if (m_link.isOpen() || m_link.waitingForDevice()) {
        m_link.close();
    }
    m_host.panelClosed();
    m_shown.attach(nullptr);
    m_loaded = false;
}

bool ControlPanel::releaseProgramsForEnd() {
    if (!m_remoteCarrier.hasHolders()) {
        return m_remoteCarrier.keyAwaitsReport();
    }
    m_remoteOrigin = logorigin::kClose;
    m_remotePeer.clear();
    if (m_remoteCarrier.releaseAll(carrierFacts())) {
        (void)sendRemoteToggle();
    }
    return m_remoteCarrier.keyAwaitsReport();
}

void ControlPanel::commandsSent() {
    m_host.lamps().showTransmitLamp(true);
    m_timers.setTimerRunning(PanelTimer::TransmitLampOff, true);
}

void ControlPanel::textReceived(std::string_view text) {
    parseReceived(text);
    m_host.lamps().showReceiveLamp(true);
    m_timers.setTimerRunning(PanelTimer::ReceiveLampOff, true);
}

void ControlPanel::parseReceived(std::string_view text) {
    // Any text at all is a sign of life, also one that fails to parse.
    m_state.lastReceive = m_clock.now();
    if (applyRecords(text, m_shown, m_timers, &m_tuning) == ParseResult::Refused) {
        reopenPort();
    }
    settleTuning();
    recordCarrierReport();
    followRemoteCarrier();
}

// Only a change is recorded. The carrier is forgotten while the link is down; a report after it
// that says what was recorded before is no change.
void ControlPanel::recordCarrierReport() {
    const std::optional<bool> on = shown().carrierOn;
    if (!on || on == m_recordedCarrier) {
        return;
    }
    if (*on) {
        m_carrierOnSince = m_clock.now();
        m_log->record(logevent::kCarrierOn);
    } else if (m_recordedCarrier == true) {
        const auto onFor =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.now() - m_carrierOnSince);
        m_log->record(logevent::kCarrierOff, {{"after", logSeconds(onFor)}});
    }
    m_recordedCarrier = on;
}

// A line that delivered a record it could not mean is given a fresh start, silently. A device
// that is gone by then (an adapter being unplugged) is waited for, as a vanished one is; one that
// another program has taken is not.
void ControlPanel::reopenPort() {
    m_link.close();
    // Records were lost with the line: what a tuning waits for may be among them.
    forgetReports();
    const Status reopened = m_link.open(m_state.port);  // the link reports a failure
    if (reopened) {
        return;
    }
    if (reopened.error().number == error::kPortNotDetected) {
        m_link.openWhenPresent(m_state.port);
    }
    portLost();
}

// The next watchdog tick that finds the link up sends the status request; a device that was away
// for less than the silence limit never showed the link down, yet may have been another one.
void ControlPanel::portReopened() {
    m_state.linkUp = false;
    forgetReports();
    if (m_startupWaitsForDevice) {
        m_startupWaitsForDevice = false;
        (void)send(command::kStatusRequest);  // what start-up would have sent
    }
}

void ControlPanel::linkWatchTick() {
    const std::optional<bool> wasUp = shown().linkUp;
    m_state.tickTime = m_clock.now();
    if (linkIsDown(m_state.tickTime, m_state.lastReceive)) {
        showLinkDown();
    } else {
        m_shown.showLink(true);
        m_host.lamps().showLinkLamp(true);
        // The link is back: ask the transmitter to report everything again. A request that
        // could not be sent leaves the link marked down, so the next tick asks again.
        if (m_state.linkUp || send(command::kStatusRequest)) {
            m_state.linkUp = true;
        }
    }
    if (shown().linkUp == true && wasUp != true) {
        m_log->record(logevent::kLinkUp);
    }
    followRemoteCarrier();
}

void ControlPanel::showLinkDown() {
    if (shown().linkUp == true) {
        m_log->record(logevent::kLinkDown);
    }
    m_shown.showLink(false);
    m_host.lamps().showLinkLamp(false);
    m_state.linkUp = false;
    // Whatever the transmitter does meanwhile is not heard: no carrier request may act on the
    // last report, only on one that comes after the link is back. Nor may a tuning.
    forgetReports();
}

// What the transmitter reported no longer holds: its carrier is unknown, and a tuning, which
// steers by the reports, ends.
void ControlPanel::forgetReports() {
    m_shown.forgetCarrier();
    stopTuningFor(TuningEnd::LinkDown);
    m_tuning.forgetState();
}

// The port closed under the panel (its device vanished, or a reopen failed): nothing can be
// heard any more, so the link is down now, not after the silence limit. What was heard before
// says nothing of the line that comes back.
void ControlPanel::portLost() {
    m_state.lastReceive.reset();
    showLinkDown();
    followRemoteCarrier();
}

// A held button's first command goes out at the press; the hold is recorded only once it has,
// so a press on a closed port starts no repetition.
void ControlPanel::pressHold(std::string_view command, bool PanelState::*held) {
    if (send(command)) {
        m_state.*held = true;
    }
}

void ControlPanel::frequencyUpPressed() {
    stopTuningFor(TuningEnd::Operator);
    pressHold(command::kFrequencyUp, &PanelState::frequencyUpHeld);
}
void ControlPanel::frequencyUpReleased() {
    m_state.frequencyUpHeld = false;
}

void ControlPanel::frequencyDownPressed() {
    stopTuningFor(TuningEnd::Operator);
    pressHold(command::kFrequencyDown, &PanelState::frequencyDownHeld);
}
void ControlPanel::frequencyDownReleased() {
    m_state.frequencyDownHeld = false;
}

void ControlPanel::powerUpPressed() {
    stopTuningFor(TuningEnd::Operator);
    pressHold(command::kPowerUp, &PanelState::powerUpHeld);
}
void ControlPanel::powerUpReleased() {
    m_state.powerUpHeld = false;
}

void ControlPanel::powerDownPressed() {
    stopTuningFor(TuningEnd::Operator);
    pressHold(command::kPowerDown, &PanelState::powerDownHeld);
}
void ControlPanel::powerDownReleased() {
    m_state.powerDownHeld = false;
}

void ControlPanel::stepClicked() {
    stopTuningFor(TuningEnd::Operator);
    (void)send(command::kStep);
}

void ControlPanel::carrierClicked() {
    stopTuningFor(TuningEnd::Operator);
    (void)sendToggle(logorigin::kButton);
}

// Every toggle that reaches the line is recorded, with who asked for it.
Status ControlPanel::sendToggle(std::string_view origin, const std::string& peer) {
    const Status sent = send(command::kCarrierToggle);
    if (sent) {
        if (peer.empty()) {
            m_log->record(logevent::kToggle, {{"by", std::string(origin)}});
        } else {
            m_log->record(logevent::kToggle, {{"by", std::string(origin)}, {"peer", peer}});
        }
    }
    return sent;
}

Status ControlPanel::switchOffForClose() {
    return sendToggle(logorigin::kClose);
}

void ControlPanel::setTransmitTimeout(std::optional<std::chrono::seconds> limit) {
    m_timeout.setLimit(limit);
}

void ControlPanel::followTimeout(const CarrierFacts& facts) {
    // The facts from before a toggle sent just now: the report of its effect is still to come.
    switch (m_timeout.update(facts.reportedOn, facts.linkUp, facts.now)) {
        case TransmitTimeout::Action::None:
            break;
        case TransmitTimeout::Action::SwitchOff:
            // The button's own path: the operator's limit acts as the operator would.
            if (sendToggle(logorigin::kTimeout)) {
                m_host.transmitTimedOut(*m_timeout.limit());
            }
            break;
        case TransmitTimeout::Action::StillOn:
            m_log->record(logevent::kCarrierStillOn, {{"by", std::string(logorigin::kTimeout)}});
            m_host.carrierStillOnAfterTimeout();
            break;
    }
}

// The transmitter knows only "toggle", so the key toggles only a carrier the last status record
// reported on, while the link is up and no earlier toggle waits for its report: a stray Escape,
// or one held down, must never key the transmitter. The same rule serves other programs.
void ControlPanel::carrierOffKeyPressed() {
    stopTuningFor(TuningEnd::Operator);
    (void)requestCarrier(false, RemoteCarrier::kOperator);
}

Status ControlPanel::requestCarrier(bool on, RemoteCarrier::Requester requester) {
    const bool fromOperator = requester == RemoteCarrier::kOperator;
    m_remoteOrigin = fromOperator ? logorigin::kEscape : logorigin::kNetwork;
    m_remotePeer = fromOperator || !m_requesterName ? std::string() : m_requesterName(requester);
    const Result<bool> toggle = m_remoteCarrier.request(on, requester, carrierFacts());
    if (!toggle) {
        return toggle.error();
    }
    const Status sent = *toggle ? sendRemoteToggle() : Status::success();
    showNetworkControl();
    return sent;
}

void ControlPanel::releaseCarrier(RemoteCarrier::Requester requester) {
    if (!m_remoteCarrier.holds(requester)) {
        return;
    }
    m_remoteOrigin = logorigin::kClientGone;
    m_remotePeer = m_requesterName ? m_requesterName(requester) : std::string();
    if (m_remoteCarrier.release(requester, carrierFacts())) {
        (void)sendRemoteToggle();
    }
    showNetworkControl();
}

CarrierFacts ControlPanel::carrierFacts() const {
    // Between an unload and the next load there is no line to send on, which counts as a link
    // that is down.
    return CarrierFacts{shown().carrierOn, m_loaded && m_state.linkUp, m_clock.now()};
}

Status ControlPanel::sendRemoteToggle() {
    Status sent = sendToggle(m_remoteOrigin, m_remotePeer);
    if (!sent) {
        m_remoteCarrier.toggleNotSent();
    }
    return sent;
}

// Every report and every watchdog tick may complete a carrier request, or give it up.
void ControlPanel::followRemoteCarrier() {
    // One reading of the clock serves the whole report: this runs for every record.
    const CarrierFacts facts = carrierFacts();
    if (m_remoteCarrier.update(facts)) {
        (void)sendRemoteToggle();
    }
    followTimeout(facts);
    showNetworkControl();
}

void ControlPanel::setNetworkClients(std::optional<int> clients) {
    m_networkClients = clients;
    showNetworkControl();
}

bool ControlPanel::programKeyInForce() const {
    return m_remoteCarrier.hasHolders() && shown().carrierOn == true;
}

// Only on a link that is up: a link that goes down empties the panel with the others.
void ControlPanel::showNetworkControl() {
    if (shown().linkUp != true) {
        return;
    }
    if (!m_networkClients) {
        m_shown.showNetworkControl(std::nullopt);
        return;
    }
    m_shown.showNetworkControl(NetworkControlShown{*m_networkClients, programKeyInForce()});
}

// Up is tested before down, and each held button sends on every tick, so both go out, up
// first, when both are held. A failed send ends the tick.
void ControlPanel::frequencyRepeatTick() {
    if (m_state.frequencyUpHeld && !send(command::kFrequencyUp)) {
        return;
    }
    if (m_state.frequencyDownHeld) {
        (void)send(command::kFrequencyDown);
    }
    driveTuning();
}

// A tuning paces itself on this tick, as a held button does: one command a tick at most.
void ControlPanel::driveTuning() {
    if (const std::optional<std::string_view> command = m_tuning.due(m_clock.now())) {
        if (send(*command)) {
            m_tuning.sent(m_clock.now());
        } else {
            m_tuning.stop(TuningEnd::LinkDown);
        }
    }
    settleTuning();
}

void ControlPanel::tuneTo(Hertz target, TuningDone done) {
    m_tuningWaiters.push_back({target, std::move(done)});
    if (m_tuning.start(target, m_loaded && m_state.linkUp) == TuningStart::Started) {
        driveTuning();  // the first command goes now when one may
        return;
    }
    settleTuning();
}

void ControlPanel::stopTuning() {
    stopTuningFor(TuningEnd::Operator);
}

void ControlPanel::stopTuningFor(TuningEnd why) {
    m_tuning.stop(why);
    settleTuning();
}

// Whoever asked for a target that has ended hears how, after the engine has settled: a caller
// may ask for the next target at once.
void ControlPanel::settleTuning() {
    for (const TuningOutcome& outcome : m_tuning.takeEnded()) {
        std::vector<TuningDone> told;
        for (auto waiter = m_tuningWaiters.begin(); waiter != m_tuningWaiters.end();) {
            if (waiter->target == outcome.target) {
                told.push_back(std::move(waiter->done));
                waiter = m_tuningWaiters.erase(waiter);
            } else {
                ++waiter;
            }
        }
        for (const TuningDone& done : told) {
            if (done) {
                done(outcome);
            }
        }
    }
}

void ControlPanel::powerRepeatTick() {
    if (m_state.powerUpHeld && !send(command::kPowerUp)) {
        return;
    }
    if (m_state.powerDownHeld) {
        (void)send(command::kPowerDown);
    }
}

void ControlPanel::transmitLampTick() {
    m_host.lamps().showTransmitLamp(false);
    m_timers.setTimerRunning(PanelTimer::TransmitLampOff, false);
}

void ControlPanel::receiveLampTick() {
    m_host.lamps().showReceiveLamp(false);
    m_timers.setTimerRunning(PanelTimer::ReceiveLampOff, false);
}

}  // namespace txlink
