#pragma once

#include <QWidget>

#include "link/MainDisplay.h"

namespace ui {

// A round lamp: a filled circle with a white rim, as large as the shorter side of its box and
// centred in it; the rest of the box lets the background through.
class LampShape : public QWidget {
    Q_OBJECT

public:
    LampShape(const QString& accessibleName, txlink::Colour fillColor, QWidget* parent = nullptr);

    txlink::Colour fillColor() const { return m_fillColor; }
    void setFillColor(txlink::Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    txlink::Colour m_fillColor;
};

}  // namespace ui
