#include "CommandReader.h"

namespace txsim {

namespace {

bool isCommandDigit(char c) {
    return c >= '1' && c <= '7';
}

}  // namespace

QList<CommandReader::Token> CommandReader::feed(QByteArrayView bytes) {
    m_buffer.append(bytes);
    QList<Token> tokens;
    const auto skip = [&tokens](char c) {
        if (tokens.isEmpty() || tokens.back().kind != Token::Kind::Junk)
            tokens.append({Token::Kind::Junk, {}});
        tokens.back().bytes.append(c);
    };

    qsizetype i = 0;
    while (i < m_buffer.size()) {
        const char c = m_buffer[i];
        if (isCommandDigit(c)) {
            if (i + 1 == m_buffer.size())
                break;
            if (m_buffer[i + 1] == 'a') {
                tokens.append({Token::Kind::Command, m_buffer.sliced(i, 2)});
                i += 2;
                continue;
            }
        }
        skip(c);
        ++i;
    }
    m_buffer.remove(0, i);
    return tokens;
}

}  // namespace txsim
