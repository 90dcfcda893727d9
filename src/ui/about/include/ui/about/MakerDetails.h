#pragma once

#include <QString>
#include <QUrl>

namespace ui::about {

// Who made this build, as the About window tells it. The values come from the build's
// configuration (the VORA_ABOUT_* cache variables), so a packager or distributor sets them in
// one place; the defaults name the project and claim no call sign, town or address.
struct MakerDetails {
    QString webAddress;  // host and path without a scheme, e.g. "www.example.net"; may be empty
    QString callSign;
    QString author;
    QString town;
    QString locator;
    QString country;
    QString email;
    // The README opened when there is no web address: the installation's, or the source tree's
    // for a program run from its build folder; empty when there is none.
    QString readmePath;

    static MakerDetails configured();

    // What the web address label says.
    QString linkCaption() const;
    // What clicking the label opens: the web page, or else the README; empty when neither.
    QUrl linkTarget() const;
    // Town and locator on one line, as "Town, AB12cd"; either may be missing.
    QString townAndLocator() const;
};

}  // namespace ui::about
