#include "txlink/ShownState.h"

namespace txlink {

void ShownState::attach(PanelDisplay* display) {
    m_display = display;
    m_shown = Shown{};
}

void ShownState::showFrequency(std::string_view megahertz, std::string_view fraction) {
    m_shown.megahertz = std::string(megahertz);
    m_shown.fraction = std::string(fraction);
    if (m_display != nullptr) {
        m_display->showFrequency(megahertz, fraction);
    }
}

void ShownState::showSelectedStep(std::optional<int> step) {
    m_shown.selectedStep = step;
    if (m_display != nullptr) {
        m_display->showSelectedStep(step);
    }
}

void ShownState::showStepCaption(int step, std::string_view caption) {
    if (step >= 0 && step < kStepCount) {
        m_shown.stepCaptions[std::size_t(step)] = std::string(caption);
    }
    if (m_display != nullptr) {
        m_display->showStepCaption(step, caption);
    }
}

void ShownState::showLock(bool locked) {
    m_shown.locked = locked;
    if (m_display != nullptr) {
        m_display->showLock(locked);
    }
}

void ShownState::showPower(int level) {
    m_shown.power = level;
    if (m_display != nullptr) {
        m_display->showPower(level);
    }
}

void ShownState::showCarrier(bool on) {
    m_shown.carrierOn = on;
    if (m_display != nullptr) {
        m_display->showCarrier(on);
    }
}

void ShownState::showLink(bool up) {
    m_shown.linkUp = up;
    if (!up) {
        m_shown.locked.reset();  // a link down empties the lock panel
    }
    if (m_display != nullptr) {
        m_display->showLink(up);
    }
}

}  // namespace txlink
