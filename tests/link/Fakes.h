#pragma once

// Recording fakes for the link core. Every call on the display, timers, lamps, serial control
// and form services goes into one shared log, in call order, so tests can check exact sequences
// across all of them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/MainDisplay.h"
#include "link/MainForm.h"
#include "link/RuntimeError.h"
#include "link/SerialControl.h"
#include "link/TimeOfDay.h"

namespace linktest {

using Log = std::vector<std::string>;

struct Recorder {
    Log entries;
    // Called after each entry is added; lets a test look at the form's state mid-handler.
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

inline std::string timerName(txlink::Timer timer) {
    switch (timer) {
        case txlink::Timer::Tmrcom:
            return "Tmrcom";
        case txlink::Timer::wait1:
            return "wait1";
        case txlink::Timer::wait2:
            return "wait2";
        case txlink::Timer::tmrTXLED:
            return "tmrTXLED";
        case txlink::Timer::tmrRXLED:
            return "tmrRXLED";
    }
    return "?";
}

class FakeDisplay : public txlink::MainDisplay {
public:
    explicit FakeDisplay(Recorder& r) : m_r(r) {}

    void setMegahertzDigits(std::string_view caption) override {
        m_r.add("Label8=" + std::string(caption));
    }
    void setFractionDigits(std::string_view caption) override {
        m_r.add("Label9=" + std::string(caption));
    }
    void setStepLabelEnabled(int label, bool enabled) override {
        m_r.add("enabled Label" + std::to_string(label) + "=" + (enabled ? "1" : "0"));
    }
    void setStepLabelCaption(int label, std::string_view caption) override {
        m_r.add("Label" + std::to_string(label) + ".Caption=" + std::string(caption));
    }
    void setCarrierCaption(std::string_view caption) override {
        m_r.add("Command6.Caption=" + std::string(caption));
    }
    void setCarrierBackColor(txlink::Colour colour) override {
        m_r.add("Command6.BackColor=" + std::to_string(colour));
    }
    void setPowerBarValue(int value) override { m_r.add("power=" + std::to_string(value)); }
    void setPanelText(int panel, std::string_view text) override {
        m_r.add("panel" + std::to_string(panel) + "=" + std::string(text));
    }

private:
    Recorder& m_r;
};

class FakeTimers : public txlink::Timers {
public:
    explicit FakeTimers(Recorder& r) : m_r(r) {}
    void setTimerEnabled(txlink::Timer timer, bool enabled) override {
        m_r.add(timerName(timer) + (enabled ? " on" : " off"));
    }

private:
    Recorder& m_r;
};

class FakeLamps : public txlink::Lamps {
public:
    explicit FakeLamps(Recorder& r) : m_r(r) {}
    void setLinkLamp(txlink::Colour c) override { m_r.add("lamp link=" + std::to_string(c)); }
    void setTransmitLamp(txlink::Colour c) override {
        m_r.add("lamp transmit=" + std::to_string(c));
    }
    void setReceiveLamp(txlink::Colour c) override { m_r.add("lamp receive=" + std::to_string(c)); }

private:
    Recorder& m_r;
};

class FakeSerial : public txlink::SerialControl {
public:
    explicit FakeSerial(Recorder& r) : m_r(r) {}

    bool open = false;
    std::optional<int> openError;      // setPortOpen(true) throws this number
    bool failWritesWhenClosed = true;  // output() on a closed port throws kPortNotOpen
    std::int16_t event = 0;
    std::string pendingInput;
    std::vector<std::string> outputs;  // successful writes only
    int inputReads = 0;

    void setCommPort(std::int16_t port) override { m_r.add("CommPort=" + std::to_string(port)); }
    void setRThreshold(std::int16_t n) override { m_r.add("RThreshold=" + std::to_string(n)); }
    void setSThreshold(std::int16_t n) override { m_r.add("SThreshold=" + std::to_string(n)); }
    void setPortOpen(bool value) override {
        m_r.add(std::string("PortOpen=") + (value ? "1" : "0"));
        if (value && openError) {
            throw txlink::RuntimeError(*openError, "open failed");
        }
        open = value;
    }
    bool portOpen() const override { return open; }
    void output(std::string_view characters) override {
        if (!open && failWritesWhenClosed) {
            throw txlink::RuntimeError(txlink::error::kPortNotOpen, "port not open");
        }
        outputs.emplace_back(characters);
        m_r.add("Output=" + std::string(characters));
    }
    std::string input() override {
        ++inputReads;
        m_r.add("Input");
        return std::exchange(pendingInput, {});
    }
    std::int16_t commEvent() const override { return event; }

private:
    Recorder& m_r;
};

class FakeClock : public txlink::Clock {
public:
    txlink::TimeOfDay time;
    void set(int h, int m, int s) { time = txlink::TimeOfDay::fromHms(h, m, s); }
    txlink::TimeOfDay now() const override { return time; }
};

class FakeServices : public txlink::FormServices {
public:
    FakeServices(Recorder& r, FakeLamps& lamps) : m_r(r), m_lamps(lamps) {}

    std::optional<std::string> stored;  // nothing stored: readPortText returns its default
    std::vector<std::string> defaultsAsked;
    std::vector<std::string> messages;
    int settingsDialogs = 0;
    int monitorUnloads = 0;

    std::string readPortText(const std::string& defaultText) override {
        defaultsAsked.push_back(defaultText);
        m_r.add("readPortText");
        return stored.value_or(defaultText);
    }
    void showStartupError(const std::string& message) override {
        messages.push_back(message);
        m_r.add("error box");
    }
    void showSettingsDialog() override {
        ++settingsDialogs;
        m_r.add("settings dialog");
    }
    void unloadMonitor() override {
        ++monitorUnloads;
        m_r.add("unload monitor");
    }
    txlink::Lamps& lamps() override { return m_lamps; }

private:
    Recorder& m_r;
    FakeLamps& m_lamps;
};

// One main form wired to fakes, its window loaded and its port open.
struct Rig {
    Recorder log;
    FakeDisplay display{log};
    FakeTimers timers{log};
    FakeLamps lamps{log};
    FakeSerial serial{log};
    FakeServices services{log, lamps};
    FakeClock clock;
    txlink::Controls controls{serial, display, timers};
    txlink::MainForm form{clock, services};

    Rig() {
        serial.open = true;
        form.setControls(&controls);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;
};

}  // namespace linktest
