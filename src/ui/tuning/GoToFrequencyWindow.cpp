#include "ui/tuning/GoToFrequencyWindow.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>
#include <initializer_list>

#include "platform/Logging.h"
#include "ui/common/CommandButton.h"

namespace ui::tuning {
namespace {

constexpr txlink::Hertz kHertzPerMegahertz = 1'000'000;
constexpr int kNameColumn = 0;
constexpr int kFrequencyColumn = 1;

// The example the window gives of a frequency: written with the desktop's decimal separator and
// no group separator, as the field reads it (a "1,296.875" would be refused when typed back).
QString exampleMegahertz() {
    return QStringLiteral("1296") + QLocale().decimalPoint() + QStringLiteral("875");
}

}  // namespace

std::optional<txlink::Hertz> readMegahertz(const QString& text) {
    // Whole digits, and the fraction after the desktop's separator or a point: no signs, no
    // group separators, no exponent, so that what is typed is what is meant.
    QString plain = text.trimmed();
    const QString separator = QLocale().decimalPoint();
    if (separator != QStringLiteral(".")) {
        plain.replace(separator, QStringLiteral("."));
    }
    static const QRegularExpression kMegahertz(QStringLiteral("^(\\d{1,6})(?:\\.(\\d{0,6}))?$"));
    const QRegularExpressionMatch match = kMegahertz.match(plain);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const txlink::Hertz whole = match.captured(1).toLongLong();
    const txlink::Hertz millionths = match.captured(2).leftJustified(6, u'0').toLongLong();
    return whole * kHertzPerMegahertz + millionths;
}

QString megahertzText(txlink::Hertz hertz) {
    QString fraction =
        QStringLiteral("%1").arg(hertz % kHertzPerMegahertz, 6, 10, QLatin1Char('0'));
    while (fraction.size() > 3 && fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    return QStringLiteral("%1.%2").arg(hertz / kHertzPerMegahertz).arg(fraction);
}

QString describe(const txlink::TuningOutcome& outcome) {
    using txlink::TuningEnd;
    const QString target = megahertzText(outcome.target);
    QString why;
    switch (outcome.end) {
        case TuningEnd::Reached:
            return GoToFrequencyWindow::tr("At %1 MHz, on your step.").arg(target);
        case TuningEnd::NotReported:
            return GoToFrequencyWindow::tr(
                "The transmitter has not reported its frequency and step yet.");
        case TuningEnd::CarrierOn:
            why = GoToFrequencyWindow::tr(
                "the carrier is on: the frequency is not changed "
                "while the transmitter sends.");
            break;
        case TuningEnd::LinkDown:
            why = GoToFrequencyWindow::tr("the link to the transmitter is down.");
            break;
        case TuningEnd::Unreachable:
            return GoToFrequencyWindow::tr("%1 MHz cannot be reached with the transmitter's steps.")
                .arg(target);
        case TuningEnd::Operator:
            why = GoToFrequencyWindow::tr("stopped by a button, Escape or Stop.");
            break;
        case TuningEnd::Reloaded:
            why = GoToFrequencyWindow::tr("the main window was reloaded.");
            break;
        case TuningEnd::Replaced:
            why = GoToFrequencyWindow::tr(
                "another frequency was asked for (here or by "
                "network control).");
            break;
        case TuningEnd::DidNotMove:
            why = GoToFrequencyWindow::tr("the frequency did not move: a band edge?");
            break;
        case TuningEnd::StepStuck:
            why = GoToFrequencyWindow::tr("Step did not change the step.");
            break;
        case TuningEnd::Disagreed:
            why = GoToFrequencyWindow::tr(
                "the transmitter reported something else than the move should have made.");
            break;
        case TuningEnd::NoReport:
            why = GoToFrequencyWindow::tr("the transmitter did not answer within a second.");
            break;
    }
    QString text = GoToFrequencyWindow::tr("Not at %1 MHz: %2").arg(target, why);
    if (outcome.frequency) {
        text += u' ' + GoToFrequencyWindow::tr("The transmitter is at %1 MHz.")
                           .arg(megahertzText(*outcome.frequency));
    }
    return text;
}

GoToFrequencyWindow::GoToFrequencyWindow(std::unique_ptr<Tuner> tuner,
                                         platform::SettingsStore& store, QWidget* parent)
    : QWidget(parent), m_owned(std::move(tuner)), m_tuner(*m_owned), m_store(store) {
    setObjectName(QStringLiteral("GoToFrequency"));
    setWindowTitle(tr("Go to Frequency"));
    setAccessibleName(tr("Go to Frequency"));
    buildControls();
    m_progressTimer.setInterval(kProgressPeriod);
    connect(&m_progressTimer, &QTimer::timeout, this, &GoToFrequencyWindow::showProgress);

    const txlink::Result<QList<platform::TuningMemory>> stored =
        platform::readTuningMemories(store);
    if (stored) {
        m_memories = *stored;
    } else {
        qCWarning(lcProgram, "cannot read the tuning memories: %s", stored.error().reason.c_str());
    }
    showMemories();
    if (m_tuner.tuning()) {
        m_progressTimer.start();  // one running already, perhaps a program's
    }
    updateButtons();
}

void GoToFrequencyWindow::buildControls() {
    buildTuningControls();
    buildMemoryControls();

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(
        common::makeBuddyCaption(this, "frequencyCaption", tr("&Frequency (MHz):"), m_field));
    fieldRow->addWidget(m_field, 1);
    fieldRow->addWidget(m_go);
    fieldRow->addWidget(m_stop);

    auto* memoryButtons = new QHBoxLayout;
    for (QPushButton* button : {m_add, m_goToMemory, m_rename, m_remove}) {
        memoryButtons->addWidget(button);
    }
    memoryButtons->addStretch(1);
    memoryButtons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow);
    layout->addWidget(m_progress);
    layout->addWidget(m_result);
    layout->addWidget(
        common::makeBuddyCaption(this, "memoriesCaption", tr("M&emories:"), m_memoryTable));
    layout->addWidget(m_memoryTable, 1);
    layout->addLayout(memoryButtons);

    // Reading order: the field and its buttons, the result, then the memories.
    QWidget* previous = m_field;
    for (QWidget* next :
         std::initializer_list<QWidget*>{m_go, m_stop, m_result, m_memoryTable, m_add, m_goToMemory,
                                         m_rename, m_remove, m_close}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_field->setFocus();
}

// The field, Go and Stop, the progress bar and the result.
void GoToFrequencyWindow::buildTuningControls() {
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("frequencyField"));
    m_field->setAccessibleName(tr("Frequency in MHz"));
    m_field->setPlaceholderText(exampleMegahertz());
    connect(m_field, &QLineEdit::returnPressed, this, &GoToFrequencyWindow::goToTypedFrequency);
    connect(m_field, &QLineEdit::textChanged, this, &GoToFrequencyWindow::updateButtons);

    m_go = common::makeCommandButton(this, "goButton", tr("&Go"), tr("Go to the frequency"));
    connect(m_go, &QPushButton::clicked, this, &GoToFrequencyWindow::goToTypedFrequency);
    m_stop = common::makeCommandButton(this, "stopButton", tr("&Stop"), tr("Stop tuning"));
    connect(m_stop, &QPushButton::clicked, this, &GoToFrequencyWindow::stopTuning);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("tuningProgress"));
    m_progress->setAccessibleName(tr("Tuning progress, in commands"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFormat(tr("%v of %m commands"));
    m_progress->setTextVisible(false);  // no count until there is a tuning to count

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("tuningResult"));
    m_result->setAccessibleName(tr("Result"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_result->setFocusPolicy(Qt::StrongFocus);
}

// The memory table and its buttons, and Close.
void GoToFrequencyWindow::buildMemoryControls() {
    m_memoryTable = new QTableWidget(0, 2, this);
    m_memoryTable->setObjectName(QStringLiteral("memoryTable"));
    m_memoryTable->setAccessibleName(tr("Memories"));
    m_memoryTable->setHorizontalHeaderLabels({tr("Name"), tr("MHz")});
    m_memoryTable->horizontalHeader()->setStretchLastSection(true);
    m_memoryTable->verticalHeader()->hide();
    m_memoryTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_memoryTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_memoryTable->setTabKeyNavigation(false);  // Tab leaves the table, as everywhere else
    m_memoryTable->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::DoubleClicked);
    connect(m_memoryTable, &QTableWidget::itemChanged, this, &GoToFrequencyWindow::memoryEdited);
    connect(m_memoryTable, &QTableWidget::itemSelectionChanged, this,
            &GoToFrequencyWindow::updateButtons);
    connect(m_memoryTable, &QTableWidget::activated, this, [this](const QModelIndex& index) {
        if (index.column() == kFrequencyColumn) {
            goToSelectedMemory();
        }
    });

    m_add = common::makeCommandButton(this, "addMemoryButton", tr("&Add current frequency"),
                                      tr("Add the current frequency to the memories"));
    connect(m_add, &QPushButton::clicked, this, &GoToFrequencyWindow::addCurrentFrequency);
    m_goToMemory = common::makeCommandButton(this, "goToMemoryButton", tr("Go to &memory"),
                                             tr("Go to the selected memory"));
    connect(m_goToMemory, &QPushButton::clicked, this, &GoToFrequencyWindow::goToSelectedMemory);
    m_rename = common::makeCommandButton(this, "renameMemoryButton", tr("&Rename"),
                                         tr("Rename the selected memory"));
    connect(m_rename, &QPushButton::clicked, this, &GoToFrequencyWindow::renameSelectedMemory);
    m_remove = common::makeCommandButton(this, "removeMemoryButton", tr("Remo&ve"),
                                         tr("Remove the selected memory"));
    connect(m_remove, &QPushButton::clicked, this, &GoToFrequencyWindow::removeSelectedMemory);
    m_close = common::makeCommandButton(this, "closeButton", tr("Close"), tr("Close the window"));
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

void GoToFrequencyWindow::goToTypedFrequency() {
    const std::optional<txlink::Hertz> target = readMegahertz(m_field->text());
    if (!target) {
        report(tr("Type a frequency in MHz, such as %1.").arg(exampleMegahertz()));
        return;
    }
    goTo(*target);
}

void GoToFrequencyWindow::goTo(txlink::Hertz target) {
    const quint64 tuning = ++m_tunings;
    report(tr("Tuning to %1 MHz…").arg(megahertzText(target)));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(true);
    QPointer<GoToFrequencyWindow> self(this);
    m_tuner.tuneTo(target, [self, tuning](const txlink::TuningOutcome& outcome) {
        if (self && self->m_tunings == tuning) {
            self->finished(outcome);
        }
    });
    if (m_tuner.tuning()) {
        m_progressTimer.start();
        showProgress();
    }
    updateButtons();
}

void GoToFrequencyWindow::finished(const txlink::TuningOutcome& outcome) {
    m_progressTimer.stop();
    const int done = std::max(outcome.commands, 1);
    m_progress->setRange(0, done);
    m_progress->setValue(outcome.end == txlink::TuningEnd::Reached ? done : outcome.commands);
    report(describe(outcome));
    updateButtons();
}

void GoToFrequencyWindow::showProgress() {
    if (!m_tuner.tuning()) {
        m_progressTimer.stop();
        updateButtons();
        return;
    }
    const txlink::TuningProgress progress = m_tuner.progress();
    m_progress->setRange(0, std::max(progress.commandsSent + progress.commandsLeft, 1));
    m_progress->setValue(progress.commandsSent);
    updateButtons();
}

void GoToFrequencyWindow::stopTuning() {
    m_tuner.stop();
    updateButtons();
}

void GoToFrequencyWindow::addCurrentFrequency() {
    const std::optional<txlink::Hertz> now = m_tuner.frequency();
    if (!now) {
        report(tr("The transmitter has not reported its frequency yet."));
        return;
    }
    m_memories.append({megahertzText(*now), *now});
    saveMemories();
    showMemories();
    m_memoryTable->selectRow(int(m_memories.size()) - 1);
    report(tr("%1 MHz added to the memories.").arg(megahertzText(*now)));
}

int GoToFrequencyWindow::selectedMemory() const {
    const QList<QTableWidgetItem*> selected = m_memoryTable->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void GoToFrequencyWindow::goToSelectedMemory() {
    const int row = selectedMemory();
    if (row < 0 || row >= m_memories.size()) {
        report(tr("Select a memory first."));
        return;
    }
    m_field->setText(megahertzText(m_memories[row].hertz));
    goTo(m_memories[row].hertz);
}

void GoToFrequencyWindow::renameSelectedMemory() {
    const int row = selectedMemory();
    if (row < 0) {
        report(tr("Select a memory first."));
        return;
    }
    m_memoryTable->setFocus();
    m_memoryTable->editItem(m_memoryTable->item(row, kNameColumn));
}

void GoToFrequencyWindow::removeSelectedMemory() {
    const int row = selectedMemory();
    if (row < 0 || row >= m_memories.size()) {
        report(tr("Select a memory first."));
        return;
    }
    const platform::TuningMemory removed = m_memories.takeAt(row);
    saveMemories();
    showMemories();
    if (!m_memories.isEmpty()) {
        m_memoryTable->selectRow(std::min(row, int(m_memories.size()) - 1));
    }
    report(tr("%1 removed from the memories.").arg(removed.name));
}

void GoToFrequencyWindow::memoryEdited(QTableWidgetItem* item) {
    if (m_showingMemories || item->column() != kNameColumn || item->row() >= m_memories.size()) {
        return;
    }
    const QString name = item->text().simplified();  // a name is one line
    if (name.isEmpty()) {
        showMemories();  // an empty name keeps the old one
        return;
    }
    m_memories[item->row()].name = name;
    saveMemories();
    showMemories();
}

void GoToFrequencyWindow::showMemories() {
    m_showingMemories = true;
    const int selected = selectedMemory();
    m_memoryTable->setRowCount(int(m_memories.size()));
    for (int row = 0; row < m_memories.size(); ++row) {
        auto* name = new QTableWidgetItem(m_memories[row].name);
        auto* frequency = new QTableWidgetItem(megahertzText(m_memories[row].hertz));
        frequency->setFlags(frequency->flags() & ~Qt::ItemIsEditable);
        frequency->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_memoryTable->setItem(row, kNameColumn, name);
        m_memoryTable->setItem(row, kFrequencyColumn, frequency);
    }
    if (selected >= 0 && selected < m_memories.size()) {
        m_memoryTable->selectRow(selected);
    }
    m_showingMemories = false;
    updateButtons();
}

void GoToFrequencyWindow::saveMemories() {
    if (const txlink::Status saved = platform::saveTuningMemories(m_store, m_memories); !saved) {
        report(tr("The memories could not be stored: %1")
                   .arg(QString::fromStdString(saved.error().reason)));
    }
}

void GoToFrequencyWindow::updateButtons() {
    const bool tuning = m_tuner.tuning();
    m_stop->setEnabled(tuning);
    const bool chosen = selectedMemory() >= 0;
    m_goToMemory->setEnabled(chosen);
    m_rename->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

// Said in the result line, and told to a screen reader, which does not watch a label by itself.
void GoToFrequencyWindow::report(const QString& text) {
    m_result->setText(text);
    m_result->setAccessibleDescription(text);
    QAccessibleEvent event(m_result, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// Escape stops a running tuning, as it does in the main window; otherwise it closes the window.
void GoToFrequencyWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (m_tuner.tuning()) {
            stopTuning();
        } else {
            close();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace ui::tuning
