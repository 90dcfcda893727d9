#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

namespace ui::common {

// One secondary window of the program: created on first use, loaded hidden when something reaches
// its controls, shown by the menu, forgotten when it is closed (its widgets are deleted on close,
// so the next use loads it afresh from its design-time state).
template <typename Window>
class WindowHolder {
public:
    using Factory = std::function<Window*()>;

    explicit WindowHolder(Factory factory) : m_factory(std::move(factory)) {}
    ~WindowHolder() { unload(); }

    WindowHolder(const WindowHolder&) = delete;
    WindowHolder& operator=(const WindowHolder&) = delete;

    bool loaded() const { return !m_window.isNull(); }
    Window* window() const { return m_window.data(); }

    // The window, loaded hidden if it was not loaded.
    Window* get() {
        if (m_window.isNull()) {
            m_window = m_factory();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        return m_window.data();
    }

    // Shows the window modeless, loading it first if need be; an open one comes to the front, and
    // a minimised one comes back as it was before. Raising and activating alone leave an iconified
    // window where it is, and the secondary windows have no task-bar button to restore them by.
    Window* show() {
        Window* window = get();
        if (window->windowState() & Qt::WindowMinimized) {
            window->setWindowState((window->windowState() & ~Qt::WindowMinimized) |
                                   Qt::WindowActive);
        }
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }

    void unload() {
        if (!m_window.isNull()) {
            delete m_window.data();
        }
    }

private:
    Factory m_factory;
    QPointer<Window> m_window;
};

}  // namespace ui::common
