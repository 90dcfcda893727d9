// Hamlib's network radio protocol: the answers Hamlib's own rigctld gives, in the plain and the
// extended form, for what this transmitter offers; "not available" for the rest.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rigctl/Protocol.h"

namespace {

using rigctl::LineSplitter;

txlink::Shown reported(std::string megahertz, std::string fraction) {
    txlink::Shown shown;
    shown.megahertz = std::move(megahertz);
    shown.fraction = std::move(fraction);
    shown.carrierOn = false;
    shown.power = 128;
    shown.linkUp = true;
    return shown;
}

class FakeTransmitter final : public rigctl::Transmitter {
public:
    txlink::Shown display = reported("1296", "125");
    txlink::Status answer = txlink::Status::success();
    std::vector<std::pair<bool, Requester>> requests;

    const txlink::Shown& shown() const override { return display; }
    txlink::Status requestCarrier(bool on, Requester requester) override {
        requests.emplace_back(on, requester);
        return answer;
    }
    void requesterGone(Requester) override {}
    std::optional<txlink::FrequencyKind> kind;
    void tuneTo(txlink::Hertz, Requester, TuneFinished) override {}
    std::optional<txlink::FrequencyKind> reportedKind() const override { return kind; }
};

std::string answerTo(const std::string& line, FakeTransmitter& transmitter) {
    return rigctl::respond(rigctl::parseRequest(line), transmitter, 42).text;
}

TEST(Protocol, AnswersAsHamlibsServerDoes) {
    struct Case {
        const char* line;
        const char* answer;
    };
    const Case cases[] = {
        {"f", "1296125000\n"},
        {"\\get_freq", "1296125000\n"},
        {"  f \r", "1296125000\n"},
        {"+f", "get_freq:\nFrequency: 1296125000\nRPRT 0\n"},
        {";f", "get_freq:;Frequency: 1296125000;RPRT 0\n"},
        {"|\\get_freq", "get_freq:|Frequency: 1296125000|RPRT 0\n"},
        {"t", "0\n"},
        {"+t", "get_ptt:\nPTT: 0\nRPRT 0\n"},
        {"l RFPOWER", "0.501961\n"},
        {"+l RFPOWER", "get_level: RFPOWER\n0.501961\nRPRT 0\n"},
        {"l AF", "RPRT -11\n"},
        {"+l AF", "get_level: AF\nRPRT -11\n"},
        {"l", "RPRT -1\n"},
        {"v", "VFOA\n"},
        {"m", "CW\n0\n"},
        {",m", "get_mode:,Mode: CW,Passband: 0,RPRT 0\n"},
        {"s", "0\nVFOA\n"},
        {"\\chk_vfo", "0\n"},
        {"+\\chk_vfo", "ChkVFO: 0\n"},
        {"F", "RPRT -1\n"},
        {"+F 145000000.5", "set_freq: 145000000.5\nRPRT -1\n"},
        {"F VFOA 145000000", "RPRT -1\n"},
        {"F 1e9", "RPRT -1\n"},
        {"T 4", "RPRT -1\n"},
        {"+T on", "set_ptt: on\nRPRT -1\n"},
        {"f VFOA", "RPRT -1\n"},
        {"M CW 0", "RPRT -11\n"},
        {"x", "RPRT -11\n"},
        {"ff", "RPRT -11\n"},
        {"\\get_powerstat", "RPRT -11\n"},
        {"", ""},
        {"+", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FakeTransmitter transmitter;
        EXPECT_EQ(answerTo(c.line, transmitter), c.answer);
        EXPECT_TRUE(transmitter.requests.empty());
    }
}

TEST(Protocol, SaysWhenTheTransmitterHasToldNothingUsable) {
    FakeTransmitter silent;
    silent.display = txlink::Shown{};
    for (const char* line : {"f", "t", "l RFPOWER"}) {
        EXPECT_EQ(answerTo(line, silent), "RPRT -5\n") << line;
    }
    EXPECT_EQ(answerTo("+t", silent), "get_ptt:\nRPRT -5\n");

    FakeTransmitter garbled;
    garbled.display = reported("12a4", "000");
    EXPECT_EQ(answerTo("f", garbled), "RPRT -8\n");

    // The last values of a link that went down are not the transmitter's answer any more.
    for (const std::optional<bool> link : {std::optional<bool>(false), std::optional<bool>()}) {
        FakeTransmitter unheard;
        unheard.display.linkUp = link;
        for (const char* line : {"f", "t", "l RFPOWER", "T 1", "T 0"}) {
            EXPECT_EQ(answerTo(line, unheard), "RPRT -5\n") << line;
        }
        EXPECT_TRUE(unheard.requests.empty());
        EXPECT_EQ(answerTo("v", unheard), "VFOA\n");  // what is no report still answers
    }
}

TEST(Protocol, SetPttAsksTheTransmitterAndReportsItsVerdict) {
    struct Case {
        const char* line;
        bool on;
        std::optional<int> refusal;  // the transmitter's error number
        const char* answer;
    };
    const Case cases[] = {
        {"T 1", true, std::nullopt, "RPRT 0\n"},
        {"\\set_ptt 3", true, std::nullopt, "RPRT 0\n"},
        {"+T 0", false, std::nullopt, "set_ptt: 0\nRPRT 0\n"},
        {"T 1", true, txlink::error::kCarrierUnknown, "RPRT -9\n"},
        {"T 0", false, txlink::error::kLinkDown, "RPRT -9\n"},
        {"T 1", true, txlink::error::kPortNotOpen, "RPRT -6\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FakeTransmitter transmitter;
        if (c.refusal) {
            transmitter.answer = txlink::Error{*c.refusal, "refused"};
        }
        EXPECT_EQ(answerTo(c.line, transmitter), c.answer);
        EXPECT_EQ(transmitter.requests,
                  (std::vector<std::pair<bool, rigctl::Transmitter::Requester>>{{c.on, 42}}));
    }
}

// The steps listed are those of the kind of frequency record in force; the start-up window's
// (the F kind's) before any has come.
TEST(Protocol, StateDescriptionListsTheStepsInForceAndPttByCommand) {
    const std::pair<std::optional<txlink::FrequencyKind>, const char*> kinds[] = {
        {std::nullopt, "0x2 125000\n0x2 250000\n0x2 500000\n0x2 1000000\n0x2 5000000\n0 0\n"},
        {txlink::FrequencyKind::F,
         "0x2 125000\n0x2 250000\n0x2 500000\n0x2 1000000\n0x2 5000000\n0 0\n"},
        {txlink::FrequencyKind::G,
         "0x2 500000\n0x2 1000000\n0x2 5000000\n0x2 10000000\n0x2 25000000\n0 0\n"},
        {txlink::FrequencyKind::H,
         "0x2 125000\n0x2 250000\n0x2 500000\n0x2 1000000\n0x2 10000000\n0 0\n"},
    };
    for (const auto& [kind, steps] : kinds) {
        FakeTransmitter transmitter;
        transmitter.kind = kind;
        const std::string plain = answerTo("\\dump_state", transmitter);
        EXPECT_EQ(plain, rigctl::stateDescription(kind));
        EXPECT_TRUE(plain.starts_with("1\n"));  // protocol version 1
        EXPECT_TRUE(plain.ends_with("\ndone\n"));
        // The steps follow the end of the transmit ranges, and end the list.
        EXPECT_NE(plain.find("0 0 0 0 0 0 0\n" + std::string(steps) + "0 0\n0\n"),
                  std::string::npos)
            << plain;
        for (const char* line : {"\nhas_set_freq=1\n", "\nhas_get_freq=1\n", "\nptt_type=0x1\n"}) {
            EXPECT_NE(plain.find(line), std::string::npos) << line;
        }
        EXPECT_EQ(answerTo("+\\dump_state", transmitter), "dump_state:\n" + plain + "RPRT 0\n");
    }
}

// set_freq asks for a tune; its answer comes when the tune has ended.
TEST(Protocol, SetFrequencyAsksForATuneWithAWholeNumberOfHertz) {
    const std::pair<const char*, txlink::Hertz>
        cases[] =
            {
                {"F 1301625000", 1301625000},
                {"F 1301625000.000000", 1301625000},  // as Hamlib's clients send it
                {"\\set_freq 1296875000", 1296875000},
                {"+F 10368000000", 10368000000},
                {"F 0", 0},
            };
    for (const auto& [line, hertz] : cases) {
        SCOPED_TRACE(line);
        FakeTransmitter transmitter;
        const rigctl::Answer answer = rigctl::respond(rigctl::parseRequest(line), transmitter, 42);
        EXPECT_EQ(answer.tune, hertz);
        EXPECT_TRUE(answer.text.empty());
    }
}

TEST(Protocol, TheTunesEndIsAnsweredWithHamlibsErrorForIt) {
    using txlink::TuningEnd;
    const std::pair<TuningEnd, int> cases[] = {
        {TuningEnd::Reached, 0},      {TuningEnd::Unreachable, -1}, {TuningEnd::CarrierOn, -9},
        {TuningEnd::NotReported, -5}, {TuningEnd::LinkDown, -5},    {TuningEnd::NoReport, -5},
        {TuningEnd::Reloaded, -6},    {TuningEnd::Operator, -14},   {TuningEnd::Replaced, -14},
        {TuningEnd::DidNotMove, -17}, {TuningEnd::StepStuck, -8},   {TuningEnd::Disagreed, -8},
    };
    for (const auto& [end, code] : cases) {
        txlink::TuningOutcome outcome;
        outcome.end = end;
        const std::string plain = "RPRT " + std::to_string(code) + "\n";
        EXPECT_EQ(rigctl::tuneAnswer(rigctl::parseRequest("F 1301625000"), outcome), plain);
        EXPECT_EQ(rigctl::tuneAnswer(rigctl::parseRequest("+F 1301625000"), outcome),
                  "set_freq: 1301625000\n" + plain);
    }
    EXPECT_EQ(rigctl::stillTuningAnswer(rigctl::parseRequest(";\\set_freq 1301625000")),
              "set_freq: 1301625000;RPRT -5\n");
}

TEST(Protocol, FrequencyIsTheDisplayedDecimalInHertz) {
    struct Case {
        const char* megahertz;
        const char* fraction;
        std::optional<std::uint64_t> hz;
    };
    const Case cases[] = {
        {"1296", "000", 1296000000},       {"10368", "25", 10368250000},
        {"02320", "375", 2320375000},      {"0144", "5", 144500000},
        {"1296", "", 1296000000},          {"999999999", "999999", 999999999999999},
        {"", "000", std::nullopt},         {"12a4", "000", std::nullopt},
        {"1296", "0 0", std::nullopt},     {"1296", "-12", std::nullopt},
        {"1234567890", "0", std::nullopt}, {"1296", "1234567", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rigctl::frequencyHz(c.megahertz, c.fraction), c.hz)
            << c.megahertz << "." << c.fraction;
    }
}

std::vector<std::string> linesOf(const std::vector<LineSplitter::Piece>& pieces) {
    std::vector<std::string> lines;
    for (const LineSplitter::Piece& piece : pieces) {
        lines.push_back(piece.overlong ? "<overlong>" : piece.line);
    }
    return lines;
}

TEST(LineSplitter, JoinsPiecesAndDropsOverlongLinesOnce) {
    LineSplitter splitter;
    EXPECT_EQ(linesOf(splitter.feed("f\n+")), std::vector<std::string>{"f"});
    EXPECT_EQ(linesOf(splitter.feed("t")), std::vector<std::string>{});
    EXPECT_EQ(linesOf(splitter.feed("\n\n")), (std::vector<std::string>{"+t", ""}));

    const std::string longest(LineSplitter::kMaxLineLength, 'x');
    EXPECT_EQ(linesOf(splitter.feed(longest + "\n")), std::vector<std::string>{longest});
    EXPECT_EQ(linesOf(splitter.feed(longest.substr(1))), std::vector<std::string>{});
    EXPECT_EQ(linesOf(splitter.feed("yz")), std::vector<std::string>{"<overlong>"});
    EXPECT_EQ(linesOf(splitter.feed(std::string(5000, 'z'))), std::vector<std::string>{});
    EXPECT_EQ(linesOf(splitter.feed("z\nf\n")), std::vector<std::string>{"f"});
}

}  // namespace
