#include <gtest/gtest.h>

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

#include <chrono>
#include <functional>

#include "SimOptions.h"

namespace {

using namespace std::chrono_literals;
using txsim::SimOptions;
using txsim::TransmitterModel;

struct OptionsCase {
    const char* name;
    QStringList arguments;
    // Empty when the arguments must be refused.
    std::function<bool(const SimOptions&)> holds;
};

class SimOptionsCase : public testing::TestWithParam<OptionsCase> {};

TEST_P(SimOptionsCase, ReadsOrRefuses) {
    const OptionsCase& c = GetParam();
    const auto options = SimOptions::parse(QStringList{"vora-txsim"} + c.arguments);
    if (!c.holds) {
        ASSERT_FALSE(options.ok());
        EXPECT_FALSE(options.error().reason.empty());
        return;
    }
    ASSERT_TRUE(options.ok()) << options.error().reason;
    EXPECT_TRUE(c.holds(*options));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, SimOptionsCase,
    testing::Values(
        OptionsCase{"Defaults",
                    {},
                    [](const SimOptions& o) {
                        return o.format == TransmitterModel::Format::F && o.port == 0 &&
                               o.statusInterval == 1000ms && o.byteGap == 0us &&
                               o.splitRecord == 0 && !o.hangupAfter && !o.silenceAfter;
                    }},
        OptionsCase{"FormatLowerCase",
                    {"--format", "h"},
                    [](const SimOptions& o) { return o.format == TransmitterModel::Format::H; }},
        OptionsCase{"FormatUnknown", {"--format", "K"}, {}},
        OptionsCase{"Port0", {"--port", "0"}, {}}, OptionsCase{"Port10", {"--port", "10"}, {}},
        OptionsCase{"Split",
                    {"--split", "2:7"},
                    [](const SimOptions& o) { return o.splitRecord == 2 && o.splitAfter == 7; }},
        OptionsCase{"SplitAfterWholeRecord", {"--split", "1:8"}, {}},
        OptionsCase{"SplitRecordZero", {"--split", "0:3"}, {}},
        OptionsCase{"BytePacingAt9600Baud",
                    {"--byte-pacing"},
                    [](const SimOptions& o) { return o.byteGap == 1042us; }},
        OptionsCase{"ByteGapAlonePaces",
                    {"--byte-gap-us", "500"},
                    [](const SimOptions& o) { return o.byteGap == 500us; }},
        OptionsCase{"FractionalSeconds",
                    {"--hangup-after", "0.25"},
                    [](const SimOptions& o) { return o.hangupAfter == 250ms; }},
        OptionsCase{"SilenceForAlone", {"--silence-for", "1"}, {}},
        OptionsCase{"Frequency",
                    {"--frequency", "1296.125"},
                    [](const SimOptions& o) { return o.frequencyKhz == 1'296'125; }},
        OptionsCase{"FrequencyTooHighForF", {"--frequency", "10368"}, {}},
        OptionsCase{"FrequencyFitsG",
                    {"--format", "G", "--frequency", "10368"},
                    [](const SimOptions& o) { return o.frequencyKhz == 10'368'000; }},
        OptionsCase{"Power256", {"--power", "256"}, {}},
        OptionsCase{"UnknownOption", {"--baud", "9600"}, {}},
        OptionsCase{"StuckStep", {"--stuck-step"}, [](const SimOptions& o) { return o.stuckStep; }},
        OptionsCase{
            "BandEdge",
            {"--band-edge", "1290:1300.5"},
            [](const SimOptions& o) {
                return o.bandKhz == std::pair<qint64, qint64>{1'290'000, 1'300'500} && !o.stuckStep;
            }},
        OptionsCase{"BandEdgeUpsideDown", {"--band-edge", "1300:1290"}, {}},
        OptionsCase{"BandEdgeOneEnd", {"--band-edge", "1300"}, {}}),
    [](const testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

// Every option is one entry of the help, a fault as much as any other: an entry is a line that
// begins with the option (after its indent), as the option list and any hand-written table do.
TEST(SimOptionsHelp, ListsEveryOptionOnce) {
    static const QRegularExpression kEntry(QStringLiteral("^\\s+(?:-\\w, )?(--[\\w-]+)"));
    QMap<QString, int> entries;
    for (const QString& line : SimOptions::helpText().split(u'\n')) {
        const auto match = kEntry.match(line);
        if (match.hasMatch())
            ++entries[match.captured(1)];
    }
    for (const char* fault :
         {"--byte-pacing", "--byte-gap-us", "--split", "--garbage", "--malformed", "--stuck-step",
          "--band-edge", "--silence-after", "--silence-for", "--hangup-after"})
        EXPECT_EQ(entries.value(QString::fromLatin1(fault)), 1) << fault;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        EXPECT_EQ(entry.value(), 1) << entry.key().toStdString();
}

}  // namespace
