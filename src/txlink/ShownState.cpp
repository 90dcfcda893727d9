#include "txlink/ShownState.h"

namespace txlink {

void ShownState::attach(PanelDisplay* display) {
    m_display = display;
    m_shown = Shown{};
}

namespace {

// Records `value` as what an element shows. False when it showed that already: redrawing a
// widget with what it already shows is most of what a record would otherwise cost, so such a
// write goes no further.
template <typename T, typename V>
bool changes(std::optional<T>& shown, const V& value) {
    if (shown.has_value() && *shown == value) {
        return false;
    }
    shown.emplace(value);
    return true;
}

}  // namespace

void ShownState::showFrequency(std::string_view megahertz, std::string_view fraction) {
    const bool megahertzChanged = changes(m_shown.megahertz, megahertz);
    const bool fractionChanged = changes(m_shown.fraction, fraction);
    if ((megahertzChanged || fractionChanged) && m_display != nullptr) {
        m_display->showFrequency(megahertz, fraction);
    }
}

void ShownState::showSelectedStep(std::optional<int> step) {
    // "Nothing selected" is a value of its own, not "unknown".
    if (changes(m_shown.selectedStep, step) && m_display != nullptr) {
        m_display->showSelectedStep(step);
    }
}

void ShownState::showStepCaption(int step, std::string_view caption) {
    if (step < 0 || step >= kStepCount) {
        return;
    }
    if (changes(m_shown.stepCaptions[std::size_t(step)], caption) && m_display != nullptr) {
        m_display->showStepCaption(step, caption);
    }
}

void ShownState::showLock(bool locked) {
    if (changes(m_shown.locked, locked) && m_display != nullptr) {
        m_display->showLock(locked);
    }
}

void ShownState::showPower(int level) {
    if (changes(m_shown.power, level) && m_display != nullptr) {
        m_display->showPower(level);
    }
}

void ShownState::showCarrier(bool on) {
    if (changes(m_shown.carrierOn, on) && m_display != nullptr) {
        m_display->showCarrier(on);
    }
}

void ShownState::showLink(bool up) {
    // A link that is down must also leave the lock panel empty, whatever wrote it since.
    const bool panelsToEmpty =
        !up && (m_shown.locked.has_value() || m_shown.networkControl.has_value());
    if (m_shown.linkUp == up && !panelsToEmpty) {
        return;
    }
    m_shown.linkUp = up;
    if (!up) {
        m_shown.locked.reset();
        m_shown.networkControl.reset();
    }
    if (m_display != nullptr) {
        m_display->showLink(up);
    }
}

void ShownState::showNetworkControl(std::optional<NetworkControlShown> state) {
    if (m_shown.networkControl == state) {
        return;
    }
    m_shown.networkControl = state;
    if (m_display != nullptr) {
        m_display->showNetworkControl(state);
    }
}

}  // namespace txlink
