#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include "CommandReader.h"
#include "LinePacer.h"
#include "SimOptions.h"
#include "TransmitterModel.h"

namespace txsim {

class PtyLine;

// The controller at work on a line: obeys the commands that come in, answers with records,
// repeats its status on its own, and commits the faults the options ask for. Everything that
// crosses the line is logged on standard output, a line each, flushed at once.
class VirtualTransmitter : public QObject {
    Q_OBJECT

public:
    VirtualTransmitter(const SimOptions& options, PtyLine& line, QObject* parent = nullptr);

    void start();

signals:
    // The line was hung up on purpose; nothing more will happen.
    void hungUp();

private:
    void onReceived(const QByteArray& bytes);
    void send(const QByteArray& record);
    void repeatStatus();
    void hangUp();
    void log(const QByteArray& line) const;

    SimOptions m_options;
    PtyLine& m_line;
    TransmitterModel m_model;
    CommandReader m_reader;
    LinePacer m_pacer;
    QTimer m_statusTimer;
    int m_recordsSent = 0;
    bool m_silent = false;
};

}  // namespace txsim
