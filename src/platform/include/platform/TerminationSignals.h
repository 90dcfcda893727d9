#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace platform {

// Turns SIGINT and SIGTERM into a Qt signal through a signalfd, so a program can tidy up in
// its event loop instead of inside a signal handler.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Blocks both signals for the calling thread and every thread it starts later. Call it first
    // thing in main(), before anything can start a thread that would still receive them.
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
