#pragma once

#include <array>
#include <optional>
#include <string>

#include "txlink/PanelDisplay.h"

namespace txlink {

// What the panel shows now, element by element. Empty means nothing has been written since the
// window loaded: the element still shows its design-time face (the carrier button "On / Off").
struct Shown {
    std::optional<std::string> megahertz;
    std::optional<std::string> fraction;
    std::optional<std::optional<int>> selectedStep;
    std::array<std::optional<std::string>, kStepCount> stepCaptions;
    std::optional<bool> locked;  // also empty once a link down has emptied the lock panel
    std::optional<int> power;
    std::optional<bool> carrierOn;
    std::optional<bool> linkUp;
    // Empty while the panel is: network control off, nothing written, or the link down.
    std::optional<NetworkControlShown> networkControl;
};

// Remembers what the panel's display shows and passes a write on to it only when it changes what
// is shown. A freshly loaded window shows its design-time face, so its first write of each
// element always goes through.
class ShownState final : public PanelDisplay {
public:
    // A freshly loaded window, or none: nothing written yet.
    void attach(PanelDisplay* display);
    const Shown& shown() const { return m_shown; }
    // What the carrier is now is no longer known (the link went down, the port was opened
    // afresh): the button keeps its face, and the next status record is written as new.
    void forgetCarrier() { m_shown.carrierOn.reset(); }

    void showFrequency(std::string_view megahertz, std::string_view fraction) override;
    void showSelectedStep(std::optional<int> step) override;
    void showStepCaption(int step, std::string_view caption) override;
    void showLock(bool locked) override;
    void showPower(int level) override;
    void showCarrier(bool on) override;
    void showLink(bool up) override;
    void showNetworkControl(std::optional<NetworkControlShown> state) override;

private:
    PanelDisplay* m_display = nullptr;
    Shown m_shown;
};

}  // namespace txlink
