#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace platform {

// The desktop's languages in order of preference, as QLocale::system().uiLanguages() lists them
// (LANGUAGE, then LC_ALL, LC_MESSAGES or LANG); but, as gettext has it, under the C locale the
// list counts for nothing: when the first of LC_ALL, LC_MESSAGES and LANG that is set
// (`messagesLocale`) is C, C.<codeset> or POSIX, or none is set, the list is {"C"}.
QStringList desktopLanguages(const QString& messagesLocale, const QStringList& uiLanguages);
QStringList desktopLanguages();

// The language a translation is chosen in, from `languages` in order of preference: the first
// that is English or C, for which the program's own texts stand, or the first that
// `hasTranslation` accepts, by its full name ("nl_BE") or by its language alone ("nl"). Empty:
// the program's own texts.
template <typename HasTranslation>
QString chosenLanguage(const QStringList& languages, HasTranslation hasTranslation) {
    for (const QString& language : languages) {
        const QLocale locale(language);
        if (language == QLatin1String("C") || locale.language() == QLocale::C ||
            locale.language() == QLocale::English) {
            return {};
        }
        const QString fullName = QString(language).replace(u'-', u'_');
        for (const QString& name : {fullName, QLocale::languageToCode(locale.language())}) {
            if (!name.isEmpty() && hasTranslation(name)) {
                return name;
            }
        }
    }
    return {};
}

// The folders a catalogue's .qm files are looked for in: the installation's, then the build
// folder's; a program run from its build folder looks in the build folder first.
QStringList translationFolders();

// The program's translation `catalogue` ("vora", "vora-txsim") and Qt's own, in the language the
// desktop asks for, installed in the application for as long as this lives. Under English or the
// C locale nothing is installed, and every text is the program's own, as written.
class Translations {
public:
    explicit Translations(const QString& catalogue,
                          const QStringList& languages = desktopLanguages(),
                          const QStringList& folders = translationFolders());
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // "nl", "de", ...; empty when the program's own texts stand.
    QString language() const { return m_language; }
    // The program's translation file in use, or empty.
    QString programFile() const { return m_program.filePath(); }
    // Whether Qt's own buttons and messages are translated too (qt6-translations-l10n).
    bool qtTranslated() const { return !m_qt.isEmpty(); }

private:
    QString m_language;
    QTranslator m_program;
    QTranslator m_qt;
    QTranslator m_qtSerialPort;
};

}  // namespace platform
