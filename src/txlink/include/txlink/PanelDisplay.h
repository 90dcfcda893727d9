#pragma once

#include <optional>
#include <string_view>

namespace txlink {

// The step labels, from the smallest step (0) to the largest (4).
inline constexpr int kStepCount = 5;

// The power bar's range.
inline constexpr int kPowerMin = 0;
inline constexpr int kPowerMax = 255;

// What status panel 2 shows while network control is on and the link is up.
struct NetworkControlShown {
    int clients = 0;         // programs connected
    bool remoteKey = false;  // a program's key is in force: the carrier is on
    bool operator==(const NetworkControlShown&) const = default;
};

// What the control panel shows of the transmitter. An implementation writes its element on every
// call. The panel reaches the window through ShownState, which calls only when a value changes
// what is shown: a rewrite of the same value shows nothing new, and skipping it is most of what a
// record would otherwise cost. Digits are shown exactly as the line sent them (Latin-1 bytes).
class PanelDisplay {
public:
    virtual ~PanelDisplay() = default;

    // The whole-megahertz digits, then the fraction digits.
    virtual void showFrequency(std::string_view megahertz, std::string_view fraction) = 0;
    // Exactly the selected step's label is enabled; none when nothing is selected.
    virtual void showSelectedStep(std::optional<int> step) = 0;
    virtual void showStepCaption(int step, std::string_view caption) = 0;
    // The synthesiser's lock, in the lock panel.
    virtual void showLock(bool locked) = 0;
    virtual void showPower(int level) = 0;
    // The carrier button: while the carrier is on it offers to switch it off, and back.
    virtual void showCarrier(bool on) = 0;
    // The link panel; a link that is down also empties the other panels, the lock panel among
    // them.
    virtual void showLink(bool up) = 0;
    // Status panel 2: network control's clients, or a program's key in force; empty while
    // network control is off. Written only while the link is up.
    virtual void showNetworkControl(std::optional<NetworkControlShown> state) = 0;
};

// The panel's timers. Switching on a running timer leaves its period alone.
enum class PanelTimer {
    LinkWatch,        // every 500 ms: is the transmitter still talking?
    FrequencyRepeat,  // every 100 ms: repeats a held frequency button
    PowerRepeat,      // every 50 ms: repeats a held power button
    TransmitLampOff,  // 200 ms after a send: puts the transmit lamp out
    ReceiveLampOff,   // 200 ms after a receive: puts the receive lamp out
};

class PanelTimers {
public:
    virtual ~PanelTimers() = default;
    virtual void setTimerRunning(PanelTimer timer, bool running) = 0;
};

// The link monitor's three lamps, reached whether or not the monitor window is shown.
class ActivityLamps {
public:
    virtual ~ActivityLamps() = default;
    virtual void showLinkLamp(bool lit) = 0;
    virtual void showTransmitLamp(bool lit) = 0;
    virtual void showReceiveLamp(bool lit) = 0;
};

}  // namespace txlink
