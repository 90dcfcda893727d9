#pragma once

#include <QWidget>

namespace ui::monitor {

// A round lamp: a filled circle with a white rim, as large as the shorter side of its box and
// centred in it; the rest of the box lets the background through. Lit it is red, out black.
class LampShape : public QWidget {
    Q_OBJECT

public:
    LampShape(const QString& accessibleName, bool lit, QWidget* parent = nullptr);

    bool lit() const { return m_lit; }
    void setLit(bool lit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_lit;
};

}  // namespace ui::monitor
