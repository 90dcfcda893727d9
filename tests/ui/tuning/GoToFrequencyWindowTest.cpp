// The Go to Frequency window, offscreen, on a tuner that plays the transmitter: typing and Enter,
// Stop and Escape, what it says at the end, and the memories as they are stored.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "platform/IniSettingsStore.h"
#include "platform/PortSetting.h"
#include "platform/TuningMemories.h"
#include "support/Fakes.h"
#include "support/TestConfig.h"
#include "support/Wait.h"
#include "ui/tuning/GoToFrequencyWindow.h"

namespace {

using namespace std::chrono_literals;
using testsupport::waitUntil;
using txlink::Hertz;
using txlink::TuningEnd;
using ui::tuning::GoToFrequencyWindow;

// Moves one command every 100 ms towards the target, as the panel would, and ends there.
class FakeTuner final : public ui::tuning::Tuner {
public:
    std::optional<Hertz> at = 1'296'000'000;
    std::vector<Hertz> asked;
    int stops = 0;
    int commands = 3;

    FakeTuner() {
        m_pace.setInterval(100ms);
        QObject::connect(&m_pace, &QTimer::timeout, [this] {
            if (++m_sent == commands) {
                finish(TuningEnd::Reached);
            }
        });
    }
    void tuneTo(Hertz target, txlink::ControlPanel::TuningDone done) override {
        asked.push_back(target);
        if (m_done) {
            finish(TuningEnd::Replaced);
        }
        m_target = target;
        m_done = std::move(done);
        m_sent = 0;
        m_pace.start();
    }
    void stop() override {
        ++stops;
        if (m_done) {
            finish(TuningEnd::Operator);
        }
    }
    bool tuning() const override { return bool(m_done); }
    txlink::TuningProgress progress() const override {
        return {m_target, at, m_sent, commands - m_sent};
    }
    std::optional<Hertz> frequency() const override { return at; }

private:
    void finish(TuningEnd end) {
        m_pace.stop();
        if (end == TuningEnd::Reached) {
            at = m_target;
        }
        txlink::TuningOutcome outcome{end, m_target, at, {}, {}, m_sent};
        auto done = std::move(m_done);
        m_done = nullptr;
        done(outcome);
    }
    QTimer m_pace;
    Hertz m_target = 0;
    int m_sent = 0;
    txlink::ControlPanel::TuningDone m_done;
};

class GoToFrequencyTest : public ::testing::Test {
protected:
    GoToFrequencyTest() { open(); }

    void open() {
        auto owned = std::make_unique<FakeTuner>();
        tuner = owned.get();
        window = std::make_unique<GoToFrequencyWindow>(std::move(owned), store);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        return found != nullptr ? found : throw std::runtime_error(name);
    }
    QString result() { return control<QLabel>("tuningResult")->text(); }
    void type(const QString& text) {
        QLineEdit* field = control<QLineEdit>("frequencyField");
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, text);
    }

    testsupport::MemorySettingsStore store;
    FakeTuner* tuner = nullptr;
    std::unique_ptr<GoToFrequencyWindow> window;
};

TEST_F(GoToFrequencyTest, TypedAndEnterTunesThereAndSaysSo) {
    type(QStringLiteral("1296.875"));
    QTest::keyClick(control("frequencyField"), Qt::Key_Return);
    ASSERT_EQ(tuner->asked, std::vector<Hertz>{1'296'875'000});
    EXPECT_TRUE(control("stopButton")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return !tuner->tuning(); }));
    EXPECT_EQ(result(), "At 1296.875 MHz, on your step.");
    EXPECT_EQ(control<QProgressBar>("tuningProgress")->value(),
              control<QProgressBar>("tuningProgress")->maximum());
    EXPECT_FALSE(control("stopButton")->isEnabled());
}

TEST_F(GoToFrequencyTest, ReadsTheDesktopsSeparatorAndAPointAndNothingElse) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Case {
        const char* typed;
        std::optional<Hertz> hertz;
    };
    const Case cases[] = {
        {"1296,875", 1'296'875'000},    {"1296.875", 1'296'875'000},
        {" 10368,5 ", 10'368'500'000},  {"2320", 2'320'000'000},
        {"144.000001", 144'000'001},    {"1.296,875", std::nullopt},
        {"1296.8755555", std::nullopt}, {"-1296", std::nullopt},
        {"1e3", std::nullopt},          {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::tuning::readMegahertz(QString::fromLatin1(c.typed)), c.hertz) << c.typed;
    }
    type(QStringLiteral("1296,875"));
    QTest::keyClick(control("frequencyField"), Qt::Key_Enter);
    EXPECT_EQ(tuner->asked, std::vector<Hertz>{1'296'875'000});
    type(QStringLiteral("twelve"));
    QTest::keyClick(control("frequencyField"), Qt::Key_Return);
    EXPECT_EQ(tuner->asked.size(), 1u);
    EXPECT_TRUE(result().startsWith("Type a frequency in MHz")) << result().toStdString();
    QLocale::setDefault(before);
}

// Tab reads the window in order: the field and its buttons, the result, then the memories.
TEST_F(GoToFrequencyTest, TabWalksTheFieldTheResultThenTheMemories) {
    const QStringList expected = {"frequencyField",   "goButton",           "stopButton",
                                  "tuningResult",     "memoryTable",        "addMemoryButton",
                                  "goToMemoryButton", "renameMemoryButton", "removeMemoryButton",
                                  "closeButton"};
    QStringList walked;
    QWidget* widget = control("frequencyField");
    do {
        if (expected.contains(widget->objectName())) {
            walked << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != control("frequencyField") && walked.size() < 2 * expected.size());
    EXPECT_EQ(walked, expected);
}

// The example the window gives, in the field and when it refuses a text, is one it reads back, in
// a locale with a point, one with a comma, and ones that group thousands.
TEST(GoToFrequencyExample, IsReadBackInEveryLocale) {
    const QLocale before;
    const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::German, QLocale::Germany),
                               QLocale(QLocale::Dutch, QLocale::Netherlands)};
    for (const QLocale& locale : locales) {
        QLocale::setDefault(locale);
        testsupport::MemorySettingsStore store;
        GoToFrequencyWindow window(std::make_unique<FakeTuner>(), store);
        auto* field = window.findChild<QLineEdit*>(QStringLiteral("frequencyField"));
        ASSERT_NE(field, nullptr);
        const QString example = field->placeholderText();
        EXPECT_EQ(ui::tuning::readMegahertz(example), Hertz{1'296'875'000})
            << locale.name().toStdString() << ": " << example.toStdString();
        QTest::keyClicks(field, QStringLiteral("x"));
        QTest::keyClick(field, Qt::Key_Return);
        const QString refusal = window.findChild<QLabel*>(QStringLiteral("tuningResult"))->text();
        EXPECT_TRUE(refusal.contains(example)) << refusal.toStdString();
    }
    QLocale::setDefault(before);
}

// Stop, and Escape while it tunes, end the tuning and say where the transmitter is; Escape
// without a tuning closes the window.
TEST_F(GoToFrequencyTest, StopAndEscapeEndTheTuning) {
    tuner->commands = 50;
    type(QStringLiteral("1301.625"));
    QTest::keyClick(control("frequencyField"), Qt::Key_Return);
    QTest::qWait(150);
    QTest::mouseClick(control("stopButton"), Qt::LeftButton);
    EXPECT_EQ(tuner->stops, 1);
    EXPECT_EQ(result(),
              "Not at 1301.625 MHz: stopped by a button, Escape or Stop. The transmitter is at "
              "1296.000 MHz.");

    QTest::keyClick(control("frequencyField"), Qt::Key_Return);
    QTest::keyClick(control("frequencyField"), Qt::Key_Escape);
    EXPECT_EQ(tuner->stops, 2);
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(control("frequencyField"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(GoToFrequencyTest, EveryEndIsSaidInWords) {
    for (int end = int(TuningEnd::Reached); end <= int(TuningEnd::NoReport); ++end) {
        const QString said =
            ui::tuning::describe({TuningEnd(end), 1'301'625'000, 1'296'500'000, {}, {}, 4});
        EXPECT_FALSE(said.isEmpty()) << end;
        EXPECT_TRUE(end == int(TuningEnd::NotReported) || said.contains("1301.625")) << end;
    }
}

// Memories: added from the current frequency, renamed in place, tuned to, removed; stored at once,
// and there again when the window is next opened.
TEST_F(GoToFrequencyTest, MemoriesAreKeptInTheirOwnGroup) {
    QTableWidget* table = control<QTableWidget>("memoryTable");
    EXPECT_FALSE(control("goToMemoryButton")->isEnabled());
    QTest::mouseClick(control("addMemoryButton"), Qt::LeftButton);
    tuner->at = 1'301'625'000;
    QTest::mouseClick(control("addMemoryButton"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 1)->text(), "1301.625");

    table->selectRow(1);
    QTest::mouseClick(control("renameMemoryButton"), Qt::LeftButton);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Beacon = \"23 cm\"; #1"));
    QTest::keyClick(editor, Qt::Key_Return);  // the view takes it in the next event
    EXPECT_TRUE(waitUntil([&] { return table->item(1, 0)->text() == "Beacon = \"23 cm\"; #1"; }))
        << table->item(1, 0)->text().toStdString();

    table->selectRow(0);
    QTest::mouseClick(control("goToMemoryButton"), Qt::LeftButton);
    EXPECT_EQ(tuner->asked, std::vector<Hertz>{1'296'000'000});
    QTest::mouseClick(control("removeMemoryButton"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 1);

    window.reset();
    open();
    const QList<platform::TuningMemory> expected{{"Beacon = \"23 cm\"; #1", 1'301'625'000}};
    EXPECT_EQ(window->memories(), expected);
    EXPECT_EQ(control<QTableWidget>("memoryTable")->item(0, 1)->text(), "1301.625");
}

// In the settings file itself: any name comes back as it was, one key each; a key edited into
// nonsense costs only its own memory.
TEST(TuningMemories, SurviveTheSettingsFileWhateverTheirNames) {
    testsupport::TestConfig config;
    platform::IniSettingsStore store;
    const QList<platform::TuningMemory> memories{
        {"Beacon = 23 cm; [x] #1", 1'296'875'000},
        {"Zürich \\ \"quoted\"", 10'368'100'000},
        {"  spaces  ", 0},
        {"1296", 1'296'000'000},
    };
    ASSERT_TRUE(platform::saveTuningMemories(store, memories).ok());
    auto read = platform::readTuningMemories(store);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, memories);

    ASSERT_TRUE(platform::saveTuningMemories(store, memories.mid(0, 2)).ok());
    ASSERT_TRUE(
        store.write("TuningMemories", platform::settingsSection(), "1", "twelve megahertz").ok());
    ASSERT_TRUE(store.write("TuningMemories", platform::settingsSection(), "count", "4").ok());
    read = platform::readTuningMemories(store);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, memories.mid(1, 1)) << "removed memories left their keys behind";
}

}  // namespace
