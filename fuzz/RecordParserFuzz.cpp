// libFuzzer target for the record parser: any received text, of any bytes, must parse without a
// crash or undefined behaviour, and a text must act exactly as its 8-character records applied
// one after another (the parser keeps nothing between records).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/RecordParser.h"

namespace {

class Recorder final : public txlink::MainDisplay, public txlink::Timers {
public:
    std::string log;

    void setMegahertzDigits(std::string_view c) override { note("8", c); }
    void setFractionDigits(std::string_view c) override { note("9", c); }
    void setStepLabelEnabled(int label, bool on) override {
        note("E" + std::to_string(label), on ? "1" : "0");
    }
    void setStepLabelCaption(int label, std::string_view c) override {
        note("C" + std::to_string(label), c);
    }
    void setCarrierCaption(std::string_view c) override { note("6", c); }
    void setCarrierBackColor(txlink::Colour colour) override { note("B", std::to_string(colour)); }
    void setPowerBarValue(int value) override {
        if (value < txlink::kPowerBarMin || value > txlink::kPowerBarMax) {
            std::abort();  // the parser must refuse such a value before it reaches the bar
        }
        note("P", std::to_string(value));
    }
    void setPanelText(int panel, std::string_view text) override {
        note("S" + std::to_string(panel), text);
    }
    void setTimerEnabled(txlink::Timer timer, bool on) override {
        note("T" + std::to_string(int(timer)), on ? "1" : "0");
    }

private:
    void note(const std::string& what, std::string_view value) {
        log += what;
        log += '=';
        log += value;
        log += '\n';
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    Recorder whole;
    const bool wholeOk = txlink::applyRecords(text, whole, whole);

    Recorder pieces;
    bool piecesOk = true;
    for (std::size_t start = 0; piecesOk && text.size() > start + 1; start += 8) {
        piecesOk = txlink::applyRecords(text.substr(start, 8), pieces, pieces);
    }
    if (wholeOk != piecesOk || whole.log != pieces.log) {
        std::abort();
    }
    return 0;
}
