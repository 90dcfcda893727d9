#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "txlink/Clock.h"
#include "txlink/PanelDisplay.h"
#include "txlink/RecordParser.h"

namespace txlink {

using Hertz = std::int64_t;

// The steps a transmitter of each kind of frequency record tunes in, step label 0 to 4, as the
// labels are captioned for that kind: F 125 KHz to 5 MHz, G 500 KHz to 25 MHz, H 125 KHz to 10 MHz.
std::array<Hertz, kStepCount> tuningSteps(FrequencyKind kind);
// The highest frequency a record of the kind can show.
Hertz highestFrequency(FrequencyKind kind);

// Why a tuning ended, or why it never began.
enum class TuningEnd {
    Reached,      // the transmitter reports the target, on the operator's step again
    NotReported,  // refused: no frequency, step or carrier state reported since the link came up
    CarrierOn,    // refused, or stopped: the carrier is reported on
    LinkDown,     // refused, or stopped: the link is down or a command could not be written
    Unreachable,  // refused: no sum of the steps leads from the frequency to the target
    Operator,     // stopped: the operator pressed a button, Escape or Stop
    Reloaded,     // stopped: the main window was unloaded (a Save reloads it)
    Replaced,     // stopped: another target replaced this one
    DidNotMove,   // stopped: the frequency stayed where it was (a band edge)
    StepStuck,    // stopped: Step was pressed and the step stayed the same
    Disagreed,    // stopped: a report showed something else than the move should have made
    NoReport,     // stopped: no report came within kReportPatience of a command
};

struct TuningOutcome {
    TuningEnd end = TuningEnd::Reached;
    Hertz target = 0;
    // Where the transmitter was when it ended, as last reported.
    std::optional<Hertz> frequency;
    // For a disagreement: what the plan expected, and what came instead (a frequency, or for a
    // step a step code).
    std::optional<std::int64_t> expected;
    std::optional<std::int64_t> reported;
    int commands = 0;  // commands written for this target
};

struct TuningProgress {
    Hertz target = 0;
    std::optional<Hertz> frequency;
    int commandsSent = 0;
    int commandsLeft = 0;  // as planned now; a plan may grow as the Step order shows itself
};

// What a new target did.
enum class TuningStart {
    Started,   // a tuning began (replacing the running one, if any)
    Joined,    // the running tuning has this target already: it goes on as it was
    Finished,  // it ended at once (refused, or there already): see takeEnded()
};

// Tunes the transmitter to a frequency with the only commands it has: "3a" and "4a" move by the
// step in force, "1a" changes the step. It plans from the frequency and step last reported so that
// the commands, Step presses included, are as few as possible, and puts the operator's step back
// at the end. It never assumes the order in which Step cycles the steps: it learns it from the
// step code each press reports, and plans again as it learns.
//
// It sends nothing itself. The panel offers it every tick of the 100 ms frequency repeat timer
// (due()), writes the command it names and says so (sent()); it sends one command a tick at most,
// and the next only after the report that shows the last one's effect. It hears every record
// through the panel. No Qt and no clock of its own: every time comes from the caller.
class TuningEngine final : public RecordListener {
public:
    // One command per tick of the frequency repeat timer, the rate of a held button. A tick may
    // come a little early; one that comes much earlier than this is not one.
    static constexpr std::chrono::milliseconds kCommandSpacing{100};
    static constexpr std::chrono::milliseconds kTickTolerance{5};
    // The transmitter answers every command at once; a second without the answer is no answer.
    static constexpr std::chrono::milliseconds kReportPatience{1000};
    // Loops of the Step cycle one target may take: the first may find the order, the second
    // uses it; a third means the transmitter does not do what it showed.
    static constexpr int kMaxLoops = 3;

    // A new target. `linkUp`: whether the panel hears the transmitter now.
    TuningStart start(Hertz target, bool linkUp);
    // Stops a running tuning for `why`; nothing happens when none runs.
    void stop(TuningEnd why);
    bool running() const { return m_target.has_value(); }
    std::optional<Hertz> target() const { return m_target; }

    // The command to write now, if one is due. May end the tuning (target reached, no report).
    std::optional<std::string_view> due(MonotonicTime now);
    // The command due() named has been written at `now`.
    void sent(MonotonicTime now);

    void statusReported(int stepCode, bool carrierOn) override;
    void frequencyReported(FrequencyKind kind, std::optional<Hertz> hertz) override;
    // The link went down or the port was opened afresh: the carrier and step are no longer known.
    void forgetState();
    // A new load: a new port, perhaps another transmitter; nothing it reported counts any more.
    void forgetAll();

    // The tunings that ended since the last call, oldest first.
    std::vector<TuningOutcome> takeEnded();
    TuningProgress progress() const;

    // What the transmitter reported last.
    std::optional<FrequencyKind> kind() const { return m_kind; }
    std::optional<Hertz> frequency() const { return m_frequency; }
    std::optional<int> stepCode() const { return m_stepCode; }
    // The Step order learned so far: step code to the code the next press reported.
    const std::map<int, int>& stepOrder() const { return m_next; }

private:
    enum class Awaiting { Nothing, Move, Step };

    void end(TuningEnd why, std::optional<std::int64_t> expected = std::nullopt,
             std::optional<std::int64_t> reported = std::nullopt);
    std::optional<TuningEnd> refusal(Hertz target, bool linkUp) const;
    bool plan();
    bool planAtOperatorStep();
    void planInLoop();
    int movesPlanned() const;
    int pressesToOperatorStep() const;
    int pressesAround(int from, std::set<int> shownLabels) const;
    bool finishIfThere();
    bool planIfDue();
    std::set<int> labelsAhead() const;
    std::optional<int> knownLoopLength(int from) const;
    int labelOf(int code) const;

    // What the transmitter reported.
    std::optional<FrequencyKind> m_kind;
    std::optional<Hertz> m_frequency;
    std::optional<int> m_stepCode;
    std::optional<bool> m_carrierOn;
    std::map<int, int> m_next;

    // The running tuning.
    std::optional<Hertz> m_target;
    int m_operatorCode = 0;
    bool m_inLoop = false;
    int m_loops = 0;
    std::set<int> m_visited;                // codes seen in the running loop
    std::array<int, kStepCount> m_moves{};  // signed moves still to make, per step label
    Awaiting m_awaiting = Awaiting::Nothing;
    Awaiting m_pending = Awaiting::Nothing;  // what the command due() named will be
    bool m_needsPlan = false;                // a new target came while a report was awaited
    bool m_chooseOperatorStep = false;       // ... and the operator's step is the one it will show
    int m_moveLabel = 0;
    bool m_moveUp = true;
    std::int64_t m_expected = 0;  // the frequency or the step code the last command was to bring
    bool m_sawUnchanged = false;
    MonotonicTime m_sentAt;
    std::optional<MonotonicTime> m_lastSent;
    int m_commands = 0;
    std::vector<TuningOutcome> m_ended;
};

// The fewest moves of the given sizes, each up or down, that add up to `distance`: the signed
// count for each size, in the order given. Empty when no sum reaches it.
std::optional<std::vector<std::int64_t>> fewestMoves(Hertz distance,
                                                     const std::vector<Hertz>& sizes);

}  // namespace txlink
