#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <cstdlib>
#include <ostream>

#include "ui/monitor/LampShape.h"

namespace {

struct PaintCase {
    const char* name;
    bool lit;
    QColor expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const PaintCase& c, std::ostream* os) {
    *os << c.name;
}

// Antialiasing blends the rim's edge a little, so compare as the eye would.
::testing::AssertionResult looksLike(const QColor& actual, const QColor& expected) {
    const int distance = std::abs(actual.red() - expected.red()) +
                         std::abs(actual.green() - expected.green()) +
                         std::abs(actual.blue() - expected.blue());
    if (distance <= 120 && actual.alpha() >= 192) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual.name(QColor::HexArgb).toStdString() << " is not "
                                         << expected.name().toStdString();
}

class LampShapePaint : public ::testing::TestWithParam<PaintCase> {};

TEST_P(LampShapePaint, FillsACentredCircleWithAWhiteRimAndLeavesTheCornersClear) {
    ui::monitor::LampShape lamp(QStringLiteral("Link lamp"), GetParam().lit);
    lamp.resize(25, 17);
    QImage image(lamp.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    lamp.render(&image, {}, {}, QWidget::DrawChildren);

    EXPECT_TRUE(looksLike(image.pixelColor(12, 8), GetParam().expected));
    EXPECT_TRUE(looksLike(image.pixelColor(12, 0), Qt::white));
    EXPECT_TRUE(looksLike(image.pixelColor(4, 8), Qt::white));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(24, 16).alpha(), 0);
    // The circle is as wide as the box is high, so the sides of the box stay clear.
    EXPECT_EQ(image.pixelColor(1, 8).alpha(), 0);
    EXPECT_EQ(image.pixelColor(23, 8).alpha(), 0);
}

INSTANTIATE_TEST_SUITE_P(States, LampShapePaint,
                         ::testing::Values(PaintCase{"LitRed", true, QColor(255, 0, 0)},
                                           PaintCase{"OutBlack", false, QColor(0, 0, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LampShape, AssistiveTechnologyHearsWhetherItIsLitOrOut) {
    ui::monitor::LampShape lamp(QStringLiteral("Receive lamp"), false);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&lamp);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Receive lamp"));

    const struct {
        bool fill;
        const char* description;
    } writes[] = {{false, "out"}, {true, "lit"}, {true, "lit"}, {false, "out"}, {true, "lit"}};
    EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("out"));
    for (const auto& write : writes) {
        lamp.setLit(write.fill);
        EXPECT_EQ(lamp.lit(), write.fill);
        EXPECT_EQ(accessible->text(QAccessible::Description), QLatin1String(write.description));
    }
}

}  // namespace
