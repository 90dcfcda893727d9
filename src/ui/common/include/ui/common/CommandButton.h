#pragma once

#include <QPushButton>

namespace ui::common {

// A command button as the style draws it, with the classic focus mark on its face while it has
// the keyboard focus: the styles of today mark it faintly or only once a key has moved the focus.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::common
