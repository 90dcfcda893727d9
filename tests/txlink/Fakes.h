#pragma once

// Recording fakes for the link core. Every call on the display, timers, lamps, serial link and
// host goes into one shared log, in call order, so tests can check exact sequences across all of
// them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/FakeClock.h"
#include "txlink/ControlPanel.h"
#include "txlink/PanelDisplay.h"
#include "txlink/Result.h"
#include "txlink/SerialLink.h"

namespace linktest {

using Log = std::vector<std::string>;

struct Recorder {
    Log entries;
    // Called after each entry is added; lets a test look at the panel's state mid-handler.
    std::function<void(const std::string&)> onEntry;

    void add(std::string entry) {
        entries.push_back(std::move(entry));
        if (onEntry) {
            onEntry(entries.back());
        }
    }
    void clear() { entries.clear(); }
    int count(std::string_view entry) const {
        int n = 0;
        for (const auto& e : entries) {
            n += e == entry ? 1 : 0;
        }
        return n;
    }
};

inline std::string timerName(txlink::PanelTimer timer) {
    switch (timer) {
        case txlink::PanelTimer::LinkWatch:
            return "LinkWatch";
        case txlink::PanelTimer::FrequencyRepeat:
            return "FrequencyRepeat";
        case txlink::PanelTimer::PowerRepeat:
            return "PowerRepeat";
        case txlink::PanelTimer::TransmitLampOff:
            return "TransmitLampOff";
        case txlink::PanelTimer::ReceiveLampOff:
            return "ReceiveLampOff";
    }
    return "?";
}

// "frequency=1234|567", "step=0" ... "step=4" or "step=none", "caption4=10 MHz", "lock=locked",
// "power=128", "carrier=on", "link=down".
class FakeDisplay : public txlink::PanelDisplay {
public:
    explicit FakeDisplay(Recorder& r) : m_r(r) {}

    void showFrequency(std::string_view megahertz, std::string_view fraction) override {
        m_r.add("frequency=" + std::string(megahertz) + "|" + std::string(fraction));
    }
    void showSelectedStep(std::optional<int> step) override {
        m_r.add("step=" + (step ? std::to_string(*step) : std::string("none")));
    }
    void showStepCaption(int step, std::string_view caption) override {
        m_r.add("caption" + std::to_string(step) + "=" + std::string(caption));
    }
    void showLock(bool locked) override { m_r.add(locked ? "lock=locked" : "lock=unlocked"); }
    void showPower(int level) override { m_r.add("power=" + std::to_string(level)); }
    void showCarrier(bool on) override { m_r.add(on ? "carrier=on" : "carrier=off"); }
    void showLink(bool up) override { m_r.add(up ? "link=up" : "link=down"); }
    void showNetworkControl(std::optional<txlink::NetworkControlShown> state) override {
        m_r.add(!state             ? "net=off"
                : state->remoteKey ? "net=remote"
                                   : "net=" + std::to_string(state->clients));
    }

private:
    Recorder& m_r;
};

class FakeTimers : public txlink::PanelTimers {
public:
    explicit FakeTimers(Recorder& r) : m_r(r) {}
    void setTimerRunning(txlink::PanelTimer timer, bool running) override {
        m_r.add(timerName(timer) + (running ? " on" : " off"));
    }

private:
    Recorder& m_r;
};

class FakeLamps : public txlink::ActivityLamps {
public:
    explicit FakeLamps(Recorder& r) : m_r(r) {}
    void showLinkLamp(bool lit) override { m_r.add(lit ? "lamp link=lit" : "lamp link=out"); }
    void showTransmitLamp(bool lit) override {
        m_r.add(lit ? "lamp transmit=lit" : "lamp transmit=out");
    }
    void showReceiveLamp(bool lit) override {
        m_r.add(lit ? "lamp receive=lit" : "lamp receive=out");
    }

private:
    Recorder& m_r;
};

// "open 3", "close", "wait for 3", "send 2a" (successful sends only).
class FakeLink : public txlink::SerialLink {
public:
    explicit FakeLink(Recorder& r) : m_r(r) {}

    bool opened = false;
    bool waiting = false;
    std::optional<int> openError;  // open() fails with this number
    std::vector<std::string> sent;

    txlink::Status open(int port) override {
        m_r.add("open " + std::to_string(port));
        waiting = false;
        if (openError) {
            return txlink::Error{*openError, "open failed"};
        }
        opened = true;
        return txlink::Status::success();
    }
    void close() override {
        m_r.add("close");
        opened = false;
        waiting = false;
    }
    bool isOpen() const override { return opened; }
    void openWhenPresent(int port) override {
        m_r.add("wait for " + std::to_string(port));
        waiting = true;
    }
    bool waitingForDevice() const override { return waiting; }
    txlink::Status send(std::string_view command) override {
        if (!opened) {
            return txlink::Error{txlink::error::kPortNotOpen, "port not open"};
        }
        sent.emplace_back(command);
        m_r.add("send " + std::string(command));
        return txlink::Status::success();
    }

private:
    Recorder& m_r;
};

class FakeHost : public txlink::PanelHost {
public:
    FakeHost(Recorder& r, FakeLamps& lamps) : m_r(r), m_lamps(lamps) {}

    std::optional<std::string> stored;  // nothing stored: readPortText returns its default
    std::optional<txlink::Error> readError;
    std::vector<std::string> defaultsAsked;
    // Each start-up failure as "<number> <port text>: <reason>".
    std::vector<std::string> failures;
    int portChoices = 0;
    int panelCloses = 0;
    int timeouts = 0;
    int stillOn = 0;

    txlink::Result<std::string> readPortText(const std::string& defaultText) override {
        defaultsAsked.push_back(defaultText);
        m_r.add("readPortText");
        if (readError) {
            return *readError;
        }
        return stored.value_or(defaultText);
    }
    void startupFailed(const txlink::Error& failure, std::string_view portText) override {
        failures.push_back(std::to_string(failure.number) + " " + std::string(portText) + ": " +
                           failure.reason);
        m_r.add("error box");
    }
    void portChoiceNeeded() override {
        ++portChoices;
        m_r.add("settings dialog");
    }
    void panelClosed() override {
        ++panelCloses;
        m_r.add("unload monitor");
    }
    txlink::ActivityLamps& lamps() override { return m_lamps; }
    void transmitTimedOut(std::chrono::seconds) override { ++timeouts; }
    void carrierStillOnAfterTimeout() override { ++stillOn; }

private:
    Recorder& m_r;
    FakeLamps& m_lamps;
};

// One control panel wired to fakes, shown on a display, with its port open (not loaded: tests
// that need start-up call load()).
struct Rig {
    Recorder log;
    FakeDisplay display{log};
    FakeTimers timers{log};
    FakeLamps lamps{log};
    FakeLink link{log};
    FakeHost host{log, lamps};
    testsupport::FakeClock clock;
    txlink::ControlPanel panel{clock, link, timers, host};

    Rig() {
        link.opened = true;
        panel.showOn(&display);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;
};

}  // namespace linktest
