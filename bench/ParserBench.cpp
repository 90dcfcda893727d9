// How long the record parser takes per received text, against copying the same text (the least
// any receive path does), measured in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "link/RecordParser.h"

namespace {

class NullDisplay final : public txlink::MainDisplay, public txlink::Timers {
public:
    void setMegahertzDigits(std::string_view caption) override {
        benchmark::DoNotOptimize(caption);
    }
    void setFractionDigits(std::string_view caption) override { benchmark::DoNotOptimize(caption); }
    void setStepLabelEnabled(int label, bool enabled) override {
        benchmark::DoNotOptimize(label + enabled);
    }
    void setStepLabelCaption(int label, std::string_view caption) override {
        benchmark::DoNotOptimize(label);
        benchmark::DoNotOptimize(caption);
    }
    void setCarrierCaption(std::string_view caption) override { benchmark::DoNotOptimize(caption); }
    void setCarrierBackColor(txlink::Colour colour) override { benchmark::DoNotOptimize(colour); }
    void setPowerBarValue(int value) override { benchmark::DoNotOptimize(value); }
    void setPanelText(int panel, std::string_view text) override {
        benchmark::DoNotOptimize(panel);
        benchmark::DoNotOptimize(text);
    }
    void setTimerEnabled(txlink::Timer timer, bool enabled) override {
        benchmark::DoNotOptimize(int(timer) + enabled);
    }
};

// A second of a busy line: the status repeat and the frequency records of a held button.
std::string busyText(int records) {
    const std::string kinds[] = {"S1010128", "F1296125", "G1036800", "H2320037"};
    std::string text;
    for (int i = 0; i < records; ++i) {
        text += kinds[i % 4];
    }
    return text;
}

void BM_CopyText(benchmark::State& state) {
    const std::string text = busyText(int(state.range(0)));
    for (auto _ : state) {
        std::string copy = text;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_ApplyRecords(benchmark::State& state) {
    const std::string text = busyText(int(state.range(0)));
    NullDisplay display;
    for (auto _ : state) {
        benchmark::DoNotOptimize(txlink::applyRecords(text, display, display));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

BENCHMARK(BM_CopyText)->Arg(1)->Arg(12)->Arg(120);
BENCHMARK(BM_ApplyRecords)->Arg(1)->Arg(12)->Arg(120);

}  // namespace

BENCHMARK_MAIN();
