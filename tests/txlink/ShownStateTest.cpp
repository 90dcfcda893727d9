// Only what changes reaches the window; a freshly loaded window gets everything once.

#include <gtest/gtest.h>

#include "Fakes.h"
#include "txlink/RecordParser.h"
#include "txlink/ShownState.h"

namespace {

using linktest::Log;
using linktest::Recorder;

struct Step {
    const char* what;
    std::function<void(txlink::ShownState&)> write;
    Log reaches;  // what reaches the window
};

TEST(ShownState, OnlyChangesReachTheWindow) {
    Recorder r;
    linktest::FakeDisplay window(r);
    linktest::FakeTimers timers(r);
    txlink::ShownState shown;
    shown.attach(&window);
    auto records = [&](const char* text) {
        return
            [&timers, text](txlink::ShownState& s) { (void)txlink::applyRecords(text, s, timers); };
    };
    const Step steps[] = {
        {"nothing selected at start-up",
         [](auto& s) { s.showSelectedStep(std::nullopt); },
         {"step=none"}},
        {"the first status",
         records("S1010128"),
         {"lock=locked", "step=0", "power=128", "carrier=off", "PowerRepeat on"}},
        {"the same status again", records("S1010128"), {"PowerRepeat on"}},
        {"the carrier comes on", records("S1011128"), {"carrier=on", "PowerRepeat on"}},
        {"a frequency", records("F1296000"), {"frequency=1296|000", "FrequencyRepeat on"}},
        {"the same frequency", records("F1296000"), {"FrequencyRepeat on"}},
        {"a new fraction", records("F1296125"), {"frequency=1296|125", "FrequencyRepeat on"}},
        {"G captions, once",
         records("G1036800G1036800"),
         {"frequency=10368|00", "FrequencyRepeat on", "caption0=500 KHz", "caption1=1 MHz",
          "caption2=5 MHz", "caption3=10 MHz", "caption4=25 MHz", "FrequencyRepeat on"}},
        {"link up", [](auto& s) { s.showLink(true); }, {"link=up"}},
        {"link still up", [](auto& s) { s.showLink(true); }, {}},
        {"link down empties the panels", [](auto& s) { s.showLink(false); }, {"link=down"}},
        {"link still down", [](auto& s) { s.showLink(false); }, {}},
        {"a lock written while down", records("S1011128"), {"lock=locked", "PowerRepeat on"}},
        {"down again empties it again", [](auto& s) { s.showLink(false); }, {"link=down"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        r.clear();
        step.write(shown);
        EXPECT_EQ(r.entries, step.reaches);
    }
    EXPECT_EQ(shown.shown().carrierOn, true);

    // A window loaded afresh shows its design-time face: everything goes through once more.
    shown.attach(&window);
    EXPECT_FALSE(shown.shown().carrierOn.has_value());
    r.clear();
    (void)txlink::applyRecords("S1011128", shown, timers);
    EXPECT_EQ(r.entries,
              (Log{"lock=locked", "step=0", "power=128", "carrier=on", "PowerRepeat on"}));
}

}  // namespace
