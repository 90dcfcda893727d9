#pragma once

#include <QString>
#include <QWidget>

#include "ui/about/MakerDetails.h"

class QLabel;
class QTextEdit;
class QTimer;

namespace ui::common {
class UrlOpener;
}

namespace ui::about {

class PictureBox;

// The About window "Frm_info": logo, version, a link to the maker's web page and credits that
// scroll up through a small viewport and close the window when they have gone. The app shows it
// through a WindowHolder, so closing the window unloads it and the next opening starts afresh.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    // Tells of the maker this build was configured with.
    explicit AboutWindow(common::UrlOpener& opener, QWidget* parent = nullptr);
    AboutWindow(common::UrlOpener& opener, MakerDetails maker, QWidget* parent = nullptr);

    // The credits exactly as the text box holds them: CR LF after every line.
    static QString creditsText(const MakerDetails& maker);

    // Top edge of the credits inside their viewport, in twips. Kept apart from the widget's pixel
    // position, which rounds, so that the scroll ends on the same tick on every screen.
    int creditsTop() const { return m_creditsTop; }

    // One step of the scroll: the credits move up, and the window closes once they have gone.
    void scrollTick();
    // The "Exit" label.
    void exitClicked();
    // The maker's web address, or the installed README when there is none.
    void webAddressClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBorder();
    void buildBackdrop();
    void buildViewport();
    bool filterCreditsEvent(QEvent* event);
    bool filterLinkKey(QLabel* label, QEvent* event);
    void keepFocusOffCredits();
    void placeCredits();

    common::UrlOpener& m_opener;
    const MakerDetails m_maker;
    PictureBox* m_backdrop = nullptr;
    QTimer* m_scrollTimer = nullptr;
    QLabel* m_webAddress = nullptr;
    PictureBox* m_viewport = nullptr;
    QTextEdit* m_credits = nullptr;
    QLabel* m_exit = nullptr;
    const QLabel* m_keyDownOn = nullptr;  // the label whose Enter or Space is down
    int m_creditsTop;
};

}  // namespace ui::about
