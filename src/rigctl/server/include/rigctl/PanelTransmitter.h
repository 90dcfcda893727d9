#pragma once

#include "rigctl/Protocol.h"
#include "txlink/ControlPanel.h"

namespace rigctl {

// The control panel as network control's transmitter: what its window shows, and its carrier
// request, which sends through the same path as the buttons.
class PanelTransmitter final : public Transmitter {
public:
    explicit PanelTransmitter(txlink::ControlPanel& panel) : m_panel(panel) {}

    const txlink::Shown& shown() const override { return m_panel.shown(); }
    txlink::Status requestCarrier(bool on, Requester requester) override {
        return m_panel.requestCarrier(on, requester);
    }
    void requesterGone(Requester requester) override { m_panel.releaseCarrier(requester); }
    void tuneTo(txlink::Hertz hertz, Requester, TuneFinished finished) override {
        m_panel.tuneTo(hertz, std::move(finished));
    }
    std::optional<txlink::FrequencyKind> reportedKind() const override {
        return m_panel.reportedKind();
    }

private:
    txlink::ControlPanel& m_panel;
};

}  // namespace rigctl
