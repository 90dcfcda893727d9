#pragma once

#include <cstdint>
#include <string_view>

namespace txlink {

// Colours as 24-bit numbers R + 256·G + 65536·B.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kGreen = 65280;

// The step labels Label11 to Label15, from the smallest step to the largest.
inline constexpr int kFirstStepLabel = 11;
inline constexpr int kLastStepLabel = 15;

// The power bar's range.
inline constexpr int kPowerBarMin = 0;
inline constexpr int kPowerBarMax = 255;

// The display elements of the main window, one setter each. Captions are Latin-1 bytes, as the
// transmitter sends them.
class MainDisplay {
public:
    virtual ~MainDisplay() = default;

    virtual void setMegahertzDigits(std::string_view caption) = 0;              // Label8
    virtual void setFractionDigits(std::string_view caption) = 0;               // Label9
    virtual void setStepLabelEnabled(int label, bool enabled) = 0;              // Label11..15
    virtual void setStepLabelCaption(int label, std::string_view caption) = 0;  // Label11..15
    virtual void setCarrierCaption(std::string_view caption) = 0;               // Command6
    virtual void setCarrierBackColor(Colour colour) = 0;                        // Command6
    virtual void setPowerBarValue(int value) = 0;                               // ProgressBar1
    virtual void setPanelText(int panel, std::string_view text) = 0;            // StatusBar1 1..4
};

enum class Timer { Tmrcom, wait1, wait2, tmrTXLED, tmrRXLED };

// The main window's timers. Enabling a running timer leaves its period alone.
class Timers {
public:
    virtual ~Timers() = default;
    virtual void setTimerEnabled(Timer timer, bool enabled) = 0;
};

// The three lamps of the link monitor window, reached whether or not that window is shown.
class Lamps {
public:
    virtual ~Lamps() = default;
    virtual void setLinkLamp(Colour colour) = 0;      // Shape1
    virtual void setTransmitLamp(Colour colour) = 0;  // Shape2
    virtual void setReceiveLamp(Colour colour) = 0;   // Shape3
};

}  // namespace txlink
