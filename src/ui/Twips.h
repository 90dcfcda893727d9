#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cmath>

#include "link/MainDisplay.h"

namespace ui {

// Window measures are kept in twips; the screen has 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The font of every control that has none of its own.
inline QFont windowDefaultFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

// A colour number R + 256·G + 65536·B.
inline QColor toQColor(txlink::Colour colour) {
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

}  // namespace ui
