// Records through the real window, in this process: each iteration is one receive event carrying
// one record, handed to the control panel with the real main window as its display, followed by
// one turn of the event loop (where the repaints happen). Beside it, the parser alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "PanelOnPty.h"
#include "txlink/RecordParser.h"

namespace {

// The transmitter's steady report: its status and its frequency, the same every time.
void RecordsThroughTheWindowSteady(benchmark::State& state) {
    PanelOnPty panel;
    QCoreApplication::processEvents();
    const std::string records[] = {"S1010128", "F1296000"};
    std::size_t i = 0;
    for (auto _ : state) {
        panel.program.panel().textReceived(records[i++ % 2]);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RecordsThroughTheWindowSteady);

// A held "Up" button: every frequency record shows a new frequency.
void RecordsThroughTheWindowTuning(benchmark::State& state) {
    PanelOnPty panel;
    QCoreApplication::processEvents();
    const std::string records[] = {"F1296000", "F1296125", "F1296250", "F1296375"};
    std::size_t i = 0;
    for (auto _ : state) {
        panel.program.panel().textReceived(records[i++ % 4]);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RecordsThroughTheWindowTuning);

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
    void showNetworkControl(std::optional<txlink::NetworkControlShown> state) override {
        benchmark::DoNotOptimize(state);
    }
    void setTimerRunning(txlink::PanelTimer timer, bool running) override {
        benchmark::DoNotOptimize(int(timer) + running);
    }
};

void ParserAlone(benchmark::State& state) {
    NullDisplay display;
    const std::string records[] = {"S1010128", "F1296000"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(txlink::applyRecords(records[i++ % 2], display, display));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ParserAlone);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
