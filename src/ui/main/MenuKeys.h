#pragma once

#include <QHash>
#include <QObject>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;

namespace ui::main {

// The keyboard's way into the menus. Their captions carry no '&' (a screen reader and the tests
// read "File", not "&File"), so the mnemonic letters are kept here: Alt+letter opens a menu of
// the bar from anywhere in the window (a shortcut on the menu's own action, which a screen reader
// also reads as its key binding), F10 opens the first, and in an open menu the plain letter
// chooses one of its items or, failing that, a menu of the bar, as Qt's own mnemonics do.
class MenuKeys final : public QObject {
    Q_OBJECT

public:
    explicit MenuKeys(QMenuBar* bar);

    // `action` is a menu of the bar (its menuAction()), the bar's own command or an item of a
    // menu, including a submenu's action.
    void assign(QAction* action, QChar letter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool menuKey(QMenu* menu, const QKeyEvent& key);
    bool barKey(const QKeyEvent& key);
    QAction* find(const QWidget* container, QChar letter) const;
    void openFromBar(QAction* action);
    void chooseInMenu(QMenu* menu, QAction* action);

    QMenuBar* m_bar;
    QHash<const QAction*, QChar> m_letters;
};

}  // namespace ui::main
