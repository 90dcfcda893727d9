// The program's command line: a start without arguments runs the panel; --help and --version
// answer and end; anything else is refused with its reason.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "app/CommandLine.h"

namespace {

// Parses `arguments`; expects a refusal whose reason names `refusalNames`, or (nullptr) none.
std::optional<app::Options> acceptedOrRefused(const QStringList& arguments,
                                              const char* refusalNames) {
    const auto options =
        app::parseCommandLine(QStringList{QStringLiteral("vora-tx-controller")} + arguments);
    EXPECT_EQ(options.ok(), refusalNames == nullptr);
    if (!options) {
        if (refusalNames != nullptr) {
            EXPECT_NE(options.error().reason.find(refusalNames), std::string::npos)
                << options.error().reason;
        }
        return std::nullopt;
    }
    return options.value();
}

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

// Network control: --rigctld[=PORT] turns it on for the run; --rigctld-listen ADDR says where.
TEST(CommandLine, NetworkControlOptionsTakeAPortAndAnAddress) {
    struct Case {
        QStringList arguments;
        std::optional<quint16> port;  // empty: network control not asked for
        const char* address;
        const char* refusalNames;  // nullptr: accepted
    };
    const Case cases[] = {
        {{}, std::nullopt, "127.0.0.1", nullptr},
        {{"--rigctld"}, 4532, "127.0.0.1", nullptr},
        {{"--rigctld=4600"}, 4600, "127.0.0.1", nullptr},
        {{"-rigctld=0"}, 0, "127.0.0.1", nullptr},
        {{"--rigctld=65535", "--rigctld-listen", "0.0.0.0"}, 65535, "0.0.0.0", nullptr},
        {{"--rigctld-listen=::1"}, std::nullopt, "::1", nullptr},
        {{"--rigctld=65536"}, std::nullopt, "", "65536"},
        {{"--rigctld="}, std::nullopt, "", "--rigctld"},
        {{"--rigctld=+45"}, std::nullopt, "", "+45"},
        {{"--rigctld=4532x"}, std::nullopt, "", "4532x"},
        {{"--rigctld", "4600"}, std::nullopt, "", "4600"},
        {{"--rigctld-listen"}, std::nullopt, "", "rigctld-listen"},
        {{"--rigctld-listen", "localhost"}, std::nullopt, "", "localhost"},
        {{"--rigctld-listen", "300.1.1.1"}, std::nullopt, "", "300.1.1.1"},
        {{"--rigctld-listen=1.2.3.4=5"}, std::nullopt, "", "1.2.3.4=5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto options = acceptedOrRefused(c.arguments, c.refusalNames);
        if (!options) {
            continue;
        }
        EXPECT_EQ(options->networkControlPort, c.port);
        EXPECT_EQ(options->networkControlAddress, QHostAddress(QString::fromLatin1(c.address)));
    }
}

// --tx-timeout SECONDS: 10 to 3600, whole seconds only.
TEST(CommandLine, ReadsATransmitTimeoutForTheRun) {
    const std::tuple<QStringList, std::optional<int>, const char*> cases[] = {
        {{}, std::nullopt, nullptr},
        {{"--tx-timeout", "10"}, 10, nullptr},
        {{"--tx-timeout=3600"}, 3600, nullptr},
        {{"--tx-timeout", "9"}, std::nullopt, "'9'"},
        {{"--tx-timeout", "3601"}, std::nullopt, "3601"},
        {{"--tx-timeout", "1e2"}, std::nullopt, "1e2"},
        {{"--tx-timeout", "-60"}, std::nullopt, "-60"},
        {{"--tx-timeout"}, std::nullopt, "tx-timeout"},
        {{"--tx-timeout", "60", "--list-ports"}, std::nullopt, "do not go with"},
    };
    for (const auto& [arguments, seconds, refusal] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto options = acceptedOrRefused(arguments, refusal);
        if (options) {
            EXPECT_EQ(options->transmitTimeout,
                      seconds ? std::optional(std::chrono::seconds(*seconds)) : std::nullopt);
        }
    }
}

// --profile NAME: a name that makes a folder of its own and nothing else.
TEST(CommandLine, ReadsAProfileNameThatCanOnlyNameAFolder) {
    const std::tuple<QStringList, QString, const char*> cases[] = {
        {{}, "", nullptr},
        {{"--profile", "second"}, "second", nullptr},
        {{"--profile=rig_2-70cm"}, "rig_2-70cm", nullptr},
        {{"--profile", QString(32, u'x')}, QString(32, u'x'), nullptr},
        {{"--profile", QString(33, u'x')}, "", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        {{"--profile", ""}, "", "''"},
        {{"--profile", "../up"}, "", "../up"},
        {{"--profile", "a/b"}, "", "a/b"},
        {{"--profile", "with space"}, "", "with space"},
        {{"--profile", "caf\u00e9"}, "", "--profile"},
        {{"--profile"}, "", "profile"},
        {{"--profile", "second", "--list-ports"}, "", "do not go with"},
    };
    for (const auto& [arguments, profile, refusal] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto options = acceptedOrRefused(arguments, refusal);
        if (options) {
            EXPECT_EQ(options->profile, profile);
        }
    }
}

TEST(CommandLine, ReadsOnePortMapCommandAtATime) {
    struct Case {
        QStringList arguments;
        const char* refusalNames;  // nullptr: accepted
        std::optional<int> map = {};
        const char* device = "";
        std::optional<int> unmap = {};
    };
    const Case cases[] = {
        {{"/dev/ttyACM0", "--map-port=9"}, nullptr, 9, "/dev/ttyACM0", {}},
        {{"--unmap-port", "1"}, nullptr, {}, "", 1},
        {{"--map-port", "10", "/dev/ttyUSB0"}, "'10'"},
        {{"--unmap-port", "one"}, "'one'"},
        {{"--map-port", "3"}, "DEVICE"},
        {{"--unmap-port", "3", "/dev/a"}, "/dev/a"},
        {{"--list-ports", "--unmap-port", "2"}, "one at a time"},
        {{"--list-ports", "--rigctld"}, "do not go with"},
        {{"--map-port", "2", "/dev/ttyUSB0", "--rigctld-listen", "0.0.0.0"}, "do not go with"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto options = acceptedOrRefused(c.arguments, c.refusalNames);
        if (!options) {
            continue;
        }
        EXPECT_EQ(options->mapPort, c.map);
        EXPECT_EQ(options->mapDevice, QLatin1String(c.device));
        EXPECT_EQ(options->unmapPort, c.unmap);
    }
    EXPECT_TRUE(app::parseCommandLine({"vora-tx-controller", "--list-ports"})->listPorts);
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionTheProjectVersion) {
    const QString help = app::helpText();
    for (const char* option : {"--help", "--version", "-h", "-v", "--rigctld[=PORT]",
                               "--rigctld-listen ADDR", "--tx-timeout SECONDS", "--profile NAME",
                               "--list-ports", "--map-port N DEVICE", "--unmap-port N"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
    // The option lines wrap at a terminal's width.
    for (const QString& line : help.mid(help.indexOf(QStringLiteral("Options:"))).split(u'\n')) {
        EXPECT_LE(line.size(), 80) << line.toStdString();
    }
    EXPECT_TRUE(app::versionText().startsWith(QStringLiteral("vora-tx-controller 1.")));
    EXPECT_TRUE(app::usageText().startsWith(QStringLiteral("Usage: vora-tx-controller")));
}

}  // namespace
