#include "ui/ports/SerialPortsWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "platform/ConfigPaths.h"
#include "platform/Logging.h"
#include "platform/PrintableName.h"
#include "ui/common/CommandButton.h"
#include "ui/common/Style.h"

namespace ui::ports {
namespace {

using platform::printableName;
using portmap::PortAssignment;
using portmap::SerialDevice;

enum DeviceColumn { kDeviceName, kKernelName, kDescription, kManufacturer, kSerialNumber, kInUse };
enum PortColumn { kPortNumber, kPortEntry, kPortOpens, kPortPresent };

QString portCaption(int port) {
    return QStringLiteral("Com %1").arg(port);
}

QString inUseText(qint64 pid) {
    if (pid == 0) {
        return SerialPortsWindow::tr("no");
    }
    return pid == QCoreApplication::applicationPid()
               ? SerialPortsWindow::tr("by this program")
               : SerialPortsWindow::tr("by process %1").arg(pid);
}

// Clear of the list's own frame, so that the focus frame does not merge into it.
constexpr int kListFocusInset = 2;

// A list frames its current row while it has the focus; one with no current row (no device
// present, say, as when the window opens without an adapter plugged in) frames its whole inside
// instead, so that the focus never sits in it unseen.
class FocusFramedList final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    // The view repaints only the current row when the focus comes or goes.
    void focusInEvent(QFocusEvent* event) override {
        QTreeWidget::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QTreeWidget::focusOutEvent(event);
        viewport()->update();
    }

    void paintEvent(QPaintEvent* event) override {
        QTreeWidget::paintEvent(event);
        if (!hasFocus() || currentIndex().isValid()) {
            return;
        }
        QStylePainter painter(viewport());
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = viewport()->rect().adjusted(kListFocusInset, kListFocusInset, -kListFocusInset,
                                                 -kListFocusInset);
        frame.backgroundColor = palette().color(QPalette::Base);
        // Some styles draw the frame only once a key has moved the focus in the window, and the
        // list has the focus as the window opens.
        frame.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }
};

QTreeWidget* makeList(QWidget* parent, const char* objectName, const QString& accessibleName,
                      const QStringList& headers) {
    auto* list = new FocusFramedList(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setAccessibleName(accessibleName);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

}  // namespace

DeviceSource DeviceSource::system() {
    DeviceSource source;
    source.list = [] { return portmap::presentSerialDevices(); };
    source.watchedFolders = {QStringLiteral("/dev"), QStringLiteral("/dev/serial"),
                             portmap::kStableNameFolder, platform::portMapFolder()};
    return source;
}

SerialPortsWindow::SerialPortsWindow(DeviceSource source,
                                     std::function<void(int port)> portMapChanged, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_source(std::move(source)),
      m_portMapChanged(std::move(portMapChanged)) {
    setObjectName(QStringLiteral("SerialPorts"));
    setWindowTitle(tr("Serial Ports"));
    setAccessibleName(tr("Serial Ports"));
    setFont(common::windowDefaultFont());
    buildControls();

    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleTime);
    connect(&m_settle, &QTimer::timeout, this, &SerialPortsWindow::refresh);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    refresh();
}

void SerialPortsWindow::buildControls() {
    m_deviceList = makeList(this, "deviceList", tr("Serial devices present"),
                            {tr("Device"), tr("Kernel name"), tr("Description"), tr("Manufacturer"),
                             tr("Serial number"), tr("In use")});
    m_portBox = new QComboBox(this);
    m_portBox->setObjectName(QStringLiteral("portNumberBox"));
    m_portBox->setAccessibleName(tr("Port number"));
    for (int port = portmap::kFirstPort; port <= portmap::kLastPort; ++port) {
        m_portBox->addItem(portCaption(port), port);
    }
    m_assign = common::makeCommandButton(this, "assignButton", tr("&Assign device to port"),
                                         tr("Assign the selected device to the port number"));
    m_clear = common::makeCommandButton(this, "clearButton", tr("C&lear port"),
                                        tr("Clear the port number's entry"));
    m_portList = makeList(this, "portList", tr("Port numbers"),
                          {tr("Port"), tr("Port-map entry"), tr("Opens"), tr("Present")});
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("resultLine"));
    m_result->setAccessibleName(tr("Result"));
    m_result->setWordWrap(true);
    // Device names are anybody's to choose, and one that looks like markup is still a name.
    m_result->setTextFormat(Qt::PlainText);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close = common::makeCommandButton(this, "closeButton", tr("Close"), tr("Close the window"));

    auto* assignRow = new QHBoxLayout;
    assignRow->addWidget(
        common::makeBuddyCaption(this, "portNumberCaption", tr("Port &number:"), m_portBox));
    assignRow->addWidget(m_portBox);
    assignRow->addWidget(m_assign);
    assignRow->addWidget(m_clear);
    assignRow->addStretch();
    auto* closeRow = new QHBoxLayout;
    closeRow->addWidget(m_result, 1);
    closeRow->addWidget(m_close, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(common::makeBuddyCaption(this, "deviceListCaption",
                                               tr("&Serial devices present:"), m_deviceList));
    layout->addWidget(m_deviceList, 3);
    layout->addLayout(assignRow);
    layout->addWidget(
        common::makeBuddyCaption(this, "portListCaption", tr("&Port numbers:"), m_portList));
    layout->addWidget(m_portList, 4);
    layout->addLayout(closeRow);
    resize(common::toPixels(12000), common::toPixels(7200));

    setTabOrder(m_deviceList, m_portBox);
    setTabOrder(m_portBox, m_assign);
    setTabOrder(m_assign, m_clear);
    setTabOrder(m_clear, m_portList);
    setTabOrder(m_portList, m_close);

    connect(m_assign, &QPushButton::clicked, this, &SerialPortsWindow::assignSelectedDevice);
    connect(m_clear, &QPushButton::clicked, this, &SerialPortsWindow::clearChosenPort);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    // The keyboard's current row counts as chosen, also the one the focus lands on.
    connect(m_deviceList, &QTreeWidget::currentItemChanged, this,
            &SerialPortsWindow::updateButtons);
    connect(m_portList, &QTreeWidget::currentItemChanged, this,
            &SerialPortsWindow::portRowSelected);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

int SerialPortsWindow::chosenPort() const {
    return m_portBox->currentData().toInt();
}

void SerialPortsWindow::refresh() {
    watchFolders();
    showDevices();
    showPorts();
    updateButtons();
}

// Folders that did not exist when the window opened (/dev/serial/by-id appears with the first
// USB adapter, the port map with its first entry) are watched once they do.
void SerialPortsWindow::watchFolders() {
    const QStringList watched = m_watcher.directories();
    for (const QString& folder : m_source.watchedFolders) {
        if (!watched.contains(folder) && QDir(folder).exists()) {
            m_watcher.addPath(folder);
        }
    }
}

void SerialPortsWindow::showDevices() {
    const QTreeWidgetItem* selected = m_deviceList->currentItem();
    const QString keep =
        selected != nullptr ? selected->data(kDeviceName, Qt::UserRole).toString() : QString();
    m_deviceList->clear();
    for (const SerialDevice& device : m_source.list ? m_source.list() : QList<SerialDevice>{}) {
        // The real name, for the assignment, stays in the item's data, never in its text.
        auto* item = new QTreeWidgetItem(
            m_deviceList, {printableName(device.preferredPath()), printableName(device.kernelPath),
                           printableName(device.description), printableName(device.manufacturer),
                           printableName(device.serialNumber), inUseText(device.holderPid)});
        item->setData(kDeviceName, Qt::UserRole, device.kernelPath);
        if (device.kernelPath == keep) {
            m_deviceList->setCurrentItem(item);
        }
    }
}

void SerialPortsWindow::showPorts() {
    const int keep = m_portList->currentItem() != nullptr
                         ? m_portList->currentItem()->data(kPortNumber, Qt::UserRole).toInt()
                         : 0;
    m_portList->clear();
    for (int port = portmap::kFirstPort; port <= portmap::kLastPort; ++port) {
        const PortAssignment assignment = portmap::describePort(port);
        const QString opens = assignment.mapped && assignment.device.isEmpty()
                                  ? tr("nothing: the entry points nowhere")
                                  : printableName(assignment.device);
        auto* item = new QTreeWidgetItem(
            m_portList,
            {portCaption(port),
             assignment.mapped ? printableName(assignment.entryTarget) : tr("none (the default)"),
             opens, assignment.present ? tr("yes") : tr("no")});
        item->setData(kPortNumber, Qt::UserRole, port);
        if (port == keep) {
            m_portList->setCurrentItem(item);
        }
    }
}

void SerialPortsWindow::portRowSelected() {
    if (const QTreeWidgetItem* row = m_portList->currentItem()) {
        m_portBox->setCurrentIndex(m_portBox->findData(row->data(kPortNumber, Qt::UserRole)));
    }
}

void SerialPortsWindow::updateButtons() {
    m_assign->setEnabled(m_deviceList->currentItem() != nullptr);
}

void SerialPortsWindow::report(const QString& text) {
    m_result->setText(text);
}

void SerialPortsWindow::assignSelectedDevice() {
    const QTreeWidgetItem* selected = m_deviceList->currentItem();
    if (selected == nullptr) {
        report(tr("Select a device first."));
        return;
    }
    const int port = chosenPort();
    const QString device = selected->data(kDeviceName, Qt::UserRole).toString();
    const txlink::Result<QString> target = portmap::assignPort(port, device, m_source.stableFolder);
    if (!target) {
        qCWarning(lcProgram, "cannot assign %s to port %d: %s", qPrintable(printableName(device)),
                  port, target.error().reason.c_str());
        report(QString::fromStdString(target.error().reason));
        return;
    }
    report(tr("%1 now opens %2.").arg(portCaption(port), printableName(*target)));
    refresh();
    m_portMapChanged(port);
}

void SerialPortsWindow::clearChosenPort() {
    const int port = chosenPort();
    const txlink::Result<bool> cleared = portmap::clearPort(port);
    if (!cleared) {
        qCWarning(lcProgram, "cannot clear port %d: %s", port, cleared.error().reason.c_str());
        report(QString::fromStdString(cleared.error().reason));
        return;
    }
    const QString device = printableName(portmap::describePort(port).device);
    if (!*cleared) {
        report(tr("%1 has no entry: it opens %2.").arg(portCaption(port), device));
        return;
    }
    report(tr("%1's entry is cleared: it opens %2 again.").arg(portCaption(port), device));
    refresh();
    m_portMapChanged(port);
}

}  // namespace ui::ports
