#pragma once

#include <QUrl>

namespace platform {

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

}  // namespace platform
