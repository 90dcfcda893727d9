#include "txlink/TuningEngine.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <numeric>

#include "txlink/Commands.h"

namespace txlink {
namespace {

constexpr std::array<Hertz, kStepCount> kFSteps = {125'000, 250'000, 500'000, 1'000'000, 5'000'000};
constexpr std::array<Hertz, kStepCount> kGSteps = {500'000, 1'000'000, 5'000'000, 10'000'000,
                                                   25'000'000};
constexpr std::array<Hertz, kStepCount> kHSteps = {125'000, 250'000, 500'000, 1'000'000,
                                                   10'000'000};

// Longer than any Step order a transmitter with five step labels can show; a walk along the
// learned order stops here, so an order that never comes back cannot hold it.
constexpr int kLongestWalk = 16;

std::int64_t sign(std::int64_t value) {
    return value < 0 ? -1 : 1;
}

}  // namespace

std::array<Hertz, kStepCount> tuningSteps(FrequencyKind kind) {
    switch (kind) {
        case FrequencyKind::G:
            return kGSteps;
        case FrequencyKind::H:
            return kHSteps;
        case FrequencyKind::F:
            break;
    }
    return kFSteps;
}

Hertz highestFrequency(FrequencyKind kind) {
    switch (kind) {
        case FrequencyKind::G:
            return 99'999'990'000;  // five digits of megahertz, two of 10 kHz
        case FrequencyKind::H:
            return 99'999'875'000;  // five digits of megahertz, eighths of a megahertz
        case FrequencyKind::F:
            break;
    }
    return 9'999'999'000;  // four digits of megahertz, three of kilohertz
}

// Sums do not depend on the order of their terms, so a search over the values between the two
// ends, widened by the largest step, finds the fewest moves. Far away, the largest step carries
// all but a bounded rest: in a sum with the fewest terms, fewer than `top` of the smaller steps
// go each way (among `top` of them some run adds up to a multiple of the largest, which fewer
// largest steps would make), so beyond top squared the largest step must be one of the terms.
std::optional<std::vector<std::int64_t>> fewestMoves(Hertz distance,
                                                     const std::vector<Hertz>& sizes) {
    std::vector<std::int64_t> counts(sizes.size(), 0);
    if (distance == 0) {
        return counts;
    }
    Hertz unit = 0;
    std::size_t largest = sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] > 0) {
            unit = std::gcd(unit, sizes[i]);
            if (largest == sizes.size() || sizes[i] > sizes[largest]) {
                largest = i;
            }
        }
    }
    if (unit == 0 || distance % unit != 0) {
        return std::nullopt;
    }
    std::int64_t rest = distance / unit;
    const std::int64_t top = sizes[largest] / unit;
    const std::int64_t near = top * top;
    if (std::llabs(rest) > near) {
        const std::int64_t largeSteps = (std::llabs(rest) - near + top - 1) / top;
        counts[largest] += sign(rest) * largeSteps;
        rest -= sign(rest) * largeSteps * top;
    }

    const std::int64_t low = std::min<std::int64_t>(0, rest) - top;
    const std::int64_t high = std::max<std::int64_t>(0, rest) + top;
    // For each value reached, the move that reached it: size index * 2, plus 1 for down.
    std::vector<int> via(std::size_t(high - low + 1), -1);
    std::deque<std::int64_t> frontier{0};
    via[std::size_t(-low)] = int(2 * sizes.size());  // the start
    while (!frontier.empty() && via[std::size_t(rest - low)] < 0) {
        const std::int64_t value = frontier.front();
        frontier.pop_front();
        // Largest steps first, so that among equal counts the coarse ones are taken.
        for (std::size_t n = 0; n < sizes.size(); ++n) {
            const std::size_t i = sizes.size() - 1 - n;
            if (sizes[i] <= 0) {
                continue;
            }
            const std::int64_t units = sizes[i] / unit;
            for (const int down : {0, 1}) {
                const std::int64_t next = down ? value - units : value + units;
                if (next < low || next > high || via[std::size_t(next - low)] >= 0) {
                    continue;
                }
                via[std::size_t(next - low)] = int(2 * i) + down;
                frontier.push_back(next);
            }
        }
    }
    if (via[std::size_t(rest - low)] < 0) {
        return std::nullopt;
    }
    for (std::int64_t value = rest; value != 0;) {
        const int move = via[std::size_t(value - low)];
        const std::size_t i = std::size_t(move / 2);
        const bool down = move % 2 == 1;
        counts[i] += down ? -1 : 1;
        value += down ? sizes[i] / unit : -(sizes[i] / unit);
    }
    return counts;
}

int TuningEngine::labelOf(int code) const {
    return stepLabelForCode(code).value_or(-1);
}

std::optional<TuningEnd> TuningEngine::refusal(Hertz target, bool linkUp) const {
    if (!linkUp) {
        return TuningEnd::LinkDown;
    }
    if (!m_frequency || !m_kind || !m_stepCode || !m_carrierOn || labelOf(*m_stepCode) < 0) {
        return TuningEnd::NotReported;
    }
    if (*m_carrierOn) {
        return TuningEnd::CarrierOn;
    }
    if (target < 0 || target > highestFrequency(*m_kind)) {
        return TuningEnd::Unreachable;
    }
    // Only the steps Step can reach count, once the order is known.
    const std::array<Hertz, kStepCount> steps = tuningSteps(*m_kind);
    Hertz unit = 0;
    int code = *m_stepCode;
    const std::optional<int> loop = knownLoopLength(code);
    for (int i = 0; i < kStepCount; ++i) {
        if (!loop) {
            unit = std::gcd(unit, steps[std::size_t(i)]);
        }
    }
    for (int walked = 0; loop && walked < *loop; ++walked) {
        unit = std::gcd(unit, steps[std::size_t(labelOf(code))]);
        code = m_next.at(code);
    }
    if (unit == 0 || (target - *m_frequency) % unit != 0) {
        return TuningEnd::Unreachable;
    }
    return std::nullopt;
}

TuningStart TuningEngine::start(Hertz target, bool linkUp) {
    if (m_target == target) {
        return TuningStart::Joined;
    }
    if (const std::optional<TuningEnd> why = refusal(target, linkUp)) {
        // A target that cannot be had replaces nothing: the running tuning goes on.
        m_ended.push_back(TuningOutcome{*why, target, m_frequency, {}, {}, 0});
        return TuningStart::Finished;
    }
    const bool replacing = m_target.has_value();
    if (replacing) {
        // The new target takes over where the old one is, mid-loop or not: the operator's step
        // is still the one to put back.
        m_ended.push_back(
            TuningOutcome{TuningEnd::Replaced, *m_target, m_frequency, {}, {}, m_commands});
    } else {
        m_operatorCode = *m_stepCode;
        m_inLoop = false;
        m_visited.clear();
    }
    m_target = target;
    m_commands = 0;
    m_loops = 0;
    if (m_awaiting != Awaiting::Nothing) {
        // The last command, perhaps an ended tuning's, has not shown its effect yet: the plan, and
        // for a new tuning the operator's step, wait for its report.
        m_chooseOperatorStep = m_chooseOperatorStep || !replacing;
        m_needsPlan = true;
        return TuningStart::Started;
    }
    return plan() ? TuningStart::Started : TuningStart::Finished;
}

void TuningEngine::stop(TuningEnd why) {
    if (m_target) {
        end(why);
    }
}

void TuningEngine::end(TuningEnd why, std::optional<std::int64_t> expected,
                       std::optional<std::int64_t> reported) {
    m_ended.push_back(
        TuningOutcome{why, m_target.value_or(0), m_frequency, expected, reported, m_commands});
    m_target.reset();
    m_needsPlan = false;
    m_chooseOperatorStep = false;
    m_moves = {};
    m_inLoop = false;
    m_visited.clear();
}

std::vector<TuningOutcome> TuningEngine::takeEnded() {
    std::vector<TuningOutcome> ended;
    ended.swap(m_ended);
    return ended;
}

// How many presses bring `from` back to itself along the order learned so far, if it is known
// that far.
std::optional<int> TuningEngine::knownLoopLength(int from) const {
    int code = from;
    for (int presses = 1; presses <= kLongestWalk; ++presses) {
        const auto next = m_next.find(code);
        if (next == m_next.end()) {
            return std::nullopt;
        }
        code = next->second;
        if (code == from) {
            return presses;
        }
    }
    return std::nullopt;
}

bool TuningEngine::plan() {
    m_moves = {};
    if (*m_stepCode == m_operatorCode) {
        m_inLoop = false;
        m_visited.clear();
        return planAtOperatorStep();
    }
    planInLoop();
    return true;
}

// Either the operator's step alone, or once round the Step order with every step it offers: the
// order only goes one way, so a plan that leaves the operator's step goes all the way round.
bool TuningEngine::planAtOperatorStep() {
    const Hertz distance = *m_target - *m_frequency;
    if (distance == 0) {
        end(TuningEnd::Reached);
        return false;
    }
    const std::array<Hertz, kStepCount> steps = tuningSteps(*m_kind);
    const int own = labelOf(m_operatorCode);
    const Hertz ownStep = steps[std::size_t(own)];
    std::optional<std::int64_t> stayingCost;
    if (distance % ownStep == 0) {
        stayingCost = std::llabs(distance / ownStep);
    }

    std::vector<Hertz> sizes(kStepCount, 0);
    int presses = 0;
    if (const std::optional<int> loop = knownLoopLength(m_operatorCode)) {
        presses = *loop;
        int code = m_operatorCode;
        for (int walked = 0; walked < *loop; ++walked) {
            sizes[std::size_t(labelOf(code))] = steps[std::size_t(labelOf(code))];
            code = m_next.at(code);
        }
    } else {
        presses = pressesAround(m_operatorCode, {});
        std::copy(steps.begin(), steps.end(), sizes.begin());
    }
    std::optional<std::vector<std::int64_t>> round;
    if (m_loops < kMaxLoops) {
        round = fewestMoves(distance, sizes);
    }
    std::optional<std::int64_t> roundCost;
    if (round) {
        roundCost = presses;
        for (const std::int64_t count : *round) {
            *roundCost += std::llabs(count);
        }
    }

    if (!stayingCost && !roundCost) {
        end(m_loops < kMaxLoops ? TuningEnd::Unreachable : TuningEnd::Disagreed);
        return false;
    }
    if (stayingCost && (!roundCost || *stayingCost <= *roundCost)) {
        m_moves[std::size_t(own)] = int(distance / ownStep);
        return true;
    }
    for (int label = 0; label < kStepCount; ++label) {
        m_moves[std::size_t(label)] = int((*round)[std::size_t(label)]);
    }
    m_inLoop = true;
    m_visited = {m_operatorCode};
    ++m_loops;
    return true;
}

// Part way round the Step order: the moves are shared among the steps still to come, then the
// operator's own. A target they cannot reach is left to the plan made back at the operator's step.
void TuningEngine::planInLoop() {
    m_inLoop = true;
    const std::array<Hertz, kStepCount> steps = tuningSteps(*m_kind);
    std::vector<Hertz> sizes(kStepCount, 0);
    for (const int label : labelsAhead()) {
        sizes[std::size_t(label)] = steps[std::size_t(label)];
    }
    sizes[std::size_t(labelOf(m_operatorCode))] = steps[std::size_t(labelOf(m_operatorCode))];
    if (const auto counts = fewestMoves(*m_target - *m_frequency, sizes)) {
        for (int label = 0; label < kStepCount; ++label) {
            m_moves[std::size_t(label)] = int((*counts)[std::size_t(label)]);
        }
    }
}

// The step labels still to come before the operator's step, the one in force among them: those
// the learned order names, and, where it is not known yet, every label this loop has not shown.
std::set<int> TuningEngine::labelsAhead() const {
    std::set<int> ahead;
    int code = *m_stepCode;
    for (int walked = 0; walked < kLongestWalk; ++walked) {
        if (code == m_operatorCode) {
            return ahead;
        }
        ahead.insert(labelOf(code));
        const auto next = m_next.find(code);
        if (next == m_next.end()) {
            break;
        }
        code = next->second;
    }
    std::set<int> shown;
    for (const int visited : m_visited) {
        shown.insert(labelOf(visited));
    }
    for (int label = 0; label < kStepCount; ++label) {
        if (!shown.contains(label)) {
            ahead.insert(label);
        }
    }
    return ahead;
}

// Presses still to come before the operator's step is back.
int TuningEngine::pressesToOperatorStep() const {
    if (!m_inLoop) {
        return 0;
    }
    std::set<int> shown;
    for (const int visited : m_visited) {
        shown.insert(labelOf(visited));
    }
    return pressesAround(*m_stepCode, std::move(shown));
}

// Presses from `from` to the operator's step: exact where the order is known that far, else the
// least it can be (one for each label not shown yet, and one to come back).
int TuningEngine::pressesAround(int from, std::set<int> shownLabels) const {
    int code = from;
    int presses = 0;
    for (; presses < kLongestWalk; ++presses) {
        shownLabels.insert(labelOf(code));
        const auto next = m_next.find(code);
        if (next == m_next.end()) {
            break;
        }
        code = next->second;
        if (code == m_operatorCode) {
            return presses + 1;
        }
    }
    return presses + (kStepCount - int(shownLabels.size())) + 1;
}

int TuningEngine::movesPlanned() const {
    int moves = 0;
    for (const int count : m_moves) {
        moves += std::abs(count);
    }
    return moves;
}

TuningProgress TuningEngine::progress() const {
    TuningProgress progress;
    progress.frequency = m_frequency;
    if (!m_target) {
        return progress;
    }
    progress.target = *m_target;
    progress.commandsSent = m_commands;
    progress.commandsLeft = movesPlanned() + pressesToOperatorStep();
    return progress;
}

std::optional<std::string_view> TuningEngine::due(MonotonicTime now) {
    if (m_awaiting != Awaiting::Nothing && now - m_sentAt >= kReportPatience) {
        if (m_target) {
            const bool move = m_awaiting == Awaiting::Move;
            const TuningEnd why = !m_sawUnchanged ? TuningEnd::NoReport
                                  : move          ? TuningEnd::DidNotMove
                                                  : TuningEnd::StepStuck;
            end(why, m_expected,
                move ? std::optional<std::int64_t>(m_frequency)
                     : std::optional<std::int64_t>(m_stepCode));
        }
        m_awaiting = Awaiting::Nothing;
        return std::nullopt;
    }
    if (!m_target || m_awaiting != Awaiting::Nothing) {
        return std::nullopt;
    }
    if (m_lastSent && now - *m_lastSent < kCommandSpacing - kTickTolerance) {
        return std::nullopt;
    }
    if (!planIfDue()) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int label = labelOf(*m_stepCode);
        const int moves = m_moves[std::size_t(label)];
        if (moves != 0) {
            m_pending = Awaiting::Move;
            m_moveLabel = label;
            m_moveUp = moves > 0;
            const Hertz step = tuningSteps(*m_kind)[std::size_t(label)];
            m_expected = *m_frequency + (m_moveUp ? step : -step);
            return m_moveUp ? command::kFrequencyUp : command::kFrequencyDown;
        }
        if (m_inLoop) {
            m_pending = Awaiting::Step;
            m_expected = *m_stepCode;
            return command::kStep;
        }
        // Back on the operator's step with nothing left to move: there, or a new plan is due.
        if (finishIfThere() || !plan()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

void TuningEngine::sent(MonotonicTime now) {
    if (!m_target || m_pending == Awaiting::Nothing) {
        return;
    }
    m_awaiting = m_pending;
    m_pending = Awaiting::Nothing;
    m_sentAt = now;
    m_lastSent = now;
    m_sawUnchanged = false;
    ++m_commands;
}

bool TuningEngine::finishIfThere() {
    if (m_target && m_awaiting == Awaiting::Nothing && !m_inLoop && m_frequency == m_target &&
        m_stepCode == m_operatorCode) {
        end(TuningEnd::Reached);
        return true;
    }
    return false;
}

// Once a plan is due again (a new target came while a report was awaited), it is made now.
bool TuningEngine::planIfDue() {
    if (!m_needsPlan) {
        return true;
    }
    m_needsPlan = false;
    if (m_chooseOperatorStep) {
        m_chooseOperatorStep = false;
        m_operatorCode = *m_stepCode;
        m_inLoop = false;
        m_visited.clear();
    }
    return plan();
}

void TuningEngine::statusReported(int stepCode, bool carrierOn) {
    const std::optional<int> before = m_stepCode;
    m_carrierOn = carrierOn;
    m_stepCode = stepCode;
    // The answer to a press counts even after the tuning that pressed has ended: the order it
    // shows is the transmitter's.
    const bool pressAnswered = m_awaiting == Awaiting::Step && before && *before != stepCode;
    if (pressAnswered) {
        m_awaiting = Awaiting::Nothing;
        m_next[*before] = stepCode;
    }
    if (!m_target) {
        return;
    }
    if (carrierOn) {
        end(TuningEnd::CarrierOn);
        return;
    }
    if (before == stepCode) {
        // A report sent before the press was read says what it said before.
        m_sawUnchanged = m_sawUnchanged || m_awaiting == Awaiting::Step;
        return;
    }
    if (!pressAnswered) {
        end(TuningEnd::Disagreed, before, stepCode);  // the step changed, and not by this tuning
        return;
    }
    if (labelOf(stepCode) < 0) {
        end(TuningEnd::Disagreed, std::nullopt, stepCode);  // a step no label shows
        return;
    }
    if (!m_needsPlan || !m_chooseOperatorStep) {
        if (stepCode == m_operatorCode) {
            m_inLoop = false;
            m_visited.clear();
        } else if (!m_visited.insert(stepCode).second) {
            // The order goes round without the operator's step: it could never be put back.
            end(TuningEnd::Disagreed, m_operatorCode, stepCode);
            return;
        }
    }
    if (planIfDue()) {
        (void)finishIfThere();
    }
}

void TuningEngine::frequencyReported(FrequencyKind kind, std::optional<Hertz> hertz) {
    if (!hertz) {
        return;  // digits that are no frequency say nothing of a move
    }
    const std::optional<FrequencyKind> kindBefore = m_kind;
    const std::optional<Hertz> before = m_frequency;
    m_kind = kind;
    m_frequency = hertz;
    const bool awaitedMove = m_awaiting == Awaiting::Move;
    const bool moveAnswered = awaitedMove && *hertz == m_expected;
    if (awaitedMove && before != hertz) {
        m_awaiting = Awaiting::Nothing;
    }
    if (!m_target) {
        return;
    }
    if (kindBefore != kind) {
        end(TuningEnd::Disagreed);  // another transmitter, with other steps
        return;
    }
    if (moveAnswered) {
        m_moves[std::size_t(m_moveLabel)] += m_moveUp ? -1 : 1;
        if (planIfDue()) {
            (void)finishIfThere();
        }
        return;
    }
    if (before == hertz) {
        m_sawUnchanged = m_sawUnchanged || m_awaiting == Awaiting::Move;
        return;
    }
    end(TuningEnd::Disagreed, awaitedMove ? std::optional<std::int64_t>(m_expected) : before,
        *hertz);
}

void TuningEngine::forgetState() {
    m_carrierOn.reset();
    m_stepCode.reset();
}

void TuningEngine::forgetAll() {
    forgetState();
    m_kind.reset();
    m_frequency.reset();
    m_next.clear();
    m_lastSent.reset();
}

}  // namespace txlink
