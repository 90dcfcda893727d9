#include "txlink/ShownState.h"

namespace txlink {

void ShownState::attach(PanelDisplay* display) {
    m_display = display;
    m_shown = Shown{};
}

// Each element is written only when its value changes: redrawing a widget with what it already
// shows is most of what a record would otherwise cost.
void ShownState::showFrequency(std::string_view megahertz, std::string_view fraction) {
    if (m_shown.megahertz == megahertz && m_shown.fraction == fraction) {
        return;
    }
    m_shown.megahertz = std::string(megahertz);
    m_shown.fraction = std::string(fraction);
    if (m_display != nullptr) {
        m_display->showFrequency(megahertz, fraction);
    }
}

void ShownState::showSelectedStep(std::optional<int> step) {
    // "Nothing selected" is a value of its own, not "unknown".
    if (m_shown.selectedStep.has_value() && *m_shown.selectedStep == step) {
        return;
    }
    m_shown.selectedStep = step;
    if (m_display != nullptr) {
        m_display->showSelectedStep(step);
    }
}

void ShownState::showStepCaption(int step, std::string_view caption) {
    if (step < 0 || step >= kStepCount) {
        return;
    }
    std::optional<std::string>& shown = m_shown.stepCaptions[std::size_t(step)];
    if (shown == caption) {
        return;
    }
    shown = std::string(caption);
    if (m_display != nullptr) {
        m_display->showStepCaption(step, caption);
    }
}

void ShownState::showLock(bool locked) {
    if (m_shown.locked == locked) {
        return;
    }
    m_shown.locked = locked;
    if (m_display != nullptr) {
        m_display->showLock(locked);
    }
}

void ShownState::showPower(int level) {
    if (m_shown.power == level) {
        return;
    }
    m_shown.power = level;
    if (m_display != nullptr) {
        m_display->showPower(level);
    }
}

void ShownState::showCarrier(bool on) {
    if (m_shown.carrierOn == on) {
        return;
    }
    m_shown.carrierOn = on;
    if (m_display != nullptr) {
        m_display->showCarrier(on);
    }
}

void ShownState::showLink(bool up) {
    // A link that is down must also leave the lock panel empty, whatever wrote it since.
    const bool panelsToEmpty = !up && m_shown.locked.has_value();
    if (m_shown.linkUp == up && !panelsToEmpty) {
        return;
    }
    m_shown.linkUp = up;
    if (!up) {
        m_shown.locked.reset();
    }
    if (m_display != nullptr) {
        m_display->showLink(up);
    }
}

}  // namespace txlink
