// The transmit log's entries: one line each, whatever a client puts into a value.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "txlink/TransmitLog.h"

namespace {

using namespace std::chrono_literals;
using txlink::LogField;

TEST(TransmitLogEntry, EventThenItsFieldsInOrderWithValuesQuotedAsNeeded) {
    struct Row {
        std::string_view event;
        std::vector<LogField> fields;
        std::string_view entry;
    };
    const Row rows[] = {
        {"carrier on", {}, "carrier on"},
        {"toggle",
         {{"by", "network"}, {"peer", "127.0.0.1:51234"}},
         "toggle by=network peer=127.0.0.1:51234"},
        {"client gone", {{"peer", "[::1]:4000"}}, "client gone peer=[::1]:4000"},
        {"carrier off", {{"after", "70.0"}}, "carrier off after=70.0"},
        {"client dropped",
         {{"peer", "10.0.0.2:5000"}, {"reason", "it leaves its answers unread"}},
         R"(client dropped peer=10.0.0.2:5000 reason="it leaves its answers unread")"},
        {"x", {{"empty", ""}}, R"(x empty="")"},
        {"x", {{"eq", "a=b"}}, R"(x eq="a=b")"},
        {"x", {{"q", R"(say "hi")"}}, R"(x q="say \"hi\"")"},
        {"x", {{"bs", R"(C:\temp)"}}, R"(x bs="C:\\temp")"},
        {"x", {{"nl", "a\nb"}}, R"(x nl="a\x0ab")"},
        {"x", {{"cr", "a\r"}}, R"(x cr="a\x0d")"},
        {"x", {{"esc", "\x1b[2J"}}, R"(x esc="\x1b[2J")"},
        {"x", {{"nul", std::string("a\0b", 3)}}, R"(x nul="a\x00b")"},
        {"x", {{"tab", "a\tb"}}, R"(x tab="a\x09b")"},
        {"x", {{"del", "\x7f"}}, R"(x del="\x7f")"},
        {"x", {{"utf8", "Café"}}, R"(x utf8="Caf\xc3\xa9")"},
        // A value that would forge a second entry or another field, were it written bare.
        {"toggle",
         {{"peer", "1.2.3.4:5\n2026-01-01T00:00:00.000Z carrier on"}},
         R"(toggle peer="1.2.3.4:5\x0a2026-01-01T00:00:00.000Z carrier on")"},
        {"toggle", {{"peer", "x by=button"}}, R"(toggle peer="x by=button")"},
        // The program's own words are written as they are, but never end the line.
        {"odd\nevent", {{"k\r", "v"}}, R"(odd\x0aevent k\x0d=v)"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(txlink::transmitLogEntry(row.event, row.fields), row.entry) << row.entry;
    }
}

// Reads an entry's fields back the way a reader of the log would: split at spaces outside
// quotes, a key up to the first '=', quoted values unescaped. Empty when it cannot be read.
std::optional<std::vector<std::pair<std::string, std::string>>> readFields(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i++] != ' ') {
            return std::nullopt;
        }
        const std::size_t eq = text.find('=', i);
        if (eq == std::string_view::npos) {
            return std::nullopt;
        }
        std::string key(text.substr(i, eq - i));
        std::string value;
        i = eq + 1;
        if (i < text.size() && text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) {
                    return std::nullopt;
                }
                if (text[i] == '"') {
                    ++i;
                    break;
                }
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'x') {
                    value +=
                        static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), {}, 16));
                    i += 3;
                } else if (text[i] == '\\') {
                    value += text[++i];
                } else {
                    value += text[i];
                }
            }
        } else {
            const std::size_t end = std::min(text.find(' ', i), text.size());
            value = text.substr(i, end - i);
            i = end;
        }
        fields.emplace_back(std::move(key), std::move(value));
    }
    return fields;
}

TEST(TransmitLogEntry, EveryByteInAValueStaysInItsFieldOnOneLine) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string hostile = std::string("a") + static_cast<char>(byte) + "\" b=c\\";
        const LogField fields[] = {{"peer", hostile}, {"by", "network"}};
        const std::string entry = txlink::transmitLogEntry("toggle", fields);
        for (const char ch : entry) {
            ASSERT_TRUE(ch >= 0x20 && ch < 0x7f) << "byte " << byte << ": " << entry;
        }
        ASSERT_EQ(entry.rfind("toggle", 0), 0u) << entry;
        const auto read = readFields(std::string_view(entry).substr(6));
        ASSERT_TRUE(read.has_value()) << entry;
        const std::vector<std::pair<std::string, std::string>> expected = {{"peer", hostile},
                                                                           {"by", "network"}};
        EXPECT_EQ(*read, expected) << "byte " << byte << ": " << entry;
    }
}

TEST(TransmitLogEntry, SecondsHaveOneDecimalRoundedToTheNearestTenth) {
    const std::pair<std::chrono::milliseconds, std::string_view> rows[] = {
        {0ms, "0.0"},       {49ms, "0.0"},      {50ms, "0.1"},
        {949ms, "0.9"},     {950ms, "1.0"},     {70'000ms, "70.0"},
        {70'049ms, "70.0"}, {70'951ms, "71.0"}, {3'600'000ms, "3600.0"},
        {-5ms, "0.0"},
    };
    for (const auto& [duration, text] : rows) {
        EXPECT_EQ(txlink::logSeconds(duration), text) << duration.count() << " ms";
    }
}

class EntriesKept final : public txlink::TransmitLog {
public:
    std::vector<std::string> entries;

protected:
    void write(const std::string& entry) override { entries.push_back(entry); }
};

TEST(TransmitLog, RecordHandsTheWriterOneFormattedEntryPerEvent) {
    EntriesKept log;
    txlink::TransmitLog& asCoreSeesIt = log;
    asCoreSeesIt.record(txlink::logevent::kToggle,
                        {{"by", std::string(txlink::logorigin::kClientGone)}, {"peer", "h:1"}});
    asCoreSeesIt.record(txlink::logevent::kLinkDown);
    const std::vector<LogField> built = {{"reason", "too long"}};
    asCoreSeesIt.record(txlink::logevent::kClientDropped, built);
    const std::vector<std::string> expected = {"toggle by=client-gone peer=h:1", "link down",
                                               R"(client dropped reason="too long")"};
    EXPECT_EQ(log.entries, expected);
}

}  // namespace
