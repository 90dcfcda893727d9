// The program's command line: a start without arguments runs the panel; --help and --version
// answer and end; anything else is refused with its reason.

#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

TEST(CommandLine, ReadsWhatItKnowsAndRefusesTheRest) {
    struct Case {
        QStringList arguments;
        bool accepted;
        bool help;
        bool version;
        const char* reasonNames;  // for a refusal: what the reason must name
    };
    const Case cases[] = {
        {{}, true, false, false, ""},
        {{"--help"}, true, true, false, ""},
        {{"-h"}, true, true, false, ""},
        {{"--version"}, true, false, true, ""},
        {{"-v"}, true, false, true, ""},
        {{"--bogus"}, false, false, false, "bogus"},
        {{"-x"}, false, false, false, "x"},
        {{"Com1"}, false, false, false, "Com1"},
        {{"--help", "extra"}, false, false, false, "extra"},
        {{"--version=2"}, false, false, false, "version"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto options =
            app::parseCommandLine(QStringList{QStringLiteral("vora-tx-controller")} + c.arguments);
        ASSERT_EQ(options.ok(), c.accepted);
        if (!c.accepted) {
            EXPECT_NE(options.error().reason.find(c.reasonNames), std::string::npos)
                << options.error().reason;
            continue;
        }
        EXPECT_EQ(options->help, c.help);
        EXPECT_EQ(options->version, c.version);
    }
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionTheProjectVersion) {
    const QString help = app::helpText();
    for (const char* option : {"--help", "--version", "-h", "-v"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
    EXPECT_TRUE(app::versionText().startsWith(QStringLiteral("vora-tx-controller 1.")));
    EXPECT_TRUE(app::usageText().startsWith(QStringLiteral("Usage: vora-tx-controller")));
}

}  // namespace
