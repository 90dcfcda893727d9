#pragma once

#include <QPushButton>

class QLabel;

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

// A command button of a laid-out window: named, with what a screen reader reads for it, and
// pressed by Enter only while it has the focus.
CommandButton* makeCommandButton(QWidget* parent, const char* objectName, const QString& caption,
                                 const QString& accessibleName);
// A caption whose underlined letter gives `buddy` the focus.
QLabel* makeBuddyCaption(QWidget* parent, const char* objectName, const QString& caption,
                         QWidget* buddy);

}  // namespace ui::common
