// How a device's name is shown when anybody may have chosen it.
#include <gtest/gtest.h>

#include "platform/PrintableName.h"

namespace {

TEST(PrintableName, ControlCharactersAreWrittenOutAndTheRestStays) {
    const std::pair<QString, QString> rows[] = {
        {"/dev/serial/by-id/usb-Café_ü-if00", "/dev/serial/by-id/usb-Café_ü-if00"},
        {"/tmp/\x1b[31mred\x1b[0m", "/tmp/\\e[31mred\\e[0m"},
        {"a\tb\nc\rd\x7f", "a\\x09b\\x0ac\\x0dd\\x7f"},
        {QStringLiteral("csi\u009b2J"), "csi\\x9b2J"},
        {QStringLiteral("txt.\u202egpj"), "txt.\\u{202e}gpj"},
        {QStringLiteral("one\u2028two"), "one\\u{2028}two"},
        {"back\\e", "back\\\\e"},  // not to be read as an escape
    };
    for (const auto& [name, shown] : rows) {
        EXPECT_EQ(platform::printableName(name), shown) << shown.toStdString();
    }
}

}  // namespace
