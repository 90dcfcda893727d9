#include "LinePacer.h"

#include <algorithm>

namespace txsim {

using namespace std::chrono;

QList<LinePacer::Piece> LinePacer::slice(const QByteArray& record, const QByteArray& note,
                                         microseconds byteGap, int splitAfter,
                                         microseconds splitGap) {
    const bool split = splitAfter > 0 && splitAfter < record.size();
    QList<Piece> pieces;
    if (byteGap > microseconds::zero()) {
        for (qsizetype i = 0; i < record.size(); ++i)
            pieces.append({record.sliced(i, 1), byteGap, {}});
        if (split)
            pieces[splitAfter - 1].pauseAfter = std::max(byteGap, splitGap);
    } else if (split) {
        pieces.append({record.first(splitAfter), splitGap, {}});
        pieces.append({record.sliced(splitAfter), microseconds::zero(), {}});
    } else {
        pieces.append({record, microseconds::zero(), {}});
    }
    if (!pieces.isEmpty())
        pieces.back().note = note;
    return pieces;
}

LinePacer::LinePacer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LinePacer::drain);
    m_clock.start();
}

void LinePacer::enqueue(const QList<Piece>& pieces) {
    if (pieces.isEmpty())
        return;
    const bool wasIdle = m_queue.empty();
    m_queue.insert(m_queue.end(), pieces.begin(), pieces.end());
    if (!wasIdle)
        return;
    // After a quiet spell the line owes no catching up.
    m_nextDue = std::max(m_nextDue, nanoseconds(m_clock.nsecsElapsed()));
    drain();
}

void LinePacer::clear() {
    m_queue.clear();
    m_timer.stop();
}

void LinePacer::drain() {
    while (!m_queue.empty() && nanoseconds(m_clock.nsecsElapsed()) >= m_nextDue) {
        const Piece piece = m_queue.front();
        m_queue.pop_front();
        m_nextDue += piece.pauseAfter;
        emit bytesDue(piece.bytes);
        if (!piece.note.isEmpty())
            emit written(piece.note);
    }
    schedule();
}

void LinePacer::schedule() {
    if (m_queue.empty())
        return;
    const nanoseconds wait = m_nextDue - nanoseconds(m_clock.nsecsElapsed());
    m_timer.start(ceil<milliseconds>(std::max(wait, nanoseconds::zero())));
}

}  // namespace txsim
