#include <gtest/gtest.h>

#include <string>

#include "txlink/TimeOfDay.h"

namespace {

using txlink::TimeOfDay;

TEST(TimeOfDay, FromSecondsWrapsOntoTheClockFace) {
    struct Row {
        int seconds;
        int expected;
        const char* text;
    };
    const Row rows[] = {
        {0, 0, "00:00:00"},       {59, 59, "00:00:59"},       {60, 60, "00:01:00"},
        {3661, 3661, "01:01:01"}, {43200, 43200, "12:00:00"}, {86399, 86399, "23:59:59"},
        {86400, 0, "00:00:00"},   {86401, 1, "00:00:01"},     {2 * 86400 + 5, 5, "00:00:05"},
        {-1, 86399, "23:59:59"},  {-86400, 0, "00:00:00"},    {-86401, 86399, "23:59:59"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seconds);
        const TimeOfDay t = TimeOfDay::fromSeconds(row.seconds);
        EXPECT_EQ(t.secondsSinceMidnight(), row.expected);
        EXPECT_EQ(t.toString(), row.text);
    }
    EXPECT_EQ(TimeOfDay().toString(), "00:00:00");
    EXPECT_EQ(TimeOfDay::fromHms(9, 5, 7).toString(), "09:05:07");
    EXPECT_EQ(TimeOfDay::fromHms(24, 0, 1).toString(), "00:00:01");
}

TEST(TimeOfDay, SecondsBetweenRunsForwardThroughMidnight) {
    const auto hms = TimeOfDay::fromHms;
    struct Row {
        TimeOfDay earlier, later;
        int expected;
    };
    const Row rows[] = {
        {hms(12, 0, 0), hms(12, 0, 0), 0},      {hms(12, 0, 0), hms(12, 0, 4), 4},
        {hms(23, 59, 59), hms(0, 0, 0), 1},     {hms(23, 59, 57), hms(0, 0, 1), 4},
        {hms(0, 0, 0), hms(23, 59, 59), 86399}, {hms(0, 0, 1), hms(23, 59, 58), 86397},
        {hms(12, 0, 5), hms(12, 0, 4), 86399},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.earlier.toString() + " -> " + row.later.toString());
        EXPECT_EQ(txlink::secondsBetween(row.earlier, row.later), row.expected);
    }
}

}  // namespace
