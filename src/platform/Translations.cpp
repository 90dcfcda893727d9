#include "platform/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLoggingCategory>

namespace platform {
namespace {

// Which translation was read, for QT_LOGGING_RULES="vora.language.debug=true"; quiet otherwise.
Q_LOGGING_CATEGORY(lcLanguage, "vora.language", QtInfoMsg)

QString qmFile(const QString& folder, const QString& catalogue, const QString& language) {
    return folder + u'/' + catalogue + u'_' + language + QStringLiteral(".qm");
}

QString canonical(const QString& path) {
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

}  // namespace

QStringList desktopLanguages(const QString& messagesLocale, const QStringList& uiLanguages) {
    const QString name = messagesLocale.section(u'.', 0, 0).section(u'@', 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) {
        return {QStringLiteral("C")};
    }
    return uiLanguages;
}

QStringList desktopLanguages() {
    QString messagesLocale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messagesLocale = qEnvironmentVariable(variable);
        if (!messagesLocale.isEmpty()) {
            break;
        }
    }
    return desktopLanguages(messagesLocale, QLocale::system().uiLanguages());
}

QStringList translationFolders() {
    const QString installed = QStringLiteral(VORA_INSTALLED_TRANSLATIONS);
    const QString built = QStringLiteral(VORA_BUILT_TRANSLATIONS);
    // A program run from its build folder (the panel, the simulator, a test) reads what that
    // build made, not an older installation's.
    const QString program = canonical(QCoreApplication::applicationDirPath());
    const bool fromBuildFolder =
        !program.isEmpty() &&
        program.startsWith(canonical(QStringLiteral(VORA_BUILD_FOLDER)) + u'/');
    return fromBuildFolder ? QStringList{built, installed} : QStringList{installed, built};
}

Translations::Translations(const QString& catalogue, const QStringList& languages,
                           const QStringList& folders) {
    QString file;
    m_language = chosenLanguage(languages, [&](const QString& language) {
        for (const QString& folder : folders) {
            if (QFileInfo(qmFile(folder, catalogue, language)).isFile()) {
                file = qmFile(folder, catalogue, language);
                return true;
            }
        }
        return false;
    });
    if (m_language.isEmpty()) {
        return;
    }
    if (!m_program.load(file)) {
        qCWarning(lcLanguage, "cannot read the translation %s", qPrintable(file));
        m_language.clear();
        return;
    }
    QCoreApplication::installTranslator(&m_program);
    // Qt's own texts (standard buttons, the command line's help) in the same language, where
    // the desktop has them; without them those stay English.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (m_qt.load(QStringLiteral("qtbase_") + m_language, qtFolder)) {
        QCoreApplication::installTranslator(&m_qt);
    } else {
        qCDebug(lcLanguage, "no Qt translation for %s in %s", qPrintable(m_language),
                qPrintable(qtFolder));
    }
    if (m_qtSerialPort.load(QStringLiteral("qtserialport_") + m_language, qtFolder)) {
        QCoreApplication::installTranslator(&m_qtSerialPort);
    }
    qCDebug(lcLanguage, "texts in %s from %s", qPrintable(m_language), qPrintable(file));
}

Translations::~Translations() {
    for (QTranslator* translator : {&m_qtSerialPort, &m_qt, &m_program}) {
        if (!translator->isEmpty()) {
            QCoreApplication::removeTranslator(translator);
        }
    }
}

}  // namespace platform
