#include "SettingsDialog.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <utility>

#include "PortSetting.h"
#include "platform/EventGuard.h"
#include "ui/Twips.h"

namespace settings {
namespace {

using ui::kTwipsPerPixel;
using ui::windowDefaultFont;

constexpr int kClientWidth = 2580;
constexpr int kClientHeight = 1245;

const QString kDesignTimePortText = QStringLiteral("com 1");
constexpr int kListedPorts = 9;

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QPalette coloured(QPalette palette, const QColor& background, const QColor& text) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            palette.setColor(group, role, background);
        }
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(group, role, text);
        }
    }
    return palette;
}

}  // namespace

SettingsDialog::SettingsDialog(platform::SettingsStore& store, std::function<void()> reloadMain,
                               QWidget* parent)
    // A tool window stays out of the task bar; fixed border, title and close box only.
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_store(store),
      m_reloadMain(std::move(reloadMain)) {
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(toPixels(kClientWidth), toPixels(kClientHeight));
    setSizeGripEnabled(false);
    setFont(windowDefaultFont());
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::black);
    setPalette(background);
    setAutoFillBackground(true);

    m_label3 = new QLabel(QStringLiteral("Com port :"), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setGeometry(ui::twipsRect(120, 120, 1335, 255));
    m_label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label3->setPalette(coloured(m_label3->palette(), Qt::black, QColor(255, 0, 0)));
    m_label3->setAutoFillBackground(true);

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(ui::twipsRect(960, 120, 1215, 315));
    m_combo1->setEditable(true);
    // The box is free text: typing neither completes from the list nor adds to it.
    m_combo1->setCompleter(nullptr);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    for (int port = 1; port <= kListedPorts; ++port) {
        m_combo1->addItem(QStringLiteral("Com %1").arg(port));
    }
    m_combo1->setCurrentIndex(-1);
    m_combo1->setEditText(kDesignTimePortText);
    const QPalette greenOnBlack = coloured(m_combo1->palette(), Qt::black, QColor(0, 255, 0));
    m_combo1->setPalette(greenOnBlack);
    // The drop-down list is a window of its own and does not inherit the box's colours.
    m_combo1->view()->setPalette(greenOnBlack);

    m_cmdOK = new QPushButton(QStringLiteral("Save"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(ui::twipsRect(120, 720, 1095, 375));
    // A store that cannot be written must not unwind through Qt's event handling.
    connect(m_cmdOK, &QPushButton::clicked, this,
            [this] { platform::guarded("cmdOK_Click", [this] { cmdOK_Click(); }); });

    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setGeometry(ui::twipsRect(1320, 720, 1095, 375));
    connect(m_cmdCancel, &QPushButton::clicked, this,
            [this] { platform::guarded("cmdCancel_Click", [this] { cmdCancel_Click(); }); });

    // No default button: Enter presses only a button that has the focus (keyPressEvent).
    m_cmdOK->setAutoDefault(false);
    m_cmdCancel->setAutoDefault(false);

    setTabOrder(m_cmdOK, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_combo1);
    m_cmdOK->setFocus();

    Form_Load();
}

void SettingsDialog::Form_Load() {
    // Centred on the screen by the outer size, halves in single precision as the twips were.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The frame is only known once the window exists; on X11 not even then, until the window
        // manager has framed it, so there the dialog may sit off centre by half its title bar.
        create();
        const QRect area = screen->geometry();
        const QSize outer = frameGeometry().size();
        const float left =
            (float(area.width() * kTwipsPerPixel) - float(outer.width() * kTwipsPerPixel)) / 2.0f;
        const float top =
            (float(area.height() * kTwipsPerPixel) - float(outer.height() * kTwipsPerPixel)) / 2.0f;
        move(area.left() + toPixels(left), area.top() + toPixels(top));
    }
    // The box's design-time text is the default: with nothing stored, it stays as it is.
    m_combo1->setEditText(readPortText(m_store, m_combo1->currentText()));
}

void SettingsDialog::cmdOK_Click() {
    savePortText(m_store, m_combo1->currentText());
    // Start-up may report the new port and ask for this dialog, which is still open: it stays the
    // one dialog and closes below all the same.
    m_reloadMain();
    close();
}

void SettingsDialog::cmdCancel_Click() {
    close();
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsDialog::reject() {
    m_cmdCancel->click();
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    // QDialog would route the close box through reject(), which here presses Cancel and so closes
    // again from inside the close. Closing needs nothing more than accepting.
    QWidget::closeEvent(event);
}

}  // namespace settings
