// Received records: applyRecords directly, and ControlPanel::parseReceived for the stamp and the
// reopen after a failure.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Fakes.h"
#include "txlink/RecordParser.h"

namespace {

using linktest::Log;
using linktest::Recorder;
using linktest::Rig;

struct Applied {
    bool ok;
    Log log;
};

Applied apply(std::string_view text) {
    Recorder r;
    linktest::FakeDisplay display(r);
    linktest::FakeTimers timers(r);
    const bool ok = txlink::applyRecords(text, display, timers) == txlink::ParseResult::Applied;
    return {ok, r.entries};
}

Log concat(std::initializer_list<Log> parts) {
    Log all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

Log selected(int step) {
    return {"step=" + std::to_string(step)};
}

const Log kCarrierOff = {"carrier=off"};
const Log kCarrierOn = {"carrier=on"};
const Log kGCaptions = {"caption0=500 KHz", "caption1=1 MHz", "caption2=5 MHz", "caption3=10 MHz",
                        "caption4=25 MHz"};

const Log kS1010128 =
    concat({{"lock=locked"}, selected(0), {"power=128"}, kCarrierOff, {"PowerRepeat on"}});
const Log kF1234567 = {"frequency=1234|567", "FrequencyRepeat on"};
const Log kReopen = {"close", "open 1"};

struct Case {
    const char* text;
    bool ok;
    Log log;
};

void checkCases(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const Applied a = apply(c.text);
        EXPECT_EQ(a.ok, c.ok);
        EXPECT_EQ(a.log, c.log);
    }
}

TEST(Parser, ExampleRecordsWriteExactlyTheirElementsInOrder) {
    checkCases({
        {"S1010128", true, kS1010128},
        {"S0401255", true,
         concat({{"lock=unlocked"}, selected(4), {"power=255"}, kCarrierOn, {"PowerRepeat on"}})},
        {"F1234567", true, kF1234567},
        {"G1234567", true, concat({{"frequency=12345|67", "FrequencyRepeat on"}, kGCaptions})},
        {"H1234537", true, {"frequency=12345|375", "FrequencyRepeat on", "caption4=10 MHz"}},
        // A status record that begins with neither S1 nor S0 leaves the lock panel alone.
        {"S2010128", true, concat({selected(0), {"power=128"}, kCarrierOff, {"PowerRepeat on"}})},
    });
}

TEST(Parser, TextIsCutEveryEightCharactersWhileTwoRemain) {
    // Prefixes of two F records and a stray character; F records cannot fail, so each cut record
    // shows up as one frequency/repeat pair.
    const std::string text = "F1234567F7654321X";
    struct Row {
        std::size_t length;
        int records;
        const char* lastMegahertz;
        const char* lastFraction;
    };
    const Row rows[] = {
        {0, 0, "", ""},         {1, 0, "", ""},         {2, 1, "1", ""},      {3, 1, "12", ""},
        {4, 1, "123", ""},      {5, 1, "1234", ""},     {6, 1, "1234", "5"},  {7, 1, "1234", "56"},
        {8, 1, "1234", "567"},  {9, 1, "1234", "567"},  {10, 2, "7", ""},     {11, 2, "76", ""},
        {12, 2, "765", ""},     {13, 2, "7654", ""},    {14, 2, "7654", "3"}, {15, 2, "7654", "32"},
        {16, 2, "7654", "321"}, {17, 2, "7654", "321"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("length " + std::to_string(row.length));
        const Applied a = apply(std::string_view(text).substr(0, row.length));
        EXPECT_TRUE(a.ok);
        ASSERT_EQ(a.log.size(), 2u * row.records);
        if (row.records > 0) {
            const auto last = a.log.end() - 2;
            EXPECT_EQ(last[0],
                      std::string("frequency=") + row.lastMegahertz + "|" + row.lastFraction);
            EXPECT_EQ(last[1], "FrequencyRepeat on");
        }
    }
}

TEST(Parser, RecordsOfOtherKindsAreSkippedAndLaterOnesStillApply) {
    for (const char* skipped :
         {"s1010128", "f7654321", "g7654321", "h7654321", "X1010128", " 1010128", "01010128"}) {
        SCOPED_TRACE(skipped);
        const Applied a = apply(std::string(skipped) + "F1234567");
        EXPECT_TRUE(a.ok);
        EXPECT_EQ(a.log, kF1234567);
    }
}

TEST(Parser, StepCodeSelectsOneLabelOrLeavesAllAlone) {
    struct Row {
        const char* code;
        int step;  // -1: no step label is touched
    };
    const Row rows[] = {{"01", 0},  {"02", 1},  {"04", 2},  {"10", 2},  {"08", 3},
                        {"20", 3},  {"40", 4},  {"50", 4},  {"80", 4},  {"00", -1},
                        {"03", -1}, {"99", -1}, {"05", -1}, {"11", -1}, {"81", -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("step code ") + row.code);
        const Applied a = apply(std::string("S1") + row.code + "0128");
        EXPECT_TRUE(a.ok);
        const Log labels = row.step < 0 ? Log{} : selected(row.step);
        EXPECT_EQ(
            a.log,
            concat({{"lock=locked"}, labels, {"power=128"}, kCarrierOff, {"PowerRepeat on"}}));
    }
}

TEST(Parser, PowerAndCarrierFields) {
    const Log head = concat({{"lock=locked"}, selected(0)});
    checkCases({
        {"S1010000", true, concat({head, {"power=0"}, kCarrierOff, {"PowerRepeat on"}})},
        {"S1010255", true, concat({head, {"power=255"}, kCarrierOff, {"PowerRepeat on"}})},
        {"S1010007", true, concat({head, {"power=7"}, kCarrierOff, {"PowerRepeat on"}})},
        // Outside the bar's range: fails after the step labels, before the carrier button.
        {"S1010256", false, head},
        {"S1010999", false, head},
        // Carrier flag: only 1 is "TX Off" on red.
        {"S1011128", true, concat({head, {"power=128"}, kCarrierOn, {"PowerRepeat on"}})},
        {"S1012128", true, concat({head, {"power=128"}, kCarrierOff, {"PowerRepeat on"}})},
        {"S1019128", true, concat({head, {"power=128"}, kCarrierOff, {"PowerRepeat on"}})},
        {"S101x128", false, concat({head, {"power=128"}})},
        {"S101 128", false, concat({head, {"power=128"}})},
    });
}

TEST(Parser, NonNumericFieldStopsTheParseWhereItIsRead) {
    const Log locked = {"lock=locked"};
    const Log head = concat({locked, selected(0)});
    checkCases({
        // Step code: panel 3 is written, then nothing more.
        {"S11x0128F1234567", false, locked},
        {"S1x10128F1234567", false, locked},
        {"S1 10128", false, locked},
        {"S1+10128", false, locked},
        {"S1-10128", false, locked},
        {"S1.10128", false, locked},
        {"S0", false, {"lock=unlocked"}},
        {"S1", false, locked},
        // Power: panel 3 and the step labels stay, the carrier button and wait2 are not written.
        {"S101012xF1234567", false, head},
        {"S1010 12", false, head},
        {"S1010-12", false, head},
        {"S1010+12", false, head},
        {"S10101.2", false, head},
        // Short status records: fields cut short read as empty or take what is there.
        {"S10", false, locked},  // step "0" selects nothing; power "S10" is no number
        {"S101", false, concat({head, {"power=101"}})},  // no carrier character
        {"S1011", true, concat({head, {"power=11"}, kCarrierOn, {"PowerRepeat on"}})},
        {"S101012", true, concat({head, {"power=12"}, kCarrierOff, {"PowerRepeat on"}})},
    });
}

TEST(Parser, FrequencyRecordsTakeTheirCharactersUnchecked) {
    checkCases({
        {"H1234512", true, {"frequency=12345|125", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234537", true, {"frequency=12345|375", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234562", true, {"frequency=12345|625", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234587", true, {"frequency=12345|875", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234500", true, {"frequency=12345|000", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234525", true, {"frequency=12345|250", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234513", true, {"frequency=12345|130", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H1234575", true, {"frequency=12345|750", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H12345", true, {"frequency=12345|0", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H123451", true, {"frequency=12345|10", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"H12", true, {"frequency=12|0", "FrequencyRepeat on", "caption4=10 MHz"}},
        {"F12", true, {"frequency=12|", "FrequencyRepeat on"}},
        {"Fab c-xy", true, {"frequency=ab c|-xy", "FrequencyRepeat on"}},
        {"G123", true, concat({{"frequency=123|", "FrequencyRepeat on"}, kGCaptions})},
        {"G123456", true, concat({{"frequency=12345|6", "FrequencyRepeat on"}, kGCaptions})},
    });
}

TEST(Parser, CaptionsOfGAreNotSetBackByH) {
    const Applied a = apply("G1234567H1234537");
    EXPECT_TRUE(a.ok);
    auto last = [&](const std::string& key) {
        std::string value = "<never>";
        for (const auto& e : a.log) {
            if (e.starts_with(key + "=")) {
                value = e.substr(key.size() + 1);
            }
        }
        return value;
    };
    EXPECT_EQ(last("caption3"), "10 MHz");
    EXPECT_EQ(last("caption4"), "10 MHz");
    EXPECT_EQ(last("caption0"), "500 KHz");
}

// Through the form: the stamp comes first whatever the text, and a failure reopens the port once
// after what was already written.
TEST(ParseReceived, StampsTheLastReceiveTimeForAnyText) {
    for (const char* text : {"", "X", "s", "S1x0128", "S1010999", "F1234567", "S1010128F12"}) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        Rig rig;
        rig.clock.set(13, 14, 15);
        rig.panel.parseReceived(text);
        ASSERT_TRUE(rig.panel.state().lastReceive.has_value());
        EXPECT_EQ(*rig.panel.state().lastReceive, rig.clock.now());
    }
}

TEST(ParseReceived, EmptyAndSingleCharacterTextChangeNothingElse) {
    for (const char* text : {"", "S", "F", "x"}) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        Rig rig;
        rig.panel.parseReceived(text);
        EXPECT_TRUE(rig.log.entries.empty());
    }
}

TEST(ParseReceived, FailureKeepsWhatWasWrittenAndReopensThePortOnce) {
    const Log head = concat({{"lock=locked"}, selected(0)});
    const std::vector<Case> cases = {
        {"S1010128F1234567", true, concat({kS1010128, kF1234567})},
        {"S11x0128F1234567", false, concat({{"lock=locked"}, kReopen})},
        {"S101012xF1234567", false, concat({head, kReopen})},
        {"S101x128F1234567", false, concat({head, {"power=128"}, kReopen})},
        {"S1010256F1234567", false, concat({head, kReopen})},
        // In the middle of a text: earlier records stay, later ones (even failing ones) are
        // dropped.
        {"F1234567S1x10128G7654321", false, concat({kF1234567, {"lock=locked"}, kReopen})},
        {"F1234567S101x128S11x0128", false, concat({kF1234567, head, {"power=128"}, kReopen})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        Rig rig;
        rig.panel.parseReceived(c.text);
        EXPECT_EQ(rig.log.entries, c.log);
        EXPECT_EQ(rig.log.count("close"), c.ok ? 0 : 1);
        EXPECT_EQ(rig.log.count("open 1"), c.ok ? 0 : 1);
        EXPECT_TRUE(rig.link.opened);
        EXPECT_TRUE(rig.link.sent.empty());
    }
}

TEST(ParseReceived, StampIsTakenBeforeTheRecordsAreApplied) {
    Rig rig;
    rig.clock.set(10, 0, 0);
    // The clock moves on as soon as anything is written.
    rig.log.onEntry = [&](const std::string&) { rig.clock.set(10, 0, 9); };
    rig.panel.parseReceived("F1234567S1x10128");
    EXPECT_EQ(rig.panel.state().lastReceive, txlink::MonotonicTime{} + std::chrono::hours(10));
}

// The device is gone: the port stays closed, and the link waits for the device to come back.
TEST(ParseReceived, FailureToReopenLeavesThePortClosed) {
    Rig rig;
    rig.link.openError = txlink::error::kPortNotDetected;
    rig.panel.parseReceived("S1x");
    // The link is down at once: with the port closed nothing more can be heard.
    EXPECT_EQ(rig.log.entries,
              (Log{"lock=locked", "close", "open 1", "wait for 1", "link=down", "lamp link=out"}));
    EXPECT_FALSE(rig.link.opened);
    EXPECT_TRUE(rig.link.waiting);
    EXPECT_FALSE(rig.panel.state().lastReceive.has_value());
}

// Only a device that is gone is waited for; one that another program took is not.
TEST(ParseReceived, OnlyAReopenThatFindsNoDeviceWaitsForIt) {
    const std::pair<std::optional<int>, Log> rows[] = {
        {std::nullopt, {"close", "open 1"}},
        {txlink::error::kPortInUse, {"close", "open 1", "link=down", "lamp link=out"}},
        {txlink::error::kPortSettings, {"close", "open 1", "link=down", "lamp link=out"}}};
    for (const auto& [openError, expected] : rows) {
        Rig rig;
        rig.link.openError = openError;
        rig.panel.reopenPort();
        EXPECT_EQ(rig.log.entries, expected) << openError.value_or(0);
    }
}

}  // namespace
