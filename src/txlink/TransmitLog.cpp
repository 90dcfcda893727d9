#include "txlink/TransmitLog.h"

#include <algorithm>
#include <cstdint>

namespace txlink {

namespace {

bool isPrintableAscii(unsigned char c) {
    return c > 0x20 && c < 0x7f;
}

void appendHexEscape(std::string& out, unsigned char c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0x0f];
}

// The event and the keys are the program's own words, spaces included ("carrier on"); only
// what could break the line is written out.
void appendWord(std::string& out, std::string_view word) {
    for (const char ch : word) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f) {
            appendHexEscape(out, c);
        } else {
            out += ch;
        }
    }
}

}  // namespace

std::string logValue(std::string_view value) {
    const bool bare = !value.empty() && std::all_of(value.begin(), value.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return isPrintableAscii(c) && c != '"' && c != '\\' && c != '=';
    });
    if (bare) {
        return std::string(value);
    }
    std::string quoted = "\"";
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (c == ' ' || isPrintableAscii(c)) {
            quoted += ch;
        } else {
            appendHexEscape(quoted, c);
        }
    }
    quoted += '"';
    return quoted;
}

std::string transmitLogEntry(std::string_view event, std::span<const LogField> fields) {
    std::string entry;
    appendWord(entry, event);
    for (const LogField& field : fields) {
        entry += ' ';
        appendWord(entry, field.key);
        entry += '=';
        entry += logValue(field.value);
    }
    return entry;
}

std::string logSeconds(std::chrono::milliseconds duration) {
    const std::int64_t tenths = (std::max<std::int64_t>(duration.count(), 0) + 50) / 100;
    return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10);
}

}  // namespace txlink
