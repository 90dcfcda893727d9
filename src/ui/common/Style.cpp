#include "ui/common/Style.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace ui::common {

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

QPoint twipsPoint(int x, int y) {
    return QPoint(toPixels(x), toPixels(y));
}

QColor colourNumber(std::uint32_t number) {
    return QColor(int(number & 0xff), int((number >> 8) & 0xff), int((number >> 16) & 0xff));
}

void substituteFaces() {
    // Each face the windows ask for, and the free faces of the same kind that stand in for it,
    // nearest first. Where the desktop lacks the classic sans serif, a metric-compatible face
    // keeps captions whole. The frequency digits and the status bar ask for the heaviest weight:
    // Inter Display has a true Black whose digits still fit their label ("Inter" itself sets them
    // a pixel too wide), the others are drawn bold. The call sign's serif goes to the URW
    // Century Schoolbook (C059) or Palatino (P052) of the free base 35 fonts.
    const std::pair<QString, QStringList> substitutions[] = {
        {QStringLiteral("MS Sans Serif"),
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")}},
        {QStringLiteral("Arial Black"),
         {QStringLiteral("Inter Display"), QStringLiteral("Nimbus Sans"),
          QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Calisto MT"),
         {QStringLiteral("C059"), QStringLiteral("P052"), QStringLiteral("Liberation Serif"),
          QStringLiteral("DejaVu Serif")}},
    };
    for (const auto& [face, substitutes] : substitutions)
        QFont::insertSubstitutions(face, substitutes);
}

QFont windowDefaultFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

void setColours(QWidget* widget, const QColor& background, const QColor& text, ColourRoles roles,
                DisabledText disabled) {
    QPalette palette = widget->palette();
    constexpr QPalette::ColorGroup kAllGroups[] = {QPalette::Active, QPalette::Inactive,
                                                   QPalette::Disabled};
    // The disabled group comes last: leaving it out keeps the desktop's greyed text.
    const std::size_t groups = disabled == DisabledText::Coloured ? 3 : 2;
    palette.setColor(QPalette::Window, background);
    for (std::size_t g = 0; g < groups; ++g) {
        const QPalette::ColorGroup group = kAllGroups[g];
        palette.setColor(group, QPalette::WindowText, text);
        if (roles != ColourRoles::Window) {
            palette.setColor(group, QPalette::Text, text);
        }
        if (roles == ColourRoles::Editor) {
            palette.setColor(group, QPalette::Base, background);
            palette.setColor(group, QPalette::Button, background);
            palette.setColor(group, QPalette::ButtonText, text);
        }
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setBackground(QWidget* widget, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* objectName, const QString& caption,
                  const QRect& twips) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(objectName));
    // What a label shows is text as it stands, also characters from the line that look like
    // markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

}  // namespace ui::common
