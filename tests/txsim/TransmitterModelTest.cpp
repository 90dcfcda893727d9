#include <gtest/gtest.h>

#include <QList>

#include <optional>

#include "TransmitterModel.h"

namespace {

using txsim::TransmitterModel;
using Format = TransmitterModel::Format;

struct CommandCase {
    const char* name;
    Format format;
    QByteArray before;  // commands applied first, back to back
    QByteArray command;
    QList<QByteArray> answer;
};

class TransmitterModelCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(TransmitterModelCommand, AnswersWithTheseRecords) {
    const CommandCase& c = GetParam();
    TransmitterModel model(c.format);
    for (qsizetype i = 0; i + 1 < c.before.size(); i += 2)
        model.handle(c.before.sliced(i, 2));
    EXPECT_EQ(model.handle(c.command), c.answer);
}

// Defaults: locked, first step, carrier off, power 128; F 1296.000, G 10368.00, H 2320.000 MHz.
INSTANTIATE_TEST_SUITE_P(
    Commands, TransmitterModelCommand,
    testing::Values(
        CommandCase{"StatusRequestF", Format::F, "", "2a", {"S1010128", "F1296000"}},
        CommandCase{"StatusRequestG", Format::G, "", "2a", {"S1010128", "G1036800"}},
        CommandCase{"StatusRequestH", Format::H, "", "2a", {"S1010128", "H0232000"}},
        CommandCase{"StepSecond", Format::F, "", "1a", {"S1020128"}},
        CommandCase{"StepFourth", Format::F, "1a1a", "1a", {"S1080128"}},
        CommandCase{"StepFifth", Format::F, "1a1a1a", "1a", {"S1400128"}},
        CommandCase{"StepWrapsToFirst", Format::F, "1a1a1a1a", "1a", {"S1010128"}},
        CommandCase{"UpBy125kHz", Format::F, "", "3a", {"F1296125"}},
        CommandCase{"DownBy125kHz", Format::F, "", "4a", {"F1295875"}},
        CommandCase{"UpBy1MHz", Format::F, "1a1a1a", "3a", {"F1297000"}},
        CommandCase{"UpBy5MHz", Format::F, "1a1a1a1a", "3a", {"F1301000"}},
        CommandCase{"GUpBy500kHz", Format::G, "", "3a", {"G1036850"}},
        CommandCase{"GUpBy25MHz", Format::G, "1a1a1a1a", "3a", {"G1039300"}},
        CommandCase{"HUpBy125kHzShowsPair12", Format::H, "", "3a", {"H0232012"}},
        CommandCase{"HDownShowsPair87", Format::H, "", "4a", {"H0231987"}},
        CommandCase{"HUpBy10MHz", Format::H, "1a1a1a1a", "3a", {"H0233000"}},
        CommandCase{"PowerUp", Format::F, "", "5a", {"S1010129"}},
        CommandCase{"PowerDown", Format::F, "", "6a", {"S1010127"}},
        CommandCase{"CarrierOn", Format::F, "", "7a", {"S1011128"}},
        CommandCase{"CarrierOffAgain", Format::F, "7a", "7a", {"S1010128"}},
        CommandCase{
            "StateCarriesIntoStatus", Format::F, "1a7a5a5a", "2a", {"S1021130", "F1296000"}},
        CommandCase{"DigitOutOfRange", Format::F, "", "8a", {}},
        // G's steps follow its captions to the 10 MHz step too, and H's 10 MHz is its fifth.
        CommandCase{"GUpBy10MHz", Format::G, "1a1a1a", "3a", {"G1037800"}},
        CommandCase{"HDownBy1MHz", Format::H, "1a1a1a", "4a", {"H0231900"}},
        CommandCase{"WrongLetter", Format::F, "", "2A", {}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

struct LimitCase {
    const char* name;
    Format format;
    bool locked;
    int power;
    qint64 frequencyKhz;
    QByteArray command;
    QByteArray answer;
};

class TransmitterModelLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(TransmitterModelLimit, StaysWithinWhatTheRecordShows) {
    const LimitCase& c = GetParam();
    TransmitterModel model(c.format);
    model.setLocked(c.locked);
    model.setPower(c.power);
    model.setFrequencyKhz(c.frequencyKhz);
    const QList<QByteArray> answer = model.handle(c.command);
    ASSERT_EQ(answer.size(), 1);
    EXPECT_EQ(answer.front(), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, TransmitterModelLimit,
    testing::Values(LimitCase{"PowerStopsAt255", Format::F, true, 255, 1'296'000, "5a", "S1010255"},
                    LimitCase{"PowerStopsAt0", Format::F, true, 0, 1'296'000, "6a", "S1010000"},
                    LimitCase{"Unlocked", Format::F, false, 7, 1'296'000, "7a", "S0011007"},
                    LimitCase{"FStopsAtTop", Format::F, true, 1, 9'999'900, "3a", "F9999999"},
                    LimitCase{"FStopsAtZero", Format::F, true, 1, 50, "4a", "F0000000"},
                    LimitCase{"GStopsAtTop", Format::G, true, 1, 99'999'990, "3a", "G9999999"},
                    LimitCase{"GStopsAtZero", Format::G, true, 1, 300, "4a", "G0000000"},
                    LimitCase{"HStopsAtTop", Format::H, true, 1, 99'999'875, "3a", "H9999987"},
                    LimitCase{"HStopsAtZero", Format::H, true, 1, 100, "4a", "H0000000"}),
    [](const testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

struct RasterCase {
    const char* name;
    Format format;
    qint64 setKhz;
    QByteArray record;
};

class TransmitterModelRaster : public testing::TestWithParam<RasterCase> {};

// The panel rebuilds an H record's third kHz digit from the pair, so every 125 kHz point must
// come out as a pair it completes correctly.
TEST_P(TransmitterModelRaster, FrequencyRecordDigits) {
    const RasterCase& c = GetParam();
    TransmitterModel model(c.format);
    model.setFrequencyKhz(c.setKhz);
    EXPECT_EQ(model.frequencyRecord(), c.record);
}

INSTANTIATE_TEST_SUITE_P(Formats, TransmitterModelRaster,
                         testing::Values(RasterCase{"F1296001", Format::F, 1'296'001, "F1296001"},
                                         RasterCase{"F144300", Format::F, 144'300, "F0144300"},
                                         RasterCase{"G10368017", Format::G, 10'368'017, "G1036801"},
                                         RasterCase{"H2320000", Format::H, 2'320'000, "H0232000"},
                                         RasterCase{"H2320130", Format::H, 2'320'130, "H0232012"},
                                         RasterCase{"H2320250", Format::H, 2'320'250, "H0232025"},
                                         RasterCase{"H2320374", Format::H, 2'320'374, "H0232025"},
                                         RasterCase{"H2320375", Format::H, 2'320'375, "H0232037"},
                                         RasterCase{"H2320500", Format::H, 2'320'500, "H0232050"},
                                         RasterCase{"H2320625", Format::H, 2'320'625, "H0232062"},
                                         RasterCase{"H2320750", Format::H, 2'320'750, "H0232075"},
                                         RasterCase{"H2320875", Format::H, 2'320'875, "H0232087"}),
                         [](const testing::TestParamInfo<RasterCase>& info) {
                             return info.param.name;
                         });

// The faults the tuning must notice: a Step that does not take, and a band edge beyond which
// up and down do nothing while the record still comes.
TEST(TransmitterModelFaults, AStuckStepAndABandEdge) {
    TransmitterModel stuck(Format::F);
    stuck.setStepSticks(true);
    EXPECT_EQ(stuck.handle("1a"), QList<QByteArray>{"S1010128"});
    EXPECT_EQ(stuck.handle("3a"), QList<QByteArray>{"F1296125"});

    struct EdgeCase {
        const char* commands;
        QByteArray last;
    };
    const EdgeCase cases[] = {
        {"3a3a3a3a", "F1296375"},    // 1296.375 is the top: the fourth up does nothing
        {"4a4a4a", "F1295875"},      // 1295.875 the bottom
        {"1a1a1a1a3a", "F1296000"},  // 5 MHz up would leave the band
        {"3a3a3a3a4a", "F1296250"},  // and down from the top moves again
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.commands);
        TransmitterModel edged(Format::F);
        edged.setBandKhz(1'295'875, 1'296'375);
        QList<QByteArray> answer;
        const QByteArray commands(c.commands);
        for (qsizetype i = 0; i + 1 < commands.size(); i += 2)
            answer = edged.handle(commands.sliced(i, 2));
        EXPECT_EQ(answer, QList<QByteArray>{c.last});
    }
}

}  // namespace
