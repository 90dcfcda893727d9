#include "MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace ui::main {
namespace {

// The letter a key stands for, upper case; none for anything but a letter or digit typed alone,
// with Shift or with Alt.
QChar letterOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers allowed = Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier;
    if ((key.modifiers() & ~allowed) != Qt::NoModifier || key.text().size() != 1 ||
        !key.text().front().isLetterOrNumber()) {
        return {};
    }
    return key.text().front().toUpper();
}

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        if (QApplication::activePopupWidget() == popup) {
            return;  // it refused; do not spin
        }
    }
}

}  // namespace

MenuKeys::MenuKeys(QMenuBar* bar) : QObject(bar), m_bar(bar) {
    m_bar->installEventFilter(this);
    // On the bar, so that it is the window's Escape shortcut that the window finds as its own.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar);
    f10->setObjectName(QStringLiteral("menuBarKey"));
    f10->setContext(Qt::WindowShortcut);
    f10->setAutoRepeat(false);
    connect(f10, &QShortcut::activated, this, [this] {
        if (!m_bar->actions().isEmpty()) {
            openFromBar(m_bar->actions().front());
        }
    });
}

void MenuKeys::assign(QAction* action, QChar letter) {
    m_letters.insert(action, letter.toUpper());
    for (QObject* place : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(place)) {
            menu->installEventFilter(this);
        }
    }
    if (!m_bar->actions().contains(action)) {
        return;
    }
    action->setShortcut(
        QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(letter.toUpper().unicode()))));
    if (action->menu() != nullptr) {
        // A menu's own action does nothing when triggered; its shortcut opens the menu.
        connect(action, &QAction::triggered, this, [this, action] { openFromBar(action); });
    }
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == m_bar) {
        return barKey(key);
    }
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        return menuKey(menu, key);
    }
    return false;
}

bool MenuKeys::menuKey(QMenu* menu, const QKeyEvent& key) {
    if (key.key() == Qt::Key_F10) {
        closeMenus();  // F10 again leaves the menus, as it entered them
        return true;
    }
    const QChar letter = letterOf(key);
    if (letter.isNull()) {
        return false;
    }
    if (!key.modifiers().testFlag(Qt::AltModifier)) {
        if (QAction* item = find(menu, letter)) {
            chooseInMenu(menu, item);
            return true;
        }
    }
    return barKey(key);
}

// Keys reach the bar while it has the keyboard, and from an open menu that had no use for them.
bool MenuKeys::barKey(const QKeyEvent& key) {
    const QChar letter = letterOf(key);
    QAction* menu = letter.isNull() ? nullptr : find(m_bar, letter);
    if (menu == nullptr) {
        return false;
    }
    openFromBar(menu);
    return true;
}

QAction* MenuKeys::find(const QWidget* container, QChar letter) const {
    for (QAction* action : container->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator() &&
            m_letters.value(action) == letter) {
            return action;
        }
    }
    return nullptr;
}

void MenuKeys::openFromBar(QAction* action) {
    QMenu* menu = action->menu();
    if (menu == nullptr) {
        closeMenus();
        action->trigger();
        return;
    }
    m_bar->setActiveAction(action);
    // As a mnemonic opens it: with its first item chosen, where the arrows, Enter and a screen
    // reader start.
    for (QAction* item : menu->actions()) {
        if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
            menu->setActiveAction(item);
            break;
        }
    }
}

// The menu does the rest as for Enter on the chosen item: a submenu opens, a command closes the
// menus and is triggered.
void MenuKeys::chooseInMenu(QMenu* menu, QAction* action) {
    menu->setActiveAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
}

}  // namespace ui::main
