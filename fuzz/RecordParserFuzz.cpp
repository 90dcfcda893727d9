// libFuzzer target for the record parser: any received text, of any bytes, must parse without a
// crash or undefined behaviour, and a text must act exactly as its 8-character records applied
// one after another (the parser keeps nothing between records).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "txlink/RecordParser.h"

namespace {

class Recorder final : public txlink::PanelDisplay, public txlink::PanelTimers {
public:
    std::string log;

    void showFrequency(std::string_view megahertz, std::string_view fraction) override {
        note("M", megahertz);
        note("F", fraction);
    }
    void showSelectedStep(std::optional<int> step) override {
        if (step && (*step < 0 || *step >= txlink::kStepCount)) {
            std::abort();  // there are five step labels
        }
        note("E", step ? std::to_string(*step) : "-");
    }
    void showStepCaption(int step, std::string_view caption) override {
        if (step < 0 || step >= txlink::kStepCount) {
            std::abort();
        }
        note("C" + std::to_string(step), caption);
    }
    void showLock(bool locked) override { note("L", locked ? "1" : "0"); }
    void showPower(int level) override {
        if (level < txlink::kPowerMin || level > txlink::kPowerMax) {
            std::abort();  // the parser must refuse such a value before it reaches the bar
        }
        note("P", std::to_string(level));
    }
    void showCarrier(bool on) override { note("6", on ? "1" : "0"); }
    void showLink(bool up) override { note("K", up ? "1" : "0"); }
    void showNetworkControl(std::optional<txlink::NetworkControlShown>) override {}
    void setTimerRunning(txlink::PanelTimer timer, bool running) override {
        note("T" + std::to_string(int(timer)), running ? "1" : "0");
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
    const bool wholeOk = txlink::applyRecords(text, whole, whole) == txlink::ParseResult::Applied;

    Recorder pieces;
    bool piecesOk = true;
    for (std::size_t start = 0; piecesOk && text.size() > start + 1; start += 8) {
        piecesOk = txlink::applyRecords(text.substr(start, 8), pieces, pieces) ==
                   txlink::ParseResult::Applied;
    }
    if (wholeOk != piecesOk || whole.log != pieces.log) {
        std::abort();
    }
    return 0;
}
