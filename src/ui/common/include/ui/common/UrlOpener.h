#pragma once

#include <QUrl>

namespace ui::common {

// Opens an address in the desktop's default browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    void open(const QUrl& url) override;
};

}  // namespace ui::common
