// How long the record parser takes per received text, against copying the same text (the least
// any receive path does), measured in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "txlink/RecordParser.h"

namespace {

class NullDisplay final : public txlink::PanelDisplay, public txlink::PanelTimers {
public:
    void showFrequency(std::string_view megahertz, std::string_view fraction) override {
        benchmark::DoNotOptimize(megahertz);
        benchmark::DoNotOptimize(fraction);
    }
    void showSelectedStep(std::optional<int> step) override { benchmark::DoNotOptimize(step); }
    void showStepCaption(int step, std::string_view caption) override {
        benchmark::DoNotOptimize(step);
        benchmark::DoNotOptimize(caption);
    }
    void showLock(bool locked) override { benchmark::DoNotOptimize(locked); }
    void showPower(int level) override { benchmark::DoNotOptimize(level); }
    void showCarrier(bool on) override { benchmark::DoNotOptimize(on); }
    void showLink(bool up) override { benchmark::DoNotOptimize(up); }
    void setTimerRunning(txlink::PanelTimer timer, bool running) override {
        benchmark::DoNotOptimize(int(timer) + running);
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
