#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QList>

#include "CommandReader.h"

namespace {

using txsim::CommandReader;

struct ReaderCase {
    const char* name;
    QByteArrayList reads;
    // Commands as they are; a skipped run as "?" followed by its bytes.
    QByteArrayList tokens;
    qsizetype pending;
};

class CommandReaderCase : public testing::TestWithParam<ReaderCase> {};

TEST_P(CommandReaderCase, CutsTheLineIntoCommands) {
    const ReaderCase& c = GetParam();
    CommandReader reader;
    QByteArrayList tokens;
    for (const QByteArray& read : c.reads) {
        for (const CommandReader::Token& token : reader.feed(read)) {
            tokens.append(token.kind == CommandReader::Token::Kind::Command ? token.bytes
                                                                            : "?" + token.bytes);
        }
    }
    EXPECT_EQ(tokens, c.tokens);
    EXPECT_EQ(reader.pendingBytes(), c.pending);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, CommandReaderCase,
    testing::Values(ReaderCase{"Whole", {"2a"}, {"2a"}, 0},
                    ReaderCase{"SplitAcrossReads", {"3", "a"}, {"3a"}, 0},
                    ReaderCase{"SplitAfterOthers", {"1a2a3", "a4a"}, {"1a", "2a", "3a", "4a"}, 0},
                    ReaderCase{"ByteByByte", {"7", "a", "5", "a"}, {"7a", "5a"}, 0},
                    ReaderCase{"JunkAhead", {"xx5a"}, {"?xx", "5a"}, 0},
                    ReaderCase{"DigitsOutOfRange", {"8a9a0a"}, {"?8a9a0a"}, 0},
                    ReaderCase{"DigitThenCommand", {"33a"}, {"?3", "3a"}, 0},
                    ReaderCase{"CapitalA", {"3A3a"}, {"?3A", "3a"}, 0},
                    ReaderCase{"DoubledA", {"3aa4a"}, {"3a", "?a", "4a"}, 0},
                    ReaderCase{"TerminalLineEnd", {"2a\r\n"}, {"2a", "?\r\n"}, 0},
                    ReaderCase{"NulBytes",
                               {QByteArray("\0\0"
                                           "6a",
                                           4)},
                               {QByteArray("?\0\0", 3), "6a"},
                               0},
                    ReaderCase{"LoneDigitWaits", {"7"}, {}, 1},
                    ReaderCase{"LoneDigitAfterJunk", {"zz", "1"}, {"?zz"}, 1},
                    ReaderCase{"EmptyRead", {""}, {}, 0}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return info.param.name; });

}  // namespace
