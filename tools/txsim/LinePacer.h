#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>

namespace txsim {

// Puts pieces of output on the line one after another, each after the pause its predecessor
// asked for. Pauses are kept on average even below the timer's millisecond grain: a piece that
// went out late shortens the next pause instead of delaying everything after it.
class LinePacer : public QObject {
    Q_OBJECT

public:
    struct Piece {
        QByteArray bytes;
        std::chrono::microseconds pauseAfter{0};
        // Reported through written() once the piece is on the line; empty for none.
        QByteArray note;

        bool operator==(const Piece&) const = default;
    };

    // Cuts one record into the pieces the line delivers it in. With a byte gap every byte is a
    // piece of its own; with splitAfter between 1 and the record's length minus one the record
    // breaks there, with splitGap between the parts. The last piece carries the note.
    static QList<Piece> slice(const QByteArray& record, const QByteArray& note,
                              std::chrono::microseconds byteGap, int splitAfter = 0,
                              std::chrono::microseconds splitGap = {});

    explicit LinePacer(QObject* parent = nullptr);

    void enqueue(const QList<Piece>& pieces);
    // Drops what has not gone out yet, as a line does that is cut.
    void clear();
    bool idle() const { return m_queue.empty(); }

signals:
    void bytesDue(const QByteArray& bytes);
    void written(const QByteArray& note);

private:
    void drain();
    void schedule();

    std::deque<Piece> m_queue;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::chrono::nanoseconds m_nextDue{0};
};

}  // namespace txsim
