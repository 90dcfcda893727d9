#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace ui::common {

// Black or white, whichever stands out more from `face` (by the contrast of their luminances).
QColor focusMarkColour(const QColor& face);

// The classic keyboard-focus mark: the outline of `mark` in alternate dots, in the colour that
// stands out from `face`.
void drawFocusMark(QPainter& painter, const QRect& mark, const QColor& face);

}  // namespace ui::common
