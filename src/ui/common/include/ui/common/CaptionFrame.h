#pragma once

#include <QGroupBox>

namespace ui::common {

// A frame whose caption sits in its top border line, breaking the line, as frames of the
// classic desktop did. The line is a light grey that shows on the windows' black ground; the
// caption keeps the frame's text colour and its ground the frame's window colour.
class CaptionFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit CaptionFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the top border line runs, and where the caption is drawn across it.
    int borderTop() const;
    QRect captionRect() const;
};

}  // namespace ui::common
