#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>

#include <chrono>

#include "LinePacer.h"

namespace {

using namespace std::chrono_literals;
using txsim::LinePacer;
using Piece = LinePacer::Piece;

struct SliceCase {
    const char* name;
    std::chrono::microseconds byteGap;
    int splitAfter;
    QList<Piece> pieces;
};

class LinePacerSlice : public testing::TestWithParam<SliceCase> {};

TEST_P(LinePacerSlice, CutsTheRecordForTheLine) {
    const SliceCase& c = GetParam();
    EXPECT_EQ(LinePacer::slice("S1010128", "tx", c.byteGap, c.splitAfter, 50ms), c.pieces);
}

QList<Piece> paced(std::chrono::microseconds gap) {
    QList<Piece> pieces;
    for (char c : QByteArray("S1010128"))
        pieces.append({QByteArray(1, c), gap, {}});
    pieces.back().note = "tx";
    return pieces;
}

QList<Piece> pacedWithSplitAfter(int after, std::chrono::microseconds gap) {
    QList<Piece> pieces = paced(gap);
    pieces[after - 1].pauseAfter = 50ms;
    return pieces;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LinePacerSlice,
    testing::Values(SliceCase{"Whole", 0us, 0, {{"S1010128", 0us, "tx"}}},
                    SliceCase{"SplitAfter3", 0us, 3, {{"S10", 50ms, {}}, {"10128", 0us, "tx"}}},
                    SliceCase{"SplitAfter1", 0us, 1, {{"S", 50ms, {}}, {"1010128", 0us, "tx"}}},
                    SliceCase{"SplitAfter7", 0us, 7, {{"S101012", 50ms, {}}, {"8", 0us, "tx"}}},
                    SliceCase{"SplitAtTheEndIsNone", 0us, 8, {{"S1010128", 0us, "tx"}}},
                    SliceCase{"ByteByByte", 1042us, 0, paced(1042us)},
                    SliceCase{"ByteByByteSplit", 1042us, 3, pacedWithSplitAfter(3, 1042us)}),
    [](const testing::TestParamInfo<SliceCase>& info) { return info.param.name; });

}  // namespace

namespace {

// Below the timer's millisecond grain the pacer must still neither bunch bytes up early nor
// lose or reorder any.
TEST(LinePacerTiming, KeepsOrderAndTheAverageByteTime) {
    LinePacer pacer;
    QByteArray line;
    QList<QByteArray> notes;
    QObject::connect(&pacer, &LinePacer::bytesDue, [&line](const QByteArray& b) { line += b; });
    QObject::connect(&pacer, &LinePacer::written, [&notes](const QByteArray& n) { notes += n; });

    QElapsedTimer clock;
    clock.start();
    pacer.enqueue(LinePacer::slice("S1010128", "first", 1042us));
    pacer.enqueue(LinePacer::slice("F1296000", "second", 1042us));
    EXPECT_EQ(line, "S");  // the first byte goes out at once
    while (!pacer.idle() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    EXPECT_EQ(line, "S1010128F1296000");
    EXPECT_EQ(notes, (QList<QByteArray>{"first", "second"}));
    EXPECT_GE(clock.nsecsElapsed(), 15 * std::chrono::nanoseconds(1042us).count());
}

}  // namespace
