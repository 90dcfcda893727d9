#include "SerialMonitor.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

#include "LampShape.h"
#include "settings/PortSetting.h"
#include "ui/Twips.h"

namespace ui {
namespace {

constexpr int kClientWidth = 3375;
constexpr int kClientHeight = 2070;

QRect fromTwips(const QRect& twips) {
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

// Black ground and green text, for the frame and every label on it.
QPalette greenOnBlack(QPalette palette) {
    const QColor green = toQColor(txlink::kGreen);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, Qt::black);
        palette.setColor(group, QPalette::WindowText, green);
        // Some styles draw a group box title in the Text role.
        palette.setColor(group, QPalette::Text, green);
    }
    return palette;
}

}  // namespace

SerialMonitor::SerialMonitor(const platform::SettingsStore& store, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_store(store),
      m_frame2(new QGroupBox(tr("Interface"), this)) {
    setObjectName(QStringLiteral("serieelmonitor"));
    setWindowTitle(tr("RS232 Monitor"));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    setFont(windowDefaultFont());

    const QPalette colours = greenOnBlack(palette());
    setPalette(colours);
    setAutoFillBackground(true);

    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(fromTwips({120, 120, 3135, 1815}));
    m_frame2->setPalette(colours);
    m_frame2->setAutoFillBackground(true);

    addLabel("Label7", tr("Com port"), {240, 360, 975, 255});
    m_label8 = addLabel("Label8", QStringLiteral("Com 1"), {2160, 360, 615, 255});
    addLabel("Label5", tr("Connected"), {240, 720, 975, 255});
    m_shape1 = addLamp("Shape1", tr("Link lamp"), txlink::kRed, {2280, 720, 375, 255});
    addLabel("Label9", tr("TXD"), {240, 1080, 855, 255});
    m_shape2 = addLamp("Shape2", tr("Transmit lamp"), txlink::kBlack, {2280, 1080, 375, 255});
    addLabel("Label10", tr("RXD"), {240, 1440, 975, 255});
    m_shape3 = addLamp("Shape3", tr("Receive lamp"), txlink::kBlack, {2280, 1440, 375, 255});

    Form_Load();
}

void SerialMonitor::Form_Load() {
    // Shown as stored, whatever it holds; "?" tells the operator no port was ever chosen.
    m_label8->setText(settings::readPortText(m_store, QStringLiteral("?")));
}

void SerialMonitor::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    m_closed = event->isAccepted();
}

QLabel* SerialMonitor::addLabel(const char* name, const QString& caption, const QRect& twips) {
    auto* label = new QLabel(caption, m_frame2);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(fromTwips(twips));
    label->setAutoFillBackground(true);
    // Captions are plain text, also a stored port text that happens to look like markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

LampShape* SerialMonitor::addLamp(const char* name, const QString& accessibleName,
                                  txlink::Colour fillColor, const QRect& twips) {
    auto* lamp = new LampShape(accessibleName, fillColor, m_frame2);
    lamp->setObjectName(QLatin1String(name));
    lamp->setGeometry(fromTwips(twips));
    return lamp;
}

}  // namespace ui
