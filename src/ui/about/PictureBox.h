#pragma once

#include <QFrame>

class QColor;

namespace ui::about {

// A bordered box whose children live on an inner surface, so that a child moved partly outside
// is clipped at the inside of the border instead of painting over it.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    PictureBox(const QColor& background, QWidget* parent = nullptr);

    // Parent for the box's child controls; (0, 0) is the inside corner of the border.
    QWidget* surface() const { return m_surface; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_surface;
};

}  // namespace ui::about
