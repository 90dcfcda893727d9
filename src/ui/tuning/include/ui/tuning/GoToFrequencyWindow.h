#pragma once

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "platform/SettingsStore.h"
#include "platform/TuningMemories.h"
#include "txlink/ControlPanel.h"
#include "txlink/TuningEngine.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace ui::tuning {

// What the window asks of the transmitter: a tuning, its Stop, how far it has come, and where the
// transmitter is.
class Tuner {
public:
    virtual ~Tuner() = default;
    virtual void tuneTo(txlink::Hertz target, txlink::ControlPanel::TuningDone done) = 0;
    virtual void stop() = 0;
    virtual bool tuning() const = 0;
    virtual txlink::TuningProgress progress() const = 0;
    // The frequency last reported, once one has come.
    virtual std::optional<txlink::Hertz> frequency() const = 0;
};

// The control panel as the window's tuner.
class PanelTuner final : public Tuner {
public:
    explicit PanelTuner(txlink::ControlPanel& panel) : m_panel(panel) {}
    void tuneTo(txlink::Hertz target, txlink::ControlPanel::TuningDone done) override {
        m_panel.tuneTo(target, std::move(done));
    }
    void stop() override { m_panel.stopTuning(); }
    bool tuning() const override { return m_panel.tuning(); }
    txlink::TuningProgress progress() const override { return m_panel.tuningProgress(); }
    std::optional<txlink::Hertz> frequency() const override { return m_panel.reportedFrequency(); }

private:
    txlink::ControlPanel& m_panel;
};

// A frequency typed in MHz: the desktop's decimal separator or a point, up to six decimals.
// Empty when the text is no such frequency.
std::optional<txlink::Hertz> readMegahertz(const QString& text);
// The frequency in MHz as the main window shows it: three decimals, more only when needed.
QString megahertzText(txlink::Hertz hertz);
// Why a tuning ended, in the operator's words.
QString describe(const txlink::TuningOutcome& outcome);

// "Go to Frequency": tunes the transmitter to a frequency typed in MHz (Enter or "Go"), shows how
// far it has come and, at the end, what happened in words; "Stop" ends it. Beside it, the
// operator's memories: the current frequency added under a name, a memory tuned to, renamed or
// removed; they are stored at once. Modeless; closing unloads it and leaves a tuning running.
class GoToFrequencyWindow final : public QWidget {
    Q_OBJECT

public:
    // How often the progress is read while a tuning runs: the pace of its commands.
    static constexpr std::chrono::milliseconds kProgressPeriod{100};

    GoToFrequencyWindow(std::unique_ptr<Tuner> tuner, platform::SettingsStore& store,
                        QWidget* parent = nullptr);

    // Tunes to the frequency in the field.
    void goToTypedFrequency();
    void stopTuning();
    void addCurrentFrequency();
    void goToSelectedMemory();
    void renameSelectedMemory();
    void removeSelectedMemory();

    const QList<platform::TuningMemory>& memories() const { return m_memories; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildTuningControls();
    void buildMemoryControls();
    void goTo(txlink::Hertz target);
    void finished(const txlink::TuningOutcome& outcome);
    void showProgress();
    void showMemories();
    void memoryEdited(QTableWidgetItem* item);
    void saveMemories();
    void updateButtons();
    void report(const QString& text);
    int selectedMemory() const;

    std::unique_ptr<Tuner> m_owned;
    Tuner& m_tuner;
    platform::SettingsStore& m_store;
    QList<platform::TuningMemory> m_memories;
    QTimer m_progressTimer;
    quint64 m_tunings = 0;  // tells the end of this window's latest tuning from older ones
    bool m_showingMemories = false;
    QLineEdit* m_field = nullptr;
    QPushButton* m_go = nullptr;
    QPushButton* m_stop = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_result = nullptr;
    QTableWidget* m_memoryTable = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_goToMemory = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace ui::tuning
