// Which language the desktop's settings choose, what gets installed for it, and that every part
// of the program that speaks to the operator speaks through the translations.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <set>

#include "PortMapEntry.h"
#include "SimOptions.h"
#include "app/CommandLine.h"
#include "app/PortMapCommands.h"
#include "platform/IniSettingsStore.h"
#include "platform/PortMap.h"
#include "platform/Translations.h"
#include "portmap/PortAssignments.h"
#include "serial/OpenFailure.h"
#include "support/TestConfig.h"
#include "ui/about/MakerDetails.h"
#include "ui/main/StartupMessage.h"

namespace {

const QString kBuilt = QStringLiteral(VORA_TRANSLATIONS_BUILD_DIR);

QString mainWindowText(const char* source) {
    return QCoreApplication::translate("ui::main::MainWindow", source);
}

TEST(DesktopLanguages, TheCLocaleOutweighsTheLanguageList) {
    const QStringList dutch = {QStringLiteral("nl-NL"), QStringLiteral("nl")};
    const QStringList onlyC = {QStringLiteral("C")};
    struct Row {
        const char* messagesLocale;
        QStringList expected;
    };
    const Row rows[] = {
        {"", onlyC},       {"C", onlyC},          {"C.UTF-8", onlyC},
        {"C.utf8", onlyC}, {"POSIX", onlyC},      {"nl_NL.UTF-8", dutch},
        {"nl_NL", dutch},  {"de_DE@euro", dutch}, {"en_GB.UTF-8", dutch},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.messagesLocale);
        EXPECT_EQ(platform::desktopLanguages(QString::fromLatin1(row.messagesLocale), dutch),
                  row.expected);
    }
}

TEST(ChosenLanguage, FirstPreferenceWithATranslationUnlessEnglishComesFirst) {
    struct Row {
        QStringList languages;
        QStringList available;
        const char* expected;
    };
    const QStringList ours = {QStringLiteral("nl"), QStringLiteral("de")};
    const Row rows[] = {
        {{"nl-NL", "nl-Latn-NL", "nl"}, ours, "nl"},
        {{"de-AT", "de-Latn-AT"}, ours, "de"},  // no plain "de" in the list
        {{"nl-BE"}, {"nl_BE", "nl"}, "nl_BE"},
        {{"fr-FR", "fr", "de-DE"}, ours, "de"},
        {{"en-US", "en"}, ours, ""},
        {{"en-GB", "nl"}, ours, ""},
        {{"C"}, ours, ""},
        {{"fr-FR", "fr"}, ours, ""},
        {{}, ours, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.languages.join(u',').toStdString());
        EXPECT_EQ(
            platform::chosenLanguage(
                row.languages, [&](const QString& name) { return row.available.contains(name); }),
            QString::fromLatin1(row.expected));
    }
}

TEST(Translations, InstallTheChosenLanguageForAsLongAsTheyLive) {
    {
        const platform::Translations dutch(QStringLiteral("vora"), {QStringLiteral("nl-NL")},
                                           {kBuilt});
        EXPECT_EQ(dutch.language(), "nl");
        EXPECT_EQ(dutch.programFile(), kBuilt + QStringLiteral("/vora_nl.qm"));
        EXPECT_EQ(mainWindowText("File"), "Bestand");
        // Qt's own buttons too, where the desktop has Qt's translations.
        if (QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                              QStringLiteral("/qtbase_nl.qm"))) {
            EXPECT_TRUE(dutch.qtTranslated());
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuleren");
        }
    }
    EXPECT_EQ(mainWindowText("File"), "File");
}

TEST(Translations, EnglishAndTheCLocaleInstallNothing) {
    for (const QStringList& languages :
         {QStringList{"C"}, QStringList{"en-US", "en"}, QStringList{"en-GB", "nl"}}) {
        SCOPED_TRACE(languages.join(u',').toStdString());
        const platform::Translations none(QStringLiteral("vora"), languages, {kBuilt});
        EXPECT_TRUE(none.language().isEmpty());
        EXPECT_TRUE(none.programFile().isEmpty());
        EXPECT_FALSE(none.qtTranslated());
        EXPECT_EQ(mainWindowText("File"), "File");
    }
}

TEST(Translations, AMissingCatalogueLeavesTheProgramsOwnTexts) {
    const QTemporaryDir empty;
    const platform::Translations none(QStringLiteral("vora"), {QStringLiteral("nl")},
                                      {empty.path()});
    EXPECT_TRUE(none.language().isEmpty());
    EXPECT_EQ(mainWindowText("File"), "File");
}

// Each part that builds texts outside a window names its translation context itself; a context
// that differs from the one lupdate files the texts under leaves that part in English.
TEST(Translations, ReachEveryPartThatSpeaksToTheOperator) {
    testsupport::TestConfig config;  // a private port map
    const QTemporaryDir scratch;
    struct Row {
        const char* catalogue;
        const char* part;
        std::function<QString()> text;
        const char* dutch;  // how it starts
    };
    const auto reason = [](const auto& result) {
        return QString::fromStdString(result.error().reason);
    };
    const Row rows[] = {
        {"vora", "start-up box", [] { return ui::main::startupErrorTitle(); }, "Fout !!"},
        {"vora", "start-up box, port text",
         [] { return ui::main::startupErrorMessage(13, QStringLiteral("Com x"), {}); },
         "VoraController\r\rFout nr 13\r\rDe opgeslagen poort \"Com x\""},
        {"vora", "opening the port",
         [] {
             return QString::fromStdString(
                 serial::openFailure(QStringLiteral("/dev/x"), QSerialPort::DeviceNotFoundError,
                                     QStringLiteral("why"), false, std::nullopt)
                     .reason);
         },
         "/dev/x bestaat niet (why)."},
        {"vora", "port map", [&] { return reason(platform::checkedDeviceForPort(0)); },
         "Poort 0 wijst geen apparaat aan"},
        {"vora", "port assignments",
         [&] { return reason(portmap::assignPort(0, QStringLiteral("/dev/null"))); },
         "Poort 0 is geen poortnummer"},
        {"vora", "settings file",
         [&] {
             platform::IniSettingsStore store(scratch.path());  // a folder, not a file
             return reason(store.read(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                      QString()));
         },
         "kan het instellingenbestand"},
        {"vora", "command line help", [] { return app::helpText(); }, "Gebruik: "},
        {"vora", "command line refusal",
         [&] {
             return reason(app::parseCommandLine(
                 {QStringLiteral("x"), QStringLiteral("--tx-timeout"), QStringLiteral("3")}));
         },
         "ongeldige time-out"},
        {"vora", "port listing", [] { return app::portListing({}, {}); },
         "Aanwezige seriële apparaten:\n  geen\n"},
        {"vora-txsim", "simulator options",
         [&] {
             return reason(txsim::SimOptions::parse(
                 {QStringLiteral("x"), QStringLiteral("--power"), QStringLiteral("300")}));
         },
         "--power verwacht 0 tot 255"},
        {"vora-txsim", "simulator port map",
         [&] {
             txsim::PortMapEntry entry;
             return reason(entry.publish(0, QStringLiteral("/dev/null"), false));
         },
         "poort 0 ligt niet tussen 1 en 9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part);
        const QString english = row.text();
        const platform::Translations dutch(QString::fromLatin1(row.catalogue),
                                           {QStringLiteral("nl")}, {kBuilt});
        ASSERT_EQ(dutch.language(), "nl");
        const QString translated = row.text();
        EXPECT_TRUE(translated.startsWith(QString::fromUtf8(row.dutch)))
            << translated.toStdString();
        EXPECT_NE(translated, english);
    }
}

// The build's defaults name nobody and read in the operator's language; a distributor's own
// name and address stay as they are.
TEST(Translations, TheAboutWindowsDefaultMakerReadsInTheLanguage) {
    const ui::about::MakerDetails english = ui::about::MakerDetails::configured();
    const platform::Translations dutch(QStringLiteral("vora"), {QStringLiteral("nl")}, {kBuilt});
    const ui::about::MakerDetails translated = ui::about::MakerDetails::configured();
    for (const auto& [ours, theirs, dutchDefault, englishDefault] :
         {std::tuple{translated.author, english.author, "de Vora TX-ontwikkelaars",
                     "the Vora TX developers"},
          std::tuple{translated.email, english.email, "uw distributeur", "your distributor"}}) {
        EXPECT_EQ(ours, theirs == QLatin1String(englishDefault) ? QString::fromUtf8(dutchDefault)
                                                                : theirs);
    }
}

}  // namespace
