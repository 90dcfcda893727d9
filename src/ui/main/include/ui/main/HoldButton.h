#pragma once

#include "ui/main/FaceButton.h"

namespace ui::main {

// A press-and-hold button: every press of any mouse button is a mouse-down, every release a
// mouse-up, and the release reaches it wherever the pointer is. With the focus, Space held is a
// hold as the mouse's is (the keyboard's own repeat adds nothing) and Enter is one press and
// release; it has no click action. When the hold ends without a release reaching it (the window
// is hidden or deactivated, the focus leaves, the pointer grab is lost, or a popup takes the
// release), it reports a mouse-up all the same, so no command keeps repeating after the operator
// let go.
class HoldButton final : public FaceButton {
    Q_OBJECT

public:
    explicit HoldButton(const QString& caption, QWidget* parent = nullptr);

    // Ends a hold whose release will never come.
    void abandonHold();

signals:
    void mouseDown();
    void mouseUp();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void endHold();

    bool m_holding = false;
    bool m_heldBySpace = false;  // the hold's release is Space's, not a mouse button's
    bool m_spaceDown = false;
    bool m_enterDown = false;
};

}  // namespace ui::main
