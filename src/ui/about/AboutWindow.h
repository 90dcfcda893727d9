#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QTextEdit;
class QTimer;

namespace platform {
class UrlOpener;
}

namespace ui {

class PictureBox;

// The About window "Frm_info": logo, version, a link to the maker's web page and credits that
// scroll up through a small viewport and close the window when they have gone. The app shows it
// through a WindowHolder, so closing the window unloads it and the next opening starts afresh.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(platform::UrlOpener& opener, QWidget* parent = nullptr);

    // The credits exactly as the text box holds them: CR LF after every line.
    static QString creditsText();

    // Top edge of the credits inside their viewport, in twips. Kept apart from the widget's pixel
    // position, which rounds, so that the scroll ends on the same tick on every screen.
    int text1Top() const { return m_text1Top; }

    void Timer2_Timer();
    void Text1_Click();
    void Text1_GotFocus();
    void Text1_MouseDown();
    void Label1_Click();
    void Label4_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBorder();
    void buildBackdrop();
    void buildViewport();
    bool filterCreditsEvent(QEvent* event);
    void placeText1();

    platform::UrlOpener& m_opener;
    PictureBox* m_picture2 = nullptr;
    QTimer* m_timer2 = nullptr;
    QLabel* m_image1 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label4 = nullptr;
    PictureBox* m_picture1 = nullptr;
    QTextEdit* m_text1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label5 = nullptr;
    QWidget* m_line2 = nullptr;
    QLabel* m_label1 = nullptr;
    QTimer* m_timer1 = nullptr;
    int m_text1Top;
};

}  // namespace ui
