// vora-txsim: a virtual transmitter on a pseudo-terminal, for trying the panel without the
// hardware. Run with --help for the options.

#include <QCoreApplication>

#include <cstdio>

#include "PortMapEntry.h"
#include "PtyLine.h"
#include "SimOptions.h"
#include "VirtualTransmitter.h"
#include "platform/TerminationSignals.h"
#include "platform/Version.h"

int main(int argc, char* argv[]) {
    platform::TerminationSignals::block();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vora-txsim"));
    QCoreApplication::setApplicationVersion(QLatin1String(platform::kVersion));

    const auto options = txsim::SimOptions::parse(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "vora-txsim: %s\n", options.error().reason.c_str());
        return 2;
    }

    txsim::PtyLine line;
    if (const txlink::Status opened = line.open(); !opened) {
        std::fprintf(stderr, "vora-txsim: %s\n", opened.error().reason.c_str());
        return 1;
    }
    txsim::PortMapEntry portMap;
    if (options->port != 0) {
        if (const txlink::Status published = portMap.publish(options->port, line.slavePath());
            !published) {
            std::fprintf(stderr, "vora-txsim: %s\n", published.error().reason.c_str());
            return 1;
        }
    }

    // Printed whatever --quiet says: whoever started the simulator needs the path to use it.
    std::printf("pty %s\n", qPrintable(line.slavePath()));
    if (portMap.published())
        std::printf("port %d %s\n", options->port, qPrintable(portMap.path()));
    std::fflush(stdout);

    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::requested, &app,
                     [] { QCoreApplication::exit(0); });
    QObject::connect(&line, &txsim::PtyLine::failed, &app, [](const QString& reason) {
        std::fprintf(stderr, "vora-txsim: %s\n", qPrintable(reason));
        QCoreApplication::exit(1);
    });

    txsim::VirtualTransmitter transmitter(*options, line);
    QObject::connect(&transmitter, &txsim::VirtualTransmitter::hungUp, &app,
                     [] { QCoreApplication::exit(0); });
    transmitter.start();
    return app.exec();
}
