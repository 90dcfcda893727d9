#include "VirtualTransmitter.h"

#include <QRandomGenerator>

#include <cstdio>

#include "PtyLine.h"

namespace txsim {

VirtualTransmitter::VirtualTransmitter(const SimOptions& options, PtyLine& line, QObject* parent)
    : QObject(parent), m_options(options), m_line(line), m_model(options.format) {
    m_model.setLocked(options.locked);
    m_model.setPower(options.power);
    if (options.frequencyKhz)
        m_model.setFrequencyKhz(*options.frequencyKhz);
    m_model.setStepSticks(options.stuckStep);
    if (options.bandKhz)
        m_model.setBandKhz(options.bandKhz->first, options.bandKhz->second);

    connect(&m_line, &PtyLine::received, this, &VirtualTransmitter::onReceived);
    connect(&m_pacer, &LinePacer::bytesDue, &m_line, &PtyLine::write);
    connect(&m_pacer, &LinePacer::written, this, &VirtualTransmitter::log);
    connect(&m_statusTimer, &QTimer::timeout, this, &VirtualTransmitter::repeatStatus);
}

void VirtualTransmitter::start() {
    if (m_options.statusInterval.count() > 0)
        m_statusTimer.start(m_options.statusInterval);
    if (m_options.silenceAfter) {
        QTimer::singleShot(*m_options.silenceAfter, this, [this] {
            m_silent = true;
            // A line that falls silent does not finish the record it was in the middle of.
            m_pacer.clear();
            log("silent");
            if (m_options.silenceFor) {
                QTimer::singleShot(*m_options.silenceFor, this, [this] {
                    m_silent = false;
                    log("talking");
                });
            }
        });
    }
    if (m_options.hangupAfter)
        QTimer::singleShot(*m_options.hangupAfter, this, &VirtualTransmitter::hangUp);
}

void VirtualTransmitter::onReceived(const QByteArray& bytes) {
    for (const CommandReader::Token& token : m_reader.feed(bytes)) {
        if (token.kind == CommandReader::Token::Kind::Junk) {
            log("rx-junk " + token.bytes.toHex());
            continue;
        }
        log("rx " + token.bytes);
        for (const QByteArray& record : m_model.handle(token.bytes))
            send(record);
    }
}

void VirtualTransmitter::send(const QByteArray& record) {
    if (m_silent || !m_line.isOpen()) {
        log("muted " + record);
        return;
    }
    ++m_recordsSent;
    const int splitAfter = m_recordsSent == m_options.splitRecord ? m_options.splitAfter : 0;
    m_pacer.enqueue(LinePacer::slice(record, "tx " + record, m_options.byteGap, splitAfter,
                                     m_options.splitGap));
}

void VirtualTransmitter::repeatStatus() {
    if (m_options.garbageBytes > 0 && !m_silent && m_line.isOpen()) {
        QByteArray junk(m_options.garbageBytes, Qt::Uninitialized);
        for (char& byte : junk)
            byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
        m_pacer.enqueue(LinePacer::slice(junk, "junk " + junk.toHex(), m_options.byteGap));
    }
    send(m_options.malformedRepeats ? m_model.malformedStatusRecord() : m_model.statusRecord());
}

void VirtualTransmitter::hangUp() {
    m_statusTimer.stop();
    m_pacer.clear();
    m_line.hangUp();
    log("hangup");
    emit hungUp();
}

void VirtualTransmitter::log(const QByteArray& line) const {
    if (m_options.quiet)
        return;
    std::fwrite(line.constData(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace txsim
