#include "ui/common/CaptionFrame.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/common/Style.h"

namespace ui::common {
namespace {

// From the frame's left edge to the caption, and around the caption's text.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

}  // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int CaptionFrame::borderTop() const {
    return QFontMetrics(font()).height() / 2;
}

QRect CaptionFrame::captionRect() const {
    const QFontMetrics metrics(font());
    return QRect(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                 metrics.height());
}

void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour::kButtonShadow);
    painter.drawRect(rect().adjusted(0, borderTop(), -1, -1));
    if (title().isEmpty())
        return;
    const QRect caption = captionRect();
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace ui::common
