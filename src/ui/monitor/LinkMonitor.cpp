#include "ui/monitor/LinkMonitor.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

#include "platform/PortSetting.h"
#include "ui/common/CaptionFrame.h"
#include "ui/common/Style.h"
#include "ui/monitor/LampShape.h"

namespace ui::monitor {
namespace {

using common::makeLabel;
using common::twipsRect;

constexpr int kClientWidth = 3375;
constexpr int kClientHeight = 2070;

// One row of the "Interface" frame: a caption and, to its right, what it names.
struct Row {
    const char* labelName;
    const char* caption;
    QRect labelTwips;
    const char* indicatorName;
    QRect indicatorTwips;
};
constexpr Row kPortRow = {"Label7",
                          QT_TRANSLATE_NOOP("ui::monitor::LinkMonitor", "Com port"),
                          {240, 360, 975, 255},
                          "Label8",
                          {2160, 360, 615, 255}};
constexpr Row kLinkRow = {"Label5",
                          QT_TRANSLATE_NOOP("ui::monitor::LinkMonitor", "Connected"),
                          {240, 720, 975, 255},
                          "Shape1",
                          {2280, 720, 375, 255}};
constexpr Row kTransmitRow = {"Label9",
                              QT_TRANSLATE_NOOP("ui::monitor::LinkMonitor", "TXD"),
                              {240, 1080, 855, 255},
                              "Shape2",
                              {2280, 1080, 375, 255}};
constexpr Row kReceiveRow = {"Label10",
                             QT_TRANSLATE_NOOP("ui::monitor::LinkMonitor", "RXD"),
                             {240, 1440, 975, 255},
                             "Shape3",
                             {2280, 1440, 375, 255}};

QLabel* addLabel(QWidget* frame, const char* name, const QString& caption, const QRect& twips) {
    QLabel* label = makeLabel(frame, name, caption, twips);
    label->setAutoFillBackground(true);
    return label;
}

LampShape* addLamp(QWidget* frame, const Row& row, const QString& accessibleName, bool lit) {
    addLabel(frame, row.labelName, LinkMonitor::tr(row.caption), row.labelTwips);
    auto* lamp = new LampShape(accessibleName, lit, frame);
    lamp->setObjectName(QLatin1String(row.indicatorName));
    const QRect& box = row.indicatorTwips;
    lamp->setGeometry(twipsRect(box.x(), box.y(), box.width(), box.height()));
    return lamp;
}

}  // namespace

LinkMonitor::LinkMonitor(const platform::SettingsStore& store, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("serieelmonitor"));
    setWindowTitle(tr("RS232 Monitor"));
    setFixedSize(common::toPixels(kClientWidth), common::toPixels(kClientHeight));
    setFont(common::windowDefaultFont());
    // Black ground and green text, for the frame and every label on it.
    common::setColours(this, common::colour::kBlack, common::colour::kGreen,
                       common::ColourRoles::WindowAndText);

    auto* frame = new common::CaptionFrame(tr("Interface"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(twipsRect(120, 120, 3135, 1815));
    common::setColours(frame, common::colour::kBlack, common::colour::kGreen,
                       common::ColourRoles::WindowAndText);

    addLabel(frame, kPortRow.labelName, tr(kPortRow.caption), kPortRow.labelTwips);
    m_portCaption =
        addLabel(frame, kPortRow.indicatorName, QStringLiteral("Com 1"), kPortRow.indicatorTwips);
    m_linkLamp = addLamp(frame, kLinkRow, tr("Link lamp"), true);
    m_transmitLamp = addLamp(frame, kTransmitRow, tr("Transmit lamp"), false);
    m_receiveLamp = addLamp(frame, kReceiveRow, tr("Receive lamp"), false);

    showStoredPort(store);
}

void LinkMonitor::showStoredPort(const platform::SettingsStore& store) {
    // Shown as stored, whatever it holds; "?" tells the operator no port was ever chosen.
    const QString nothingChosen = QStringLiteral("?");
    const txlink::Result<QString> portText = platform::readPortText(store, nothingChosen);
    m_portCaption->setText(portText ? *portText : nothingChosen);
}

void LinkMonitor::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    m_closed = event->isAccepted();
}

}  // namespace ui::monitor
