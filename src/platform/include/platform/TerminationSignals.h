#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace platform {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal through a signalfd, so a program can tidy up
// in its event loop instead of inside a signal handler. SIGPIPE is ignored.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Blocks the three signals for the calling thread and every thread it starts later, and
    // ignores SIGPIPE. Call it first thing in main(), before anything can start a thread that
    // would still receive them.
    static void block();

    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void requested(int signalNumber);

private:
    void readPending();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace platform
