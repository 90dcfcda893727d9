#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QLabel;
class QWidget;

// How the windows look: their measures in twips, their colours and fonts, and the helpers that
// put them on widgets. Every window takes these from here.
namespace ui::common {

// Window measures are kept in twips; the screen has 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

int toPixels(double twips);
QRect twipsRect(int left, int top, int width, int height);
QPoint twipsPoint(int x, int y);

// A colour number R + 256·G + 65536·B, as the window designs give colours.
QColor colourNumber(std::uint32_t number);

namespace colour {
inline const QColor kBlack = colourNumber(0);
inline const QColor kRed = colourNumber(255);
inline const QColor kGreen = colourNumber(65280);
inline const QColor kYellow = colourNumber(65535);
inline const QColor kLightYellow = colourNumber(8454143);
inline const QColor kLightGrey = colourNumber(14737632);
inline const QColor kWhite = colourNumber(16777215);

// The desktop's system colours at their usual values.
inline const QColor kButtonShadow(160, 160, 160);
inline const QColor kButtonFace(240, 240, 240);
inline const QColor k3dLight(227, 227, 227);
inline const QColor kWindowText = kBlack;
inline const QColor kMenuText = kBlack;
inline const QColor kWindowBackground = kWhite;
inline const QColor kCaptionText = kWhite;
}  // namespace colour

// The font of every control that has none of its own.
QFont windowDefaultFont();

// Maps the faces the windows ask for onto free faces of the same kind, for the program's life,
// so that captions measure as they were designed. The program and the tests that measure
// captions call it once, before the first window.
void substituteFaces();

// Which palette roles take the colours.
enum class ColourRoles {
    Window,         // Window and WindowText: labels, frames, plain widgets
    WindowAndText,  // also Text, in which some styles draw a group box's title
    Editor,         // also Base/Text and Button/ButtonText: combo boxes and their lists
};
// Whether a disabled widget keeps the desktop's greyed text or shows the text colour too.
enum class DisabledText { Greyed, Coloured };

// Gives a widget, and the children that have no colours of their own, an opaque background and
// a text colour.
void setColours(QWidget* widget, const QColor& background, const QColor& text,
                ColourRoles roles = ColourRoles::Window,
                DisabledText disabled = DisabledText::Coloured);
// An opaque background only.
void setBackground(QWidget* widget, const QColor& background);
// A text colour only: the background stays transparent.
void setTextColour(QWidget* widget, const QColor& text);

// A plain-text label named `objectName` with its caption, placed in twips.
QLabel* makeLabel(QWidget* parent, const char* objectName, const QString& caption,
                  const QRect& twips);

}  // namespace ui::common
