// The shared style: the window designs' colour numbers and twips become what the screen shows.

#include <gtest/gtest.h>

#include "ui/common/Style.h"

namespace {

TEST(Style, ColourNumbersAreRedPlus256GreenPlus65536Blue) {
    const struct {
        std::uint32_t number;
        QColor colour;
    } rows[] = {{0, QColor(0, 0, 0)},
                {255, QColor(255, 0, 0)},
                {65280, QColor(0, 255, 0)},
                {16711680, QColor(0, 0, 255)},
                {8454143, QColor(255, 255, 128)},
                {14737632, QColor(224, 224, 224)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(ui::common::colourNumber(row.number), row.colour);
    }
}

TEST(Style, TwipsBecomePixelsAtFifteenAPixelRoundedToTheNearest) {
    const struct {
        int twips;
        int pixels;
    } rows[] = {{0, 0}, {7, 0}, {8, 1}, {15, 1}, {45, 3}, {1440, 96}, {-120, -8}, {4365, 291}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.twips);
        EXPECT_EQ(ui::common::toPixels(row.twips), row.pixels);
    }
    EXPECT_EQ(ui::common::twipsRect(120, 1320, 3975, 1215), QRect(8, 88, 265, 81));
}

}  // namespace
