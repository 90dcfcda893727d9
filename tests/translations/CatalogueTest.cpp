// The translations against the sources as they are: lupdate runs over them (as
// scripts/update-translations.sh does, on copies of the .ts files), and every text it finds must
// have a finished translation in every language, with the same markers as the text itself. A text
// added to the program without a translation fails here.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

const QString kSourceDir = QStringLiteral(VORA_SOURCE_DIR);

struct Message {
    QString context;
    QString source;
    bool numerus = false;
    QString type;  // "unfinished", "vanished", "obsolete" or empty for a finished one
    QStringList translations;
};

QList<Message> readCatalogue(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    QList<Message> messages;
    QString context;
    Message message;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                message = Message{context, {}, xml.attributes().value("numerus") == u"yes", {}, {}};
            } else if (name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                message.type = xml.attributes().value("type").toString();
                if (!message.numerus) {
                    message.translations << xml.readElementText();
                }
            } else if (name == QLatin1String("numerusform")) {
                message.translations << xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages << message;
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

// %1 to %99 and %n, each as often as it comes.
QStringList markers(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(\\d\\d?|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text)) {
        found << match.captured();
    }
    std::sort(found.begin(), found.end());
    return found;
}

int mnemonics(const QString& text) {
    return int(QString(text).remove(QStringLiteral("&&")).count(u'&'));
}

// Pieces that are put together (the start-up box's) keep their spaces and line breaks at the ends.
QString ends(const QString& text) {
    static const QRegularExpression space(QStringLiteral("^(\\s*).*?(\\s*)$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = space.match(text);
    return match.captured(1) + u'|' + match.captured(2);
}

class Catalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_scratch = new QTemporaryDir;
        QProcess update;
        update.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LUPDATE"), QStringLiteral(VORA_LUPDATE));
        update.setProcessEnvironment(environment);
        update.start(QStringLiteral("bash"),
                     {kSourceDir + QStringLiteral("/scripts/update-translations.sh"),
                      QStringLiteral("--into"), s_scratch->path()});
        s_finished = update.waitForFinished(120000) && update.exitStatus() == QProcess::NormalExit;
        s_status = update.exitCode();
        s_output = QString::fromLocal8Bit(update.readAll());
    }
    static void TearDownTestSuite() { delete s_scratch; }

    void SetUp() override {
        ASSERT_TRUE(s_finished) << s_output.toStdString();
        ASSERT_EQ(s_status, 0) << s_output.toStdString();
    }

    static QStringList catalogues() {
        return QDir(s_scratch->path()).entryList({QStringLiteral("*.ts")}, QDir::Files);
    }
    static QString path(const QString& name) { return s_scratch->filePath(name); }

    static inline QTemporaryDir* s_scratch = nullptr;
    static inline bool s_finished = false;
    static inline int s_status = -1;
    static inline QString s_output;
};

TEST_F(Catalogues, LupdatePlacesEveryTextWithoutAComplaint) {
    // A warning here is a text filed under the wrong context, which no translation would reach.
    EXPECT_TRUE(s_output.trimmed().isEmpty()) << s_output.toStdString();
}

TEST_F(Catalogues, EachLanguageTranslatesTheProgramAndTheSimulator) {
    QStringList program;
    QStringList simulator;
    for (const QString& name : catalogues()) {
        (name.startsWith(QLatin1String("vora-txsim_")) ? simulator : program)
            << name.section(u'_', 1);
    }
    EXPECT_GE(program.size(), 2) << catalogues().join(u' ').toStdString();
    EXPECT_EQ(program, simulator);
}

TEST_F(Catalogues, EveryTextHasAFinishedTranslation) {
    for (const QString& name : catalogues()) {
        const QList<Message> messages = readCatalogue(path(name));
        EXPECT_FALSE(messages.isEmpty()) << name.toStdString();
        int finished = 0;
        for (const Message& m : messages) {
            const bool done = m.type.isEmpty() && !m.translations.isEmpty() &&
                              std::none_of(m.translations.begin(), m.translations.end(),
                                           [](const QString& t) { return t.trimmed().isEmpty(); });
            finished += done ? 1 : 0;
            EXPECT_TRUE(done) << name.toStdString() << ", " << m.context.toStdString()
                              << ": no finished translation of \"" << m.source.toStdString() << "\""
                              << (m.type.isEmpty() ? "" : " (" + m.type.toStdString() + ")");
        }
        std::printf("%s: %d text(s), %d finished\n", qPrintable(name), int(messages.size()),
                    finished);
    }
}

TEST_F(Catalogues, TranslationsKeepTheMarkersMnemonicsAndEnds) {
    for (const QString& name : catalogues()) {
        for (const Message& m : readCatalogue(path(name))) {
            for (const QString& t : m.translations) {
                if (t.isEmpty()) {
                    continue;  // told above
                }
                const std::string where = name.toStdString() + ", \"" + m.source.toStdString() +
                                          "\" -> \"" + t.toStdString() + "\"";
                // A numerus form for one may say "one" instead of %n.
                QStringList expected = markers(m.source);
                QStringList got = markers(t);
                if (m.numerus) {
                    expected.removeAll(QStringLiteral("%n"));
                    got.removeAll(QStringLiteral("%n"));
                }
                EXPECT_EQ(got, expected) << where;
                EXPECT_EQ(mnemonics(t), mnemonics(m.source)) << where;
                EXPECT_EQ(ends(t), ends(m.source)) << where;
            }
        }
    }
}

}  // namespace
