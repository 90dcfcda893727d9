#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace ui::main {

// The main window's black client area. A screen reader walks it as it walks any widget, except
// for the parts that another control reads out in full: the frequency is one value
// ("1296.125 MHz"), not two numbers beside a lone point.
class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // `part` stays on the screen but not in what a screen reader meets; `name` is what it would
    // be called if reached all the same (a label with a name of its own also raises no event
    // when its text changes, so the part never speaks over the control that reads it out).
    void leaveUnspoken(QWidget* part, const QString& name);
    // The child widgets a screen reader meets, in their order.
    QList<QWidget*> spokenChildren() const;

private:
    QList<QPointer<QWidget>> m_unspoken;
};

}  // namespace ui::main
