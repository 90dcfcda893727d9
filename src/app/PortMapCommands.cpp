#include "app/PortMapCommands.h"

#include <QCoreApplication>

#include "platform/PrintableName.h"
#include "txlink/Result.h"

namespace app {
// The listing and the answers are in the operator's language (context "PortMapCommands").
namespace {

using platform::printableName;

constexpr int kRefused = 2;
constexpr int kNotWritten = 1;

CommandOutcome failed(const txlink::Error& error) {
    return CommandOutcome{error.number == txlink::error::kSettingsFile ? kNotWritten : kRefused,
                          QString(), QString::fromStdString(error.reason) + u'\n'};
}

QString holderText(qint64 pid) {
    if (pid == 0) {
        return QCoreApplication::translate("PortMapCommands", "no");
    }
    return pid == QCoreApplication::applicationPid()
               ? QCoreApplication::translate("PortMapCommands", "yes, by this program")
               : QCoreApplication::translate("PortMapCommands", "yes, by process %1").arg(pid);
}

QString portLine(const portmap::PortAssignment& port) {
    QString line = QStringLiteral("  %1  ").arg(port.port);
    if (!port.mapped) {
        line += QCoreApplication::translate("PortMapCommands", "%1 (no entry: the default)")
                    .arg(printableName(port.device));
    } else {
        line += QCoreApplication::translate("PortMapCommands", "%1 (port map)")
                    .arg(printableName(port.entryTarget));
        if (!port.device.isEmpty() && port.device != port.entryTarget) {
            line += QStringLiteral(" = %1").arg(printableName(port.device));
        }
    }
    if (port.mapped && port.device.isEmpty()) {
        return line + QCoreApplication::translate("PortMapCommands", ", points nowhere") + u'\n';
    }
    return line +
           (port.present ? QCoreApplication::translate("PortMapCommands", ", present")
                         : QCoreApplication::translate("PortMapCommands", ", not present")) +
           u'\n';
}

}  // namespace

QString portListing(const QList<portmap::SerialDevice>& devices,
                    const QList<portmap::PortAssignment>& ports) {
    QString text =
        QCoreApplication::translate("PortMapCommands", "Serial devices present:") + u'\n';
    if (devices.isEmpty()) {
        text +=
            QStringLiteral("  %1\n").arg(QCoreApplication::translate("PortMapCommands", "none"));
    }
    for (const portmap::SerialDevice& device : devices) {
        text += QStringLiteral("  %1\n").arg(printableName(device.kernelPath));
        const std::pair<const char*, QString> details[] = {
            {QT_TRANSLATE_NOOP("PortMapCommands", "stable name"), device.stablePath},
            {QT_TRANSLATE_NOOP("PortMapCommands", "description"), device.description},
            {QT_TRANSLATE_NOOP("PortMapCommands", "manufacturer"), device.manufacturer},
            {QT_TRANSLATE_NOOP("PortMapCommands", "serial number"), device.serialNumber},
            {QT_TRANSLATE_NOOP("PortMapCommands", "in use"), holderText(device.holderPid)},
        };
        for (const auto& [name, value] : details) {
            if (!value.isEmpty()) {
                text += QStringLiteral("      %1%2\n")
                            .arg(QCoreApplication::translate("PortMapCommands", name), -15)
                            .arg(printableName(value));
            }
        }
    }
    text += QCoreApplication::translate("PortMapCommands", "Port numbers:") + u'\n';
    for (const portmap::PortAssignment& port : ports) {
        text += portLine(port);
    }
    return text;
}

CommandOutcome runPortMapCommand(const Options& options, const QString& stableFolder) {
    if (options.mapPort) {
        const txlink::Result<QString> target =
            portmap::assignPort(*options.mapPort, options.mapDevice, stableFolder);
        if (!target) {
            return failed(target.error());
        }
        return CommandOutcome{
            0,
            (QCoreApplication::translate("PortMapCommands", "Port %1 now opens %2.") + u'\n')
                .arg(*options.mapPort)
                .arg(printableName(*target)),
            {}};
    }
    if (options.unmapPort) {
        const txlink::Result<bool> cleared = portmap::clearPort(*options.unmapPort);
        if (!cleared) {
            return failed(cleared.error());
        }
        const QString device = printableName(portmap::describePort(*options.unmapPort).device);
        return CommandOutcome{
            0,
            *cleared ? (QCoreApplication::translate(
                            "PortMapCommands", "Port %1's entry is cleared: it opens %2 again.") +
                        u'\n')
                           .arg(*options.unmapPort)
                           .arg(device)
                     : (QCoreApplication::translate("PortMapCommands",
                                                    "Port %1 has no entry: it opens %2.") +
                        u'\n')
                           .arg(*options.unmapPort)
                           .arg(device),
            {}};
    }
    QList<portmap::PortAssignment> ports;
    for (int port = portmap::kFirstPort; port <= portmap::kLastPort; ++port) {
        ports.append(portmap::describePort(port));
    }
    return CommandOutcome{0, portListing(portmap::presentSerialDevices(stableFolder), ports), {}};
}

}  // namespace app
