#include "ui/settings/SettingsDialog.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <utility>

#include "platform/Logging.h"
#include "platform/PortMap.h"
#include "platform/PortSetting.h"
#include "ui/common/CommandButton.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Style.h"

namespace ui::settings {
namespace {

using common::kTwipsPerPixel;
using common::toPixels;
using common::twipsRect;

constexpr int kClientWidth = 2580;
constexpr int kClientHeight = 1245;

const QString kDesignTimePortText = QStringLiteral("com 1");

}  // namespace

SettingsDialog::SettingsDialog(platform::SettingsStore& store, common::MessageBox& messages,
                               std::function<void()> reloadMain, QWidget* parent)
    // A tool window stays out of the task bar; fixed border, title and close box only.
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_store(store),
      m_messages(messages),
      m_reloadMain(std::move(reloadMain)) {
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(tr("Options"));
    setFixedSize(toPixels(kClientWidth), toPixels(kClientHeight));
    setSizeGripEnabled(false);
    setFont(common::windowDefaultFont());
    common::setBackground(this, common::colour::kBlack);

    QLabel* caption = common::makeLabel(this, "Label3", tr("Com port :"), {120, 120, 1335, 255});
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    common::setColours(caption, common::colour::kBlack, common::colour::kRed,
                       common::ColourRoles::Editor);

    m_portBox = new QComboBox(this);
    m_portBox->setObjectName(QStringLiteral("Combo1"));
    m_portBox->setGeometry(twipsRect(960, 120, 1215, 315));
    m_portBox->setEditable(true);
    // The box is free text: typing neither completes from the list nor adds to it.
    m_portBox->setCompleter(nullptr);
    m_portBox->setInsertPolicy(QComboBox::NoInsert);
    for (int port = platform::kFirstPort; port <= platform::kLastPort; ++port) {
        m_portBox->addItem(QStringLiteral("Com %1").arg(port));
    }
    m_portBox->setCurrentIndex(-1);
    m_portBox->setEditText(kDesignTimePortText);
    common::setColours(m_portBox, common::colour::kBlack, common::colour::kGreen,
                       common::ColourRoles::Editor);
    // The style outlines the box in a shade of the window colour, which on black is black: a grey
    // window colour gives the box a border the eye can find.
    {
        QPalette outlined = m_portBox->palette();
        outlined.setColor(QPalette::Window, common::colour::kButtonShadow);
        m_portBox->setPalette(outlined);
    }
    // The drop-down list is a window of its own and does not inherit the box's colours.
    m_portBox->view()->setPalette(m_portBox->palette());

    m_save = new common::CommandButton(tr("Save"), this);
    m_save->setObjectName(QStringLiteral("cmdOK"));
    m_save->setGeometry(twipsRect(120, 720, 1095, 375));
    connect(m_save, &QPushButton::clicked, this, &SettingsDialog::save);

    m_cancel = new common::CommandButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setGeometry(twipsRect(1320, 720, 1095, 375));
    connect(m_cancel, &QPushButton::clicked, this, &SettingsDialog::cancel);

    // No default button: Enter presses only a button that has the focus (keyPressEvent).
    m_save->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    setTabOrder(m_save, m_cancel);
    setTabOrder(m_cancel, m_portBox);
    m_save->setFocus();

    centreOnScreen();
    // The box's design-time text is the default: with nothing stored, it stays as it is.
    if (const auto stored = platform::readPortText(m_store, m_portBox->currentText())) {
        m_portBox->setEditText(*stored);
    } else {
        qCWarning(lcSettings, "%s", stored.error().reason.c_str());
    }
}

// Centred by the outer size, the halves in single precision as the twips were.
void SettingsDialog::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The frame is only known once the window exists; on X11 not even then, until the window
    // manager has framed it (event() below).
    create();
    const QRect area = screen->geometry();
    const QSize outer = outerSize();
    m_centredOuterSize = outer;
    const float left =
        (float(area.width() * kTwipsPerPixel) - float(outer.width() * kTwipsPerPixel)) / 2.0f;
    const float top =
        (float(area.height() * kTwipsPerPixel) - float(outer.height() * kTwipsPerPixel)) / 2.0f;
    const QPoint place(area.left() + toPixels(left), area.top() + toPixels(top));
    if (isVisible()) {
        windowHandle()->setFramePosition(place);  // where the window manager puts its frame
    } else {
        move(place);
    }
}

// The dialog's size with the frame that the window system says it drew. The frame is asked for
// afresh each time: while a window manager is still framing the dialog it can read as negative
// margins (the frame window not yet grown), and that counts as no frame yet.
QSize SettingsDialog::outerSize() const {
    QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0) {
        frame = QMargins();
    }
    return size().grownBy(frame);
}

// A window manager on X11 frames the dialog after it is shown, and says how thick the frame is
// only then. Once the dialog has been mapped (a move asked for while the window manager is still
// placing it can land anywhere) and its outer size is other than the one it was centred by, it is
// centred again by the real one. The operator's own moves leave the outer size as it was, and the
// dialog where they put it.
bool SettingsDialog::event(QEvent* event) {
    // Looked at before the event is handled: a closed dialog deletes itself in its handling.
    const QEvent::Type type = event->type();
    const bool mapped =
        type == QEvent::Paint || type == QEvent::WindowActivate || type == QEvent::Move;
    if (mapped && isVisible() && outerSize() != m_centredOuterSize) {
        m_centredOuterSize = outerSize();
        QMetaObject::invokeMethod(this, &SettingsDialog::centreOnScreen, Qt::QueuedConnection);
    }
    return QDialog::event(event);
}

void SettingsDialog::save() {
    const txlink::Status saved = platform::savePortText(m_store, m_portBox->currentText());
    if (!saved) {
        qCWarning(lcSettings, "cannot save the port: %s (error %d)", saved.error().reason.c_str(),
                  saved.error().number);
        m_messages.critical(tr("Error !!"), tr("The port was not saved.") + QStringLiteral("\r") +
                                                QString::fromStdString(saved.error().reason));
        return;
    }
    // Start-up may report the new port and ask for this dialog, which is still open: it stays the
    // one dialog and closes below all the same.
    m_reloadMain();
    close();
}

void SettingsDialog::cancel() {
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
    m_cancel->click();
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    // QDialog would route the close box through reject(), which here presses Cancel and so closes
    // again from inside the close. Closing needs nothing more than accepting.
    QWidget::closeEvent(event);
}

}  // namespace ui::settings
