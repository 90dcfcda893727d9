// When text waiting from the line goes on to the parser: whole records at once, a partial record
// after the quiet gap, anything after the longest hold.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "txlink/RecordFramer.h"

namespace {

using namespace std::chrono_literals;
using txlink::RecordFramer;

struct Event {
    enum Kind { Arrive, Wake } kind;
    int atMs;
    std::string bytes;  // Arrive
    int unread = 0;     // Wake: bytes the driver still holds
};

Event arrive(int atMs, std::string bytes) {
    return {Event::Arrive, atMs, std::move(bytes)};
}
Event wake(int atMs, int unread = 0) {
    return {Event::Wake, atMs, {}, unread};
}

struct Delivery {
    int atMs;
    std::string text;
    bool operator==(const Delivery&) const = default;
};

void PrintTo(const Delivery& d, std::ostream* out) {
    *out << "\"" << d.text << "\" at " << d.atMs << " ms";
}

struct Case {
    const char* name;
    std::vector<Event> events;
    std::vector<Delivery> delivered;
    int nextWakeMs;  // after the last event; -1 for none
};

// Plays the events as the serial link would, handing on the text whenever it is ready.
std::vector<Delivery> play(RecordFramer& framer, const std::vector<Event>& events) {
    const RecordFramer::TimePoint origin{};
    std::vector<Delivery> delivered;
    for (const Event& e : events) {
        const auto at = origin + std::chrono::milliseconds(e.atMs);
        if (e.kind == Event::Arrive) {
            framer.bytesArrived(e.bytes, at);
        } else {
            framer.wake(at, e.unread);
        }
        if (framer.readyToDeliver()) {
            delivered.push_back({e.atMs, framer.takeText()});
        }
    }
    return delivered;
}

// The rules, on round figures: a 20 ms quiet gap and a 100 ms longest hold.
TEST(RecordFramer, DeliversWholeRecordsAtOnceAndPiecesOnlyAfterQuietOrTheLongestHold) {
    const Case cases[] = {
        {"a whole record goes at once", {arrive(0, "S1010128")}, {{0, "S1010128"}}, -1},
        {"two records in one read", {arrive(0, "S1010128F1234567")}, {{0, "S1010128F1234567"}}, -1},
        {"a record split in two pieces is joined",
         {arrive(0, "S101"), wake(5), arrive(10, "0128"), wake(10)},
         {{10, "S1010128"}},
         -1},
        {"a piece waits for the quiet gap", {arrive(0, "F12"), wake(19)}, {}, 20},
        {"a lone piece goes after the quiet gap", {arrive(0, "F12"), wake(20)}, {{20, "F12"}}, -1},
        {"each byte restarts the gap",
         {arrive(0, "S"), arrive(15, "1"), wake(20), arrive(30, "0"), wake(45), wake(50)},
         {{50, "S10"}},
         -1},
        {"bytes still in the driver mean the line was not quiet",
         {arrive(0, "S101"), wake(20, 4)},
         {},
         100},
        {"their arrival starts the gap again",
         {arrive(0, "S101"), wake(20, 4), arrive(21, "012"), wake(41)},
         {{41, "S101012"}},
         -1},
        {"a trickle that never completes a record goes after the longest hold",
         {arrive(0, "x"), arrive(15, "y"), arrive(30, "z"), arrive(45, "w"), arrive(60, "v"),
          arrive(75, "u"), arrive(90, "t"), wake(99), wake(100)},
         {{100, "xyzwvut"}},
         -1},
        {"the longest hold does not wait for the driver",
         {arrive(0, "abc"), wake(100, 5)},
         {{100, "abc"}},
         -1},
        {"after a delivery the hold starts afresh",
         {arrive(0, "S1010128"), arrive(50, "F1"), wake(70)},
         {{0, "S1010128"}, {70, "F1"}},
         -1},
        // A line that never pauses and never ends a read on a record boundary: the time of each
        // read bounds the wait, the whole records go, the partial one waits for the next read.
        {"a flood goes in whole records once the hold is reached, without a wake-up",
         {arrive(0, "S10101"), arrive(40, "28F123"), arrive(80, "4567S1"), arrive(100, "010128F")},
         {{100, "S1010128F1234567S1010128"}},
         120},
        {"the partial record then waits afresh",
         {arrive(0, "S10101"), arrive(40, "28F123"), arrive(80, "4567S1"), arrive(100, "010128F"),
          arrive(110, "1234567")},
         {{100, "S1010128F1234567S1010128"}, {110, "F1234567"}},
         -1},
        {"nothing waits, nothing to wake for", {wake(10)}, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordFramer framer(RecordFramer::Timing{20ms, 100ms});
        EXPECT_EQ(play(framer, c.events), c.delivered);
        const auto next = framer.nextWake();
        if (c.nextWakeMs < 0) {
            EXPECT_FALSE(next.has_value());
        } else {
            ASSERT_TRUE(next.has_value());
            EXPECT_EQ(*next - RecordFramer::TimePoint{}, std::chrono::milliseconds(c.nextWakeMs));
        }
    }
}

// A USB adapter holds a partial packet up to its latency timer and the scheduler adds its own
// delay: records split by pauses of up to 50 ms must still be shown whole, while whole records
// still go at once.
TEST(RecordFramer, TheLineSTimingJoinsRecordsSplitByPausesOfUpTo50Ms) {
    for (const int pauseMs : {1, 16, 22, 35, 50}) {
        for (const std::size_t splitAfter : {1u, 4u, 7u}) {
            SCOPED_TRACE("split after " + std::to_string(splitAfter) + ", pause " +
                         std::to_string(pauseMs) + " ms");
            const std::string record = "S1021215";
            RecordFramer framer;
            std::vector<Event> events = {arrive(0, record.substr(0, splitAfter))};
            // The wake-ups the link would ask for before the rest arrives.
            for (int t = 10; t < pauseMs; t += 10) {
                events.push_back(wake(t));
            }
            events.push_back(arrive(pauseMs, record.substr(splitAfter)));
            events.push_back(wake(pauseMs));
            EXPECT_EQ(play(framer, events), (std::vector<Delivery>{{pauseMs, record}}));
        }
    }
    RecordFramer framer;
    EXPECT_EQ(play(framer, {arrive(0, "F1234567"), wake(0)}),
              (std::vector<Delivery>{{0, "F1234567"}}));
}

// However much arrives in one read, what waits stays bounded and what goes is whole records.
TEST(RecordFramer, WhatWaitsIsBoundedInSize) {
    RecordFramer framer;
    const std::string records(RecordFramer::kMostWaiting, 'F');  // a whole number of records
    const std::vector<Delivery> delivered =
        play(framer, {arrive(0, records.substr(0, 5)), arrive(1, records + "12345")});
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].text.size(), RecordFramer::kMostWaiting + 8);
    EXPECT_FALSE(framer.empty()) << "the partial record waits";
}

TEST(RecordFramer, ClearForgetsWhatWaits) {
    RecordFramer framer;
    framer.bytesArrived("S101", RecordFramer::TimePoint{});
    framer.clear();
    EXPECT_TRUE(framer.empty());
    EXPECT_FALSE(framer.nextWake().has_value());
    framer.wake(RecordFramer::TimePoint{} + 1s, 0);
    EXPECT_FALSE(framer.readyToDeliver());
}

}  // namespace
