#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

namespace ui::main {

// A status bar of four plain text panels, numbered from 1, each 1440 twips wide whatever the
// bar's width: the last one shows only as far as the bar reaches.
class StatusBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPanels = 4;

    explicit StatusBar(QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int panel) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QLabel*, kPanels> m_panels{};
};

}  // namespace ui::main
