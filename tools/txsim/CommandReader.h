#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace txsim {

// Cuts the bytes that arrive from the panel into two-byte commands. A tty hands them over in
// any pieces, so a command may straddle two reads; anything that is not a digit 1 to 7 followed
// by "a" is skipped, one byte at a time, so the next good command is found again.
class CommandReader {
public:
    struct Token {
        enum class Kind { Command, Junk };
        Kind kind;
        QByteArray bytes;

        bool operator==(const Token&) const = default;
    };

    // Returns the commands completed by these bytes, and the runs of skipped bytes between them,
    // in line order. A digit that may still be followed by its "a" is kept for the next call.
    QList<Token> feed(QByteArrayView bytes);

    qsizetype pendingBytes() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
};

}  // namespace txsim
