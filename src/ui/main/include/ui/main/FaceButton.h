#pragma once

#include <QPushButton>

namespace ui::main {

// A graphical button: its face is painted flat in the palette's Button colour, with a one-pixel
// edge lit on the top and left that sinks while the button is down, and the dotted focus mark
// while it has the keyboard focus. A new face colour is a palette change and a repaint, nothing
// more.
class FaceButton : public QPushButton {
    Q_OBJECT

public:
    explicit FaceButton(const QString& caption, QWidget* parent = nullptr);

    void setFace(const QColor& colour);
    QColor face() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::main
