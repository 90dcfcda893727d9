// Tuning to a frequency: the plans (fewest commands, Step presses included, the operator's step
// put back), the pace (one command a tick, each after the report of the last), and every reason
// a tuning stops or is refused. A small transmitter here answers the commands as the real one
// does, with a Step order, band edges and faults of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "txlink/Commands.h"
#include "txlink/TuningEngine.h"

namespace {

using namespace std::chrono_literals;
using txlink::FrequencyKind;
using txlink::Hertz;
using txlink::TuningEnd;
using txlink::TuningEngine;
using txlink::TuningOutcome;
using txlink::TuningStart;

constexpr Hertz kMHz = 1'000'000;
constexpr Hertz kKHz = 1'000;

// A transmitter that answers each command a little later with the record that shows its effect.
struct Transmitter {
    FrequencyKind kind = FrequencyKind::F;
    std::vector<int> order{1, 2, 4, 8, 40};  // the step codes Step cycles through
    std::size_t at = 0;                      // where in the order the step in force is
    Hertz frequency = 1296 * kMHz;
    Hertz lowEdge = 0;
    Hertz highEdge = 9'999'999 * kKHz;
    bool carrier = false;
    bool stepSticks = false;    // Step answers with the step unchanged
    std::map<int, int> detour;  // Step goes from a code to another than the order's next
    Hertz moveError = 0;        // added to every move
    bool silent = false;
    std::chrono::milliseconds latency = 12ms;

    int code() const { return order[at]; }
    Hertz step() const {
        return txlink::tuningSteps(kind)[std::size_t(*txlink::stepLabelForCode(code()))];
    }
    void operatorStep(int code) {
        at = std::size_t(std::find(order.begin(), order.end(), code) - order.begin());
    }

    struct Report {
        txlink::MonotonicTime at;
        bool status;
    };
    std::deque<Report> answers;

    void obey(std::string_view command, txlink::MonotonicTime now) {
        if (command == txlink::command::kStep) {
            if (detour.contains(code())) {
                operatorStep(detour.at(code()));
            } else if (!stepSticks) {
                at = (at + 1) % order.size();
            }
            answers.push_back({now + latency, true});
        } else if (command == txlink::command::kFrequencyUp ||
                   command == txlink::command::kFrequencyDown) {
            const Hertz next = frequency +
                               (command == txlink::command::kFrequencyUp ? step() : -step()) +
                               moveError;
            if (next >= lowEdge && next <= highEdge) {
                frequency = next;
            }
            answers.push_back({now + latency, false});
        }
    }
    void tell(TuningEngine& engine, bool status) const {
        if (status) {
            engine.statusReported(code(), carrier);
        } else {
            engine.frequencyReported(kind, frequency);
        }
    }
    void deliver(TuningEngine& engine, txlink::MonotonicTime now) {
        while (!answers.empty() && answers.front().at <= now) {
            if (!silent) {
                tell(engine, answers.front().status);
            }
            answers.pop_front();
        }
    }
};

struct Outcomes {
    std::vector<std::string> commands;
    std::vector<std::chrono::milliseconds> sentAt;
    std::vector<TuningOutcome> ended;
    std::chrono::milliseconds tookUntilEnd{0};
    int presses() const { return int(std::count(commands.begin(), commands.end(), "1a")); }
};

// Runs the clock in steps of 1 ms with a tick of the repeat timer every `tick`, until the tuning
// has ended and the transmitter has said everything, or `limit`. `during` may act at any moment.
struct Bench {
    Transmitter tx;
    TuningEngine engine;
    txlink::MonotonicTime now{};
    std::chrono::milliseconds tick = 100ms;

    void reportAll() {
        tx.tell(engine, true);
        tx.tell(engine, false);
    }
    Outcomes run(std::chrono::milliseconds limit = 60s,
                 const std::function<void(std::chrono::milliseconds, Bench&)>& during = {}) {
        Outcomes result;
        const txlink::MonotonicTime began = now;
        for (std::chrono::milliseconds t{0}; t <= limit; t += 1ms) {
            now = began + t;
            tx.deliver(engine, now);
            if (during) {
                during(t, *this);
            }
            if (t % tick == 0ms) {
                if (const auto command = engine.due(now)) {
                    result.commands.emplace_back(*command);
                    result.sentAt.push_back(t);
                    engine.sent(now);
                    tx.obey(*command, now);
                }
            }
            for (TuningOutcome& outcome : engine.takeEnded()) {
                result.ended.push_back(outcome);
                result.tookUntilEnd = t;
            }
            if (!engine.running() && tx.answers.empty() && !result.ended.empty()) {
                break;
            }
        }
        return result;
    }
};

std::string joined(const std::vector<std::string>& commands) {
    std::string text;
    for (const std::string& c : commands) {
        text += (text.empty() ? "" : " ") + c;
    }
    return text;
}

// --- plans ----------------------------------------------------------------------------------

struct PlanCase {
    const char* name;
    FrequencyKind kind;
    std::vector<int> order;
    int operatorCode;
    Hertz from;
    Hertz to;
    int commands;  // the fewest for that order, Step presses included
    int presses;
};

void PrintTo(const PlanCase& c, std::ostream* out) {
    *out << c.name;
}

class Plans : public ::testing::TestWithParam<PlanCase> {};

TEST_P(Plans, ReachTheTargetWithTheFewestCommandsAndPutTheStepBack) {
    const PlanCase& c = GetParam();
    Bench bench;
    bench.tx.kind = c.kind;
    bench.tx.order = c.order;
    bench.tx.operatorStep(c.operatorCode);
    bench.tx.frequency = c.from;
    bench.tx.highEdge = txlink::highestFrequency(c.kind);
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(c.to, true),
              c.commands == 0 ? TuningStart::Finished : TuningStart::Started);
    const Outcomes run = bench.run();

    ASSERT_EQ(run.ended.size(), 1u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Reached) << joined(run.commands);
    EXPECT_EQ(bench.tx.frequency, c.to);
    EXPECT_EQ(bench.tx.code(), c.operatorCode) << "the operator's step is not back";
    EXPECT_EQ(int(run.commands.size()), c.commands) << joined(run.commands);
    EXPECT_EQ(run.presses(), c.presses) << joined(run.commands);
    EXPECT_EQ(run.ended[0].commands, c.commands);
    // One a tick, and the tuning ends with the report of the last: within 1.2 times the
    // commands' own time.
    EXPECT_LE(run.tookUntilEnd, 1.2 * (c.commands * TuningEngine::kCommandSpacing));
}

const std::vector<int> kUsualOrder{1, 2, 4, 8, 40};
// The Step order is not assumed: this one runs from the 1 MHz step down and round.
const std::vector<int> kOddOrder{8, 1, 40, 2, 4};

INSTANTIATE_TEST_SUITE_P(
    Tuning, Plans,
    ::testing::Values(
        // 5.625 MHz = 5 MHz + 500 kHz + 125 kHz, once round the five steps.
        PlanCase{"FUpOnceRound", FrequencyKind::F, kUsualOrder, 1, 1296 * kMHz, 1301'625 * kKHz, 8,
                 5},
        // -4.75 MHz = -5 MHz + 250 kHz: a move past the target and back costs less.
        PlanCase{"FDownPastAndBack", FrequencyKind::F, kUsualOrder, 1, 1301'625 * kKHz,
                 1296'875 * kKHz, 7, 5},
        PlanCase{"FDownFourSteps", FrequencyKind::F, kUsualOrder, 1, 1296'875 * kKHz,
                 1290'125 * kKHz, 9, 5},
        // Four of the operator's own steps cost less than a round of Step.
        PlanCase{"FStaysOnTheOperatorsStep", FrequencyKind::F, kUsualOrder, 1, 1296 * kMHz,
                 1296'500 * kKHz, 4, 0},
        PlanCase{"FOnTheFiveMegahertzStep", FrequencyKind::F, kUsualOrder, 40, 1296 * kMHz,
                 1306 * kMHz, 2, 0},
        // Seven of 125 kHz against a round with 1 MHz - 125 kHz: 7 each; the round is not taken
        // for nothing.
        PlanCase{"FTieStaysOnTheStep", FrequencyKind::F, kUsualOrder, 1, 1296 * kMHz,
                 1296'875 * kKHz, 7, 0},
        PlanCase{"FOddOrder", FrequencyKind::F, kOddOrder, 4, 1296 * kMHz, 1301'625 * kKHz, 8, 5},
        PlanCase{"FOddOrderOperatorMidway", FrequencyKind::F, kOddOrder, 40, 1296'875 * kKHz,
                 1290'125 * kKHz, 9, 5},
        // G: 32 MHz = 25 + 5 + 1 + 1.
        PlanCase{"GUp", FrequencyKind::G, kUsualOrder, 1, 10368 * kMHz, 10400 * kMHz, 9, 5},
        PlanCase{"GDownOnItsOwnStep", FrequencyKind::G, kUsualOrder, 8, 10368 * kMHz, 10338 * kMHz,
                 3, 0},
        // H: 375 kHz is not a number of 250 kHz steps: 500 kHz - 125 kHz.
        PlanCase{"HEighths", FrequencyKind::H, kUsualOrder, 2, 2320 * kMHz, 2320'375 * kKHz, 7, 5},
        PlanCase{"HTenMegahertz", FrequencyKind::H, kUsualOrder, 1, 2320 * kMHz, 2350 * kMHz, 8, 5},
        // A transmitter whose Step offers only three steps: the first round finds it out, the
        // second uses what it found (10 of 500 kHz after 3 presses), the operator's step last.
        PlanCase{"FThreeStepOrderLearnt",
                 FrequencyKind::F,
                 {1, 2, 4},
                 1,
                 1296 * kMHz,
                 1301 * kMHz,
                 16,
                 6},
        PlanCase{"AlreadyThere", FrequencyKind::F, kUsualOrder, 1, 1296 * kMHz, 1296 * kMHz, 0, 0}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

// The order learnt on one tuning serves the next: the three-step transmitter is then planned
// for exactly.
TEST(Tuning, TheStepOrderLearntServesTheNextTuning) {
    Bench bench;
    bench.tx.order = {1, 2, 4};
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1301 * kMHz, true), TuningStart::Started);
    ASSERT_EQ(bench.run().ended.at(0).end, TuningEnd::Reached);
    EXPECT_EQ(bench.engine.stepOrder(), (std::map<int, int>{{1, 2}, {2, 4}, {4, 1}}));

    ASSERT_EQ(bench.engine.start(1296 * kMHz, true), TuningStart::Started);
    EXPECT_EQ(bench.engine.progress().commandsLeft, 13);  // 3 presses, 10 of 500 kHz
    const Outcomes back = bench.run();
    EXPECT_EQ(back.ended.at(0).end, TuningEnd::Reached);
    EXPECT_EQ(back.commands.size(), 13u) << joined(back.commands);
    EXPECT_EQ(bench.tx.code(), 1);
}

// --- pace -----------------------------------------------------------------------------------

TEST(Tuning, OneCommandATickAndEachOnlyAfterTheReportOfTheLast) {
    struct Pace {
        std::chrono::milliseconds tick;
        std::chrono::milliseconds latency;
        std::chrono::milliseconds spacing;  // between two commands, at least
    };
    for (const Pace pace : {Pace{100ms, 12ms, 100ms}, Pace{50ms, 12ms, 100ms},
                            Pace{100ms, 250ms, 300ms}, Pace{10ms, 150ms, 150ms}}) {
        SCOPED_TRACE(std::to_string(pace.tick.count()) + " ms ticks, answers after " +
                     std::to_string(pace.latency.count()) + " ms");
        Bench bench;
        bench.tick = pace.tick;
        bench.tx.latency = pace.latency;
        bench.reportAll();
        ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
        const Outcomes run = bench.run();
        ASSERT_EQ(run.ended.at(0).end, TuningEnd::Reached);
        for (std::size_t i = 1; i < run.sentAt.size(); ++i) {
            EXPECT_GE(run.sentAt[i] - run.sentAt[i - 1], pace.spacing) << "command " << i;
        }
    }
}

// --- stops and refusals ----------------------------------------------------------------------

struct StopCase {
    const char* name;
    std::function<void(Bench&)> arrange;
    // Acts at each millisecond of the run; may stop the tuning.
    std::function<void(std::chrono::milliseconds, Bench&)> during;
    TuningEnd end;
    int commandsAtMost;  // sent before it ended
};

void PrintTo(const StopCase& c, std::ostream* out) {
    *out << c.name;
}

class Stops : public ::testing::TestWithParam<StopCase> {};

// Whatever ends a tuning, nothing more goes out after it: the transmitter is left as it is.
TEST_P(Stops, SayWhyAndSendNothingMore) {
    const StopCase& c = GetParam();
    Bench bench;
    bench.reportAll();
    if (c.arrange) {
        c.arrange(bench);
    }
    ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
    const Outcomes run = bench.run(10s, [&](std::chrono::milliseconds t, Bench& b) {
        if (c.during) {
            c.during(t, b);
        }
    });
    ASSERT_EQ(run.ended.size(), 1u);
    EXPECT_EQ(run.ended[0].end, c.end) << joined(run.commands);
    EXPECT_LE(int(run.commands.size()), c.commandsAtMost) << joined(run.commands);
    EXPECT_EQ(run.ended[0].commands, int(run.commands.size()));
    // Nothing more, however long the ticks go on.
    for (int tick = 0; tick < 50; ++tick) {
        bench.now += 100ms;
        EXPECT_FALSE(bench.engine.due(bench.now).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tuning, Stops,
    ::testing::Values(
        StopCase{"CarrierComesOn",
                 {},
                 [](std::chrono::milliseconds t, Bench& b) {
                     if (t == 250ms) {
                         b.tx.carrier = true;
                         b.tx.tell(b.engine, true);
                     }
                 },
                 TuningEnd::CarrierOn,
                 3},
        StopCase{"BandEdge",
                 [](Bench& b) { b.tx.highEdge = 1300 * kMHz; },
                 {},
                 TuningEnd::DidNotMove,
                 8},
        StopCase{"StepDoesNotTake",
                 [](Bench& b) { b.tx.stepSticks = true; },
                 {},
                 TuningEnd::StepStuck,
                 2},
        StopCase{"MoveByAnotherStep",
                 [](Bench& b) { b.tx.moveError = 25 * kKHz; },
                 {},
                 TuningEnd::Disagreed,
                 1},
        // 1, 2, 4, 2, 4, ...: the operator's step would never come back.
        StopCase{"StepNeverComesBack",
                 [](Bench& b) {
                     b.tx.detour = {{4, 2}};
                 },
                 {},
                 TuningEnd::Disagreed,
                 5},
        StopCase{"NoReportComes", [](Bench& b) { b.tx.silent = true; }, {}, TuningEnd::NoReport, 1},
        StopCase{"StepChangedByAnother",
                 {},
                 [](std::chrono::milliseconds t, Bench& b) {
                     if (t == 50ms) {
                         b.tx.at = 3;
                         b.tx.tell(b.engine, true);
                     }
                 },
                 TuningEnd::Disagreed,
                 1},
        StopCase{"FrequencyChangedByAnother",
                 {},
                 [](std::chrono::milliseconds t, Bench& b) {
                     if (t == 150ms) {
                         b.tx.frequency += 10 * kMHz;
                         b.tx.tell(b.engine, false);
                     }
                 },
                 TuningEnd::Disagreed,
                 2},
        StopCase{"OperatorStops",
                 {},
                 [](std::chrono::milliseconds t, Bench& b) {
                     if (t == 350ms) {
                         b.engine.stop(TuningEnd::Operator);
                     }
                 },
                 TuningEnd::Operator,
                 4},
        StopCase{"LinkGoesDown",
                 {},
                 [](std::chrono::milliseconds t, Bench& b) {
                     if (t == 350ms) {
                         b.engine.stop(TuningEnd::LinkDown);
                         b.engine.forgetState();
                     }
                 },
                 TuningEnd::LinkDown,
                 4}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// A disagreement names what was expected and what came.
TEST(Tuning, ADisagreementSaysWhatWasExpectedAndWhatCame) {
    Bench bench;
    bench.tx.operatorStep(40);
    bench.tx.moveError = -1 * kMHz;  // the 5 MHz step moves 4 MHz
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1306 * kMHz, true), TuningStart::Started);
    const Outcomes run = bench.run();
    ASSERT_EQ(run.ended.size(), 1u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Disagreed);
    EXPECT_EQ(run.ended[0].expected, 1301 * kMHz);
    EXPECT_EQ(run.ended[0].reported, 1300 * kMHz);
    EXPECT_EQ(run.commands.size(), 1u);
}

struct RefusalCase {
    const char* name;
    std::function<void(Bench&)> arrange;
    Hertz target;
    bool linkUp;
    TuningEnd end;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, SendNothing) {
    const RefusalCase& c = GetParam();
    Bench bench;
    c.arrange(bench);
    EXPECT_EQ(bench.engine.start(c.target, c.linkUp), TuningStart::Finished);
    const std::vector<TuningOutcome> ended = bench.engine.takeEnded();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].end, c.end);
    EXPECT_FALSE(bench.engine.running());
    bench.now += 1s;
    EXPECT_FALSE(bench.engine.due(bench.now).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Tuning, Refusals,
    ::testing::Values(RefusalCase{"BeforeAnyFrequencyRecord",
                                  [](Bench& b) { b.tx.tell(b.engine, true); }, 1300 * kMHz, true,
                                  TuningEnd::NotReported},
                      RefusalCase{"BeforeAnyStatusRecord",
                                  [](Bench& b) { b.tx.tell(b.engine, false); }, 1300 * kMHz, true,
                                  TuningEnd::NotReported},
                      RefusalCase{"AfterTheLinkWentDownAndBeforeANewStatus",
                                  [](Bench& b) {
                                      b.reportAll();
                                      b.engine.forgetState();
                                      b.tx.tell(b.engine, false);
                                  },
                                  1300 * kMHz, true, TuningEnd::NotReported},
                      RefusalCase{"WhileTheCarrierIsOn",
                                  [](Bench& b) {
                                      b.tx.carrier = true;
                                      b.reportAll();
                                  },
                                  1300 * kMHz, true, TuningEnd::CarrierOn},
                      RefusalCase{"WhileTheLinkIsDown", [](Bench& b) { b.reportAll(); },
                                  1300 * kMHz, false, TuningEnd::LinkDown},
                      RefusalCase{"NoSumOfStepsReachesIt", [](Bench& b) { b.reportAll(); },
                                  1300 * kMHz + 100 * kKHz, true, TuningEnd::Unreachable},
                      RefusalCase{"GStepsAreCoarser",
                                  [](Bench& b) {
                                      b.tx.kind = FrequencyKind::G;
                                      b.tx.frequency = 10368 * kMHz;
                                      b.reportAll();
                                  },
                                  10368 * kMHz + 250 * kKHz, true, TuningEnd::Unreachable},
                      RefusalCase{"AboveWhatTheRecordShows", [](Bench& b) { b.reportAll(); },
                                  10'000 * kMHz, true, TuningEnd::Unreachable},
                      RefusalCase{"BelowZero", [](Bench& b) { b.reportAll(); }, -125 * kKHz, true,
                                  TuningEnd::Unreachable}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// --- one at a time --------------------------------------------------------------------------

TEST(Tuning, ANewTargetReplacesTheRunningOneAndTheOperatorsStepStaysTheOneToPutBack) {
    Bench bench;
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
    bool replaced = false;
    const Outcomes run = bench.run(30s, [&](std::chrono::milliseconds t, Bench& b) {
        if (t == 250ms) {  // two presses out: mid-loop, the 500 kHz step in force
            EXPECT_EQ(b.engine.start(1301'625 * kKHz, true), TuningStart::Joined);
            replaced = b.engine.start(1290'125 * kKHz, true) == TuningStart::Started;
        }
    });
    ASSERT_TRUE(replaced);
    ASSERT_EQ(run.ended.size(), 2u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Replaced);
    EXPECT_EQ(run.ended[0].target, 1301'625 * kKHz);
    EXPECT_EQ(run.ended[1].end, TuningEnd::Reached) << joined(run.commands);
    EXPECT_EQ(bench.tx.frequency, 1290'125 * kKHz);
    EXPECT_EQ(bench.tx.code(), 1);
    // 3 commands for the first target; then the rest of the round (3 presses) with -1 MHz and
    // -5 MHz on the steps still to come.
    EXPECT_EQ(run.commands.size(), 8u) << joined(run.commands);
}

TEST(Tuning, TheSameTargetAgainJoinsAndDoesNotStartOver) {
    Bench bench;
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
    const Outcomes run = bench.run(30s, [](std::chrono::milliseconds t, Bench& b) {
        if (t % 300ms == 0ms && b.engine.running()) {
            EXPECT_EQ(b.engine.start(1301'625 * kKHz, true), TuningStart::Joined);
        }
    });
    ASSERT_EQ(run.ended.size(), 1u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Reached);
    EXPECT_EQ(run.commands.size(), 8u) << joined(run.commands);
}

// A refused target leaves the running tuning alone.
TEST(Tuning, ARefusedTargetReplacesNothing) {
    Bench bench;
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
    const Outcomes run = bench.run(30s, [](std::chrono::milliseconds t, Bench& b) {
        if (t == 250ms) {
            EXPECT_EQ(b.engine.start(1300 * kMHz + 1, true), TuningStart::Finished);
        }
    });
    ASSERT_EQ(run.ended.size(), 2u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Unreachable);
    EXPECT_EQ(run.ended[1].end, TuningEnd::Reached);
}

// A tuning stopped with a command on its way, and a new one started at once: the new one waits
// for that command's report and takes the step it shows as the operator's.
TEST(Tuning, ANewTuningAfterAStopWaitsForTheLastCommandsReport) {
    Bench bench;
    bench.tx.latency = 40ms;
    bench.reportAll();
    ASSERT_EQ(bench.engine.start(1301'625 * kKHz, true), TuningStart::Started);
    const Outcomes run = bench.run(30s, [](std::chrono::milliseconds t, Bench& b) {
        if (t == 110ms) {  // the first press is out, its report not in
            b.engine.stop(TuningEnd::Operator);
            EXPECT_EQ(b.engine.start(1296'625 * kKHz, true), TuningStart::Started);
        }
    });
    ASSERT_EQ(run.ended.size(), 2u);
    EXPECT_EQ(run.ended[0].end, TuningEnd::Operator);
    EXPECT_EQ(run.ended[1].end, TuningEnd::Reached) << joined(run.commands);
    EXPECT_EQ(bench.tx.code(), 2) << "the step in force when the second tuning began";
    EXPECT_EQ(joined(run.commands), "3a 1a 3a 3a");
}

// --- the arithmetic -------------------------------------------------------------------------

// Fewest moves against an exhaustive search over a wide window, for distances near and far (far
// ones take the shortcut through the largest step).
TEST(FewestMoves, MatchesAnExhaustiveSearch) {
    const std::vector<std::vector<Hertz>> stepSets = {
        {1, 2, 4, 8, 40}, {1, 2, 10, 20, 50}, {1, 2, 4, 8, 80}, {2, 4, 8}, {3, 5}, {0, 7, 0, 9, 0}};
    for (const auto& sizes : stepSets) {
        constexpr int kWindow = 20000;
        std::vector<int> fewest(2 * kWindow + 1, -1);
        std::deque<int> frontier{0};
        fewest[kWindow] = 0;
        while (!frontier.empty()) {
            const int value = frontier.front();
            frontier.pop_front();
            for (const Hertz size : sizes) {
                for (const Hertz next : {value + size, value - size}) {
                    if (size > 0 && next >= -kWindow && next <= kWindow &&
                        fewest[std::size_t(next + kWindow)] < 0) {
                        fewest[std::size_t(next + kWindow)] =
                            fewest[std::size_t(value + kWindow)] + 1;
                        frontier.push_back(int(next));
                    }
                }
            }
        }
        for (int distance = -9000; distance <= 9000;
             distance += std::abs(distance) < 2000 ? 1 : 7) {
            const auto counts = txlink::fewestMoves(distance, sizes);
            const int expected = fewest[std::size_t(distance + kWindow)];
            ASSERT_EQ(counts.has_value(), expected >= 0) << distance;
            if (!counts) {
                continue;
            }
            std::int64_t total = 0;
            std::int64_t moves = 0;
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                total += (*counts)[i] * sizes[i];
                moves += std::llabs((*counts)[i]);
            }
            EXPECT_EQ(total, distance);
            EXPECT_EQ(moves, expected) << "distance " << distance;
        }
    }
}

// The steps each kind tunes in are those its step labels show once a record of that kind has
// come: the window's start-up captions, as the parser re-captions them.
class Captions final : public txlink::PanelDisplay, public txlink::PanelTimers {
public:
    std::array<std::string, txlink::kStepCount> captions{"125 KHz", "250 KHz", "500 KHz", "1 MHz",
                                                         "5 MHz"};
    void showFrequency(std::string_view, std::string_view) override {}
    void showSelectedStep(std::optional<int>) override {}
    void showStepCaption(int step, std::string_view caption) override {
        captions[std::size_t(step)] = std::string(caption);
    }
    void showLock(bool) override {}
    void showPower(int) override {}
    void showCarrier(bool) override {}
    void showLink(bool) override {}
    void showNetworkControl(std::optional<txlink::NetworkControlShown>) override {}
    void setTimerRunning(txlink::PanelTimer, bool) override {}
};

Hertz captionHertz(const std::string& caption) {
    const Hertz number = std::stoll(caption);
    return caption.ends_with(" MHz") ? number * kMHz : number * kKHz;
}

TEST(TuningSteps, AreTheCaptionsTheParserShowsForEachKind) {
    const std::pair<const char*, FrequencyKind> kinds[] = {{"F1296000", FrequencyKind::F},
                                                           {"G1036800", FrequencyKind::G},
                                                           {"H0232000", FrequencyKind::H}};
    for (const auto& [record, kind] : kinds) {
        Captions display;
        ASSERT_EQ(txlink::applyRecords(record, display, display), txlink::ParseResult::Applied);
        for (int step = 0; step < txlink::kStepCount; ++step) {
            EXPECT_EQ(captionHertz(display.captions[std::size_t(step)]),
                      txlink::tuningSteps(kind)[std::size_t(step)])
                << record << " step " << step;
        }
    }
}

// What the listener hears is what the window shows, in hertz, for every record applied.
TEST(RecordListener, HearsEachRecordInHertz) {
    struct Heard final : txlink::RecordListener {
        std::vector<std::string> said;
        void statusReported(int code, bool carrier) override {
            said.push_back("S " + std::to_string(code) + (carrier ? " on" : " off"));
        }
        void frequencyReported(FrequencyKind kind, std::optional<Hertz> hertz) override {
            said.push_back(std::string(1, "FGH"[int(kind)]) + " " +
                           (hertz ? std::to_string(*hertz) : std::string("?")));
        }
    };
    Captions display;
    Heard heard;
    // A refused status record ends the text: the records after it are not heard.
    ASSERT_EQ(txlink::applyRecords("S1400128F1301625G1036867H0232037H0232012F12x4567S1401255"
                                   "S1x01128F1296000",
                                   display, display, &heard),
              txlink::ParseResult::Refused);
    EXPECT_EQ(heard.said,
              (std::vector<std::string>{"S 40 off", "F 1301625000", "G 10368670000", "H 2320375000",
                                        "H 2320125000", "F ?", "S 40 on"}));
}

}  // namespace
