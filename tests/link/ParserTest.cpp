// Received records: applyRecords directly, and MainForm::ParseReceived for the stamp and the
// reopen after a failure.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "link/RecordParser.h"

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
    const bool ok = txlink::applyRecords(text, display, timers);
    return {ok, r.entries};
}

Log concat(std::initializer_list<Log> parts) {
    Log all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

Log stepLabels(int selected) {
    Log log;
    for (int label = 11; label <= 15; ++label) {
        log.push_back("enabled Label" + std::to_string(label) + "=" +
                      (label == selected ? "1" : "0"));
    }
    return log;
}

const Log kCarrierOn = {"Command6.Caption=TX On", "Command6.BackColor=65280"};
const Log kCarrierOff = {"Command6.Caption=TX Off", "Command6.BackColor=255"};
const Log kGCaptions = {"Label11.Caption=500 KHz", "Label12.Caption=1 MHz", "Label13.Caption=5 MHz",
                        "Label14.Caption=10 MHz", "Label15.Caption=25 MHz"};

const Log kS1010128 =
    concat({{"panel3=TX Locked"}, stepLabels(11), {"power=128"}, kCarrierOn, {"wait2 on"}});
const Log kF1234567 = {"Label8=1234", "Label9=567", "wait1 on"};
const Log kReopen = {"PortOpen=0", "PortOpen=1"};

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
         concat(
             {{"panel3=TX UnLocked"}, stepLabels(15), {"power=255"}, kCarrierOff, {"wait2 on"}})},
        {"F1234567", true, kF1234567},
        {"G1234567", true, concat({{"Label8=12345", "Label9=67", "wait1 on"}, kGCaptions})},
        {"H1234537", true, {"Label8=12345", "Label9=375", "wait1 on", "Label15.Caption=10 MHz"}},
        // A status record that begins with neither S1 nor S0 leaves the lock panel alone.
        {"S2010128", true, concat({stepLabels(11), {"power=128"}, kCarrierOn, {"wait2 on"}})},
    });
}

TEST(Parser, TextIsCutEveryEightCharactersWhileTwoRemain) {
    // Prefixes of two F records and a stray character; F records cannot fail, so each cut record
    // shows up as one Label8/Label9/wait1 triple.
    const std::string text = "F1234567F7654321X";
    struct Row {
        std::size_t length;
        int records;
        const char* lastLabel8;
        const char* lastLabel9;
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
        ASSERT_EQ(a.log.size(), 3u * row.records);
        if (row.records > 0) {
            const auto last = a.log.end() - 3;
            EXPECT_EQ(last[0], std::string("Label8=") + row.lastLabel8);
            EXPECT_EQ(last[1], std::string("Label9=") + row.lastLabel9);
            EXPECT_EQ(last[2], "wait1 on");
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
        int label;  // 0: no step label is touched
    };
    const Row rows[] = {{"01", 11}, {"02", 12}, {"04", 13}, {"10", 13}, {"08", 14},
                        {"20", 14}, {"40", 15}, {"50", 15}, {"80", 15}, {"00", 0},
                        {"03", 0},  {"99", 0},  {"05", 0},  {"11", 0},  {"81", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("step code ") + row.code);
        const Applied a = apply(std::string("S1") + row.code + "0128");
        EXPECT_TRUE(a.ok);
        const Log labels = row.label == 0 ? Log{} : stepLabels(row.label);
        EXPECT_EQ(a.log,
                  concat({{"panel3=TX Locked"}, labels, {"power=128"}, kCarrierOn, {"wait2 on"}}));
    }
}

TEST(Parser, PowerAndCarrierFields) {
    const Log head = concat({{"panel3=TX Locked"}, stepLabels(11)});
    checkCases({
        {"S1010000", true, concat({head, {"power=0"}, kCarrierOn, {"wait2 on"}})},
        {"S1010255", true, concat({head, {"power=255"}, kCarrierOn, {"wait2 on"}})},
        {"S1010007", true, concat({head, {"power=7"}, kCarrierOn, {"wait2 on"}})},
        // Outside the bar's range: fails after the step labels, before the carrier button.
        {"S1010256", false, head},
        {"S1010999", false, head},
        // Carrier flag: only 1 is "TX Off" on red.
        {"S1011128", true, concat({head, {"power=128"}, kCarrierOff, {"wait2 on"}})},
        {"S1012128", true, concat({head, {"power=128"}, kCarrierOn, {"wait2 on"}})},
        {"S1019128", true, concat({head, {"power=128"}, kCarrierOn, {"wait2 on"}})},
        {"S101x128", false, concat({head, {"power=128"}})},
        {"S101 128", false, concat({head, {"power=128"}})},
    });
}

TEST(Parser, NonNumericFieldStopsTheParseWhereItIsRead) {
    const Log locked = {"panel3=TX Locked"};
    const Log head = concat({locked, stepLabels(11)});
    checkCases({
        // Step code: panel 3 is written, then nothing more.
        {"S11x0128F1234567", false, locked},
        {"S1x10128F1234567", false, locked},
        {"S1 10128", false, locked},
        {"S1+10128", false, locked},
        {"S1-10128", false, locked},
        {"S1.10128", false, locked},
        {"S0", false, {"panel3=TX UnLocked"}},
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
        {"S1011", true, concat({head, {"power=11"}, kCarrierOff, {"wait2 on"}})},
        {"S101012", true, concat({head, {"power=12"}, kCarrierOn, {"wait2 on"}})},
    });
}

TEST(Parser, FrequencyRecordsTakeTheirCharactersUnchecked) {
    checkCases({
        {"H1234512", true, {"Label8=12345", "Label9=125", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234537", true, {"Label8=12345", "Label9=375", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234562", true, {"Label8=12345", "Label9=625", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234587", true, {"Label8=12345", "Label9=875", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234500", true, {"Label8=12345", "Label9=000", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234525", true, {"Label8=12345", "Label9=250", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234513", true, {"Label8=12345", "Label9=130", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H1234575", true, {"Label8=12345", "Label9=750", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H12345", true, {"Label8=12345", "Label9=0", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H123451", true, {"Label8=12345", "Label9=10", "wait1 on", "Label15.Caption=10 MHz"}},
        {"H12", true, {"Label8=12", "Label9=0", "wait1 on", "Label15.Caption=10 MHz"}},
        {"F12", true, {"Label8=12", "Label9=", "wait1 on"}},
        {"Fab c-xy", true, {"Label8=ab c", "Label9=-xy", "wait1 on"}},
        {"G123", true, concat({{"Label8=123", "Label9=", "wait1 on"}, kGCaptions})},
        {"G123456", true, concat({{"Label8=12345", "Label9=6", "wait1 on"}, kGCaptions})},
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
    EXPECT_EQ(last("Label14.Caption"), "10 MHz");
    EXPECT_EQ(last("Label15.Caption"), "10 MHz");
    EXPECT_EQ(last("Label11.Caption"), "500 KHz");
}

// Through the form: the stamp comes first whatever the text, and a failure reopens the port once
// after what was already written.
TEST(ParseReceived, StampsTheLastReceiveTimeForAnyText) {
    for (const char* text : {"", "X", "s", "S1x0128", "S1010999", "F1234567", "S1010128F12"}) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        Rig rig;
        rig.clock.set(13, 14, 15);
        rig.form.ParseReceived(text);
        ASSERT_TRUE(rig.form.fields().lastReceive.has_value());
        EXPECT_EQ(*rig.form.fields().lastReceive, txlink::TimeOfDay::fromHms(13, 14, 15));
    }
}

TEST(ParseReceived, EmptyAndSingleCharacterTextChangeNothingElse) {
    for (const char* text : {"", "S", "F", "x"}) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        Rig rig;
        rig.form.ParseReceived(text);
        EXPECT_TRUE(rig.log.entries.empty());
    }
}

TEST(ParseReceived, FailureKeepsWhatWasWrittenAndReopensThePortOnce) {
    const Log head = concat({{"panel3=TX Locked"}, stepLabels(11)});
    const std::vector<Case> cases = {
        {"S1010128F1234567", true, concat({kS1010128, kF1234567})},
        {"S11x0128F1234567", false, concat({{"panel3=TX Locked"}, kReopen})},
        {"S101012xF1234567", false, concat({head, kReopen})},
        {"S101x128F1234567", false, concat({head, {"power=128"}, kReopen})},
        {"S1010256F1234567", false, concat({head, kReopen})},
        // In the middle of a text: earlier records stay, later ones (even failing ones) are
        // dropped.
        {"F1234567S1x10128G7654321", false, concat({kF1234567, {"panel3=TX Locked"}, kReopen})},
        {"F1234567S101x128S11x0128", false, concat({kF1234567, head, {"power=128"}, kReopen})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        Rig rig;
        rig.form.ParseReceived(c.text);
        EXPECT_EQ(rig.log.entries, c.log);
        EXPECT_EQ(rig.log.count("PortOpen=0"), c.ok ? 0 : 1);
        EXPECT_EQ(rig.log.count("PortOpen=1"), c.ok ? 0 : 1);
        EXPECT_TRUE(rig.serial.open);
        EXPECT_TRUE(rig.serial.outputs.empty());
    }
}

TEST(ParseReceived, StampIsTakenBeforeTheRecordsAreApplied) {
    Rig rig;
    rig.clock.set(10, 0, 0);
    // The clock moves on as soon as anything is written.
    rig.log.onEntry = [&](const std::string&) { rig.clock.set(10, 0, 9); };
    rig.form.ParseReceived("F1234567S1x10128");
    EXPECT_EQ(rig.form.fields().lastReceive, txlink::TimeOfDay::fromHms(10, 0, 0));
}

TEST(ParseReceived, FailureToReopenReachesTheCaller) {
    Rig rig;
    rig.serial.openError = txlink::error::kPortNotDetected;
    try {
        rig.form.ParseReceived("S1x");
        FAIL() << "expected the reopen failure to propagate";
    } catch (const txlink::RuntimeError& e) {
        EXPECT_EQ(e.number(), txlink::error::kPortNotDetected);
    }
    EXPECT_EQ(rig.log.entries, (Log{"panel3=TX Locked", "PortOpen=0", "PortOpen=1"}));
    EXPECT_TRUE(rig.form.fields().lastReceive.has_value());
}

}  // namespace
