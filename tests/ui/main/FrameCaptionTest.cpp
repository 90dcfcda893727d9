#include <QGroupBox>
#include <QImage>

#include <functional>

#include "ProgramFixture.h"
#include "ui/monitor/LinkMonitor.h"

namespace {

// The frames' captions sit in their top border line, and that line shows on black.
class FrameCaption : public ProgramFixture {
protected:
    void SetUp() override { start(); }
};

struct FrameLook {
    const char* name;
    QGroupBox* frame;
    std::function<bool(QColor)> isCaption;
};

TEST_F(FrameCaption, CaptionSitsInAVisibleBorderLine) {
    ui::monitor::LinkMonitor monitor(store);
    const FrameLook frames[] = {
        {"Frame1", window().findChild<QGroupBox*>(QStringLiteral("Frame1")),
         [](QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() < 100; }},
        {"Frame2", monitor.findChild<QGroupBox*>(QStringLiteral("Frame2")),
         [](QColor c) { return c.green() > 150 && c.red() < 100 && c.blue() < 100; }},
    };
    for (const FrameLook& look : frames) {
        SCOPED_TRACE(look.name);
        ASSERT_NE(look.frame, nullptr);
        const QImage image = look.frame->grab().toImage();
        const int captionHeight = look.frame->fontMetrics().height();
        // The top line, read near the right edge, away from the caption: a grey light enough to
        // see on black.
        int borderRow = -1;
        for (int y = 0; y <= captionHeight && borderRow < 0; ++y) {
            const QColor c = image.pixelColor(image.width() - 8, y);
            if (c.lightness() >= 128 && qAbs(c.red() - c.blue()) < 30)
                borderRow = y;
        }
        ASSERT_GE(borderRow, 0) << "no visible top border line";
        int top = image.height();
        int bottom = -1;
        for (int y = 0; y <= captionHeight; ++y) {
            for (int x = 0; x < image.width() / 2; ++x) {
                if (look.isCaption(image.pixelColor(x, y))) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        ASSERT_GE(bottom, 0) << "no caption in its colour";
        EXPECT_LT(top, borderRow);
        EXPECT_GT(bottom, borderRow);
    }
}

}  // namespace
