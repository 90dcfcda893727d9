// libFuzzer target for network control's command lines: any bytes from a client, cut into lines
// and answered against a fixed display, must run without a crash or undefined behaviour; every
// line is bounded, every answer ends in a line break, and a carrier request is only ever made by
// a T / \set_ptt line that carries 0 to 3.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rigctl/Protocol.h"

namespace {

class FixedTransmitter final : public rigctl::Transmitter {
public:
    explicit FixedTransmitter(bool linkUp) {
        m_shown.linkUp = linkUp;
        m_shown.megahertz = "1296";
        m_shown.fraction = "125";
        m_shown.carrierOn = false;
        m_shown.power = 200;
    }
    int requests = 0;

    const txlink::Shown& shown() const override { return m_shown; }
    txlink::Status requestCarrier(bool, Requester) override {
        ++requests;
        if (requests % 2 == 0) {
            return txlink::Error{txlink::error::kLinkDown, "down"};
        }
        return txlink::Status::success();
    }
    void requesterGone(Requester) override {}
    void tuneTo(txlink::Hertz, Requester, TuneFinished) override {}
    std::optional<txlink::FrequencyKind> reportedKind() const override {
        return txlink::FrequencyKind::H;
    }

private:
    txlink::Shown m_shown;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The top bit of the first byte takes the link down: then nothing may reach the transmitter.
    const bool linkUp = size == 0 || (data[0] & 0x80) == 0;
    FixedTransmitter transmitter(linkUp);
    rigctl::LineSplitter splitter;
    // Fed in two pieces, cut where the first byte says, as a socket may deliver them.
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    for (const std::string_view piece : {bytes.substr(0, cut), bytes.substr(cut)}) {
        for (const rigctl::LineSplitter::Piece& line : splitter.feed(piece)) {
            if (line.line.size() > rigctl::LineSplitter::kMaxLineLength ||
                (line.overlong && !line.line.empty())) {
                std::abort();
            }
            const rigctl::Request request = rigctl::parseRequest(line.line);
            const int before = transmitter.requests;
            const rigctl::Answer answer = rigctl::respond(request, transmitter, 1);
            if (!answer.text.empty() && answer.text.back() != '\n') {
                std::abort();
            }
            if (transmitter.requests != before &&
                (!linkUp || request.command != rigctl::Command::SetPtt ||
                 request.arguments.size() != 1 || request.arguments.front().size() != 1 ||
                 request.arguments.front()[0] < '0' || request.arguments.front()[0] > '3')) {
                std::abort();
            }
        }
    }
    return 0;
}
