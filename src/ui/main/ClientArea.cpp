#include "ClientArea.h"

#include <QAccessibleWidget>

namespace ui::main {
namespace {

// Qt's own interface for a plain widget, with the unspoken parts left out of its children.
class ClientAreaAccessible final : public QAccessibleWidget {
public:
    explicit ClientAreaAccessible(ClientArea* area)
        : QAccessibleWidget(area, QAccessible::Client) {}

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> spoken = children();
        if (index < 0 || index >= spoken.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(spoken.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> children() const {
        return static_cast<const ClientArea*>(widget())->spokenChildren();
    }
};

QAccessibleInterface* clientAreaFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(ClientArea::staticMetaObject.className())) {
        return new ClientAreaAccessible(static_cast<ClientArea*>(object));
    }
    return nullptr;
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(clientAreaFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void ClientArea::leaveUnspoken(QWidget* part, const QString& name) {
    part->setAccessibleName(name);
    m_unspoken.append(part);
}

QList<QWidget*> ClientArea::spokenChildren() const {
    QList<QWidget*> spoken;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow() && !m_unspoken.contains(widget)) {
            spoken.append(widget);
        }
    }
    return spoken;
}

}  // namespace ui::main
