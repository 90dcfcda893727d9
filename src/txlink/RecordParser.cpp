#include "txlink/RecordParser.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace txlink {
namespace {

// The characters at 1-based `position`, at most `length` of them; fewer, or none, in a short
// record.
std::string_view field(std::string_view record, std::size_t position, std::size_t length) {
    const std::size_t start = position - 1;
    if (start >= record.size()) {
        return {};
    }
    return record.substr(start, length);
}

// Decimal digits, leading zeros allowed. Anything else, an empty field included, is no number.
std::optional<int> readNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The digits as a number when all of them, exactly `count`, are digits.
std::optional<std::int64_t> exactDigits(std::string_view digits, std::size_t count) {
    if (digits.size() != count) {
        return std::nullopt;
    }
    const std::optional<int> value = readNumber(digits);
    return value ? std::optional<std::int64_t>(*value) : std::nullopt;
}

// The frequency a record shows, when its digits are all there: whole megahertz, then thousandths.
std::optional<std::int64_t> hertzOf(std::optional<std::int64_t> megahertz,
                                    std::optional<std::int64_t> kilohertz) {
    if (!megahertz || !kilohertz) {
        return std::nullopt;
    }
    return *megahertz * 1'000'000 + *kilohertz * 1'000;
}

}  // namespace

std::optional<int> stepLabelForCode(int code) {
    switch (code) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 4:
        case 10:
            return 2;
        case 8:
        case 20:
            return 3;
        case 40:
        case 50:
        case 80:
            return 4;
        default:
            return std::nullopt;
    }
}

namespace {

// Each step that is done stays done when a later one refuses the record.
ParseResult applyStatus(std::string_view record, PanelDisplay& display, PanelTimers& timers,
                        RecordListener* listener) {
    if (record.starts_with("S1")) {
        display.showLock(true);
    } else if (record.starts_with("S0")) {
        display.showLock(false);
    }

    const std::optional<int> stepCode = readNumber(field(record, 3, 2));
    if (!stepCode) {
        return ParseResult::Refused;
    }
    if (const std::optional<int> step = stepLabelForCode(*stepCode)) {
        display.showSelectedStep(step);
    }

    // The level is the record's last three characters, also in a short record.
    const std::optional<int> power =
        readNumber(record.substr(record.size() - std::min<std::size_t>(3, record.size())));
    if (!power || *power < kPowerMin || *power > kPowerMax) {
        return ParseResult::Refused;  // the bar takes nothing outside its range
    }
    display.showPower(*power);

    const std::optional<int> carrierFlag = readNumber(field(record, 5, 1));
    if (!carrierFlag) {
        return ParseResult::Refused;
    }
    display.showCarrier(*carrierFlag == 1);

    timers.setTimerRunning(PanelTimer::PowerRepeat, true);
    if (listener != nullptr) {
        listener->statusReported(*stepCode, *carrierFlag == 1);
    }
    return ParseResult::Applied;
}

void applyF(std::string_view record, PanelDisplay& display, PanelTimers& timers,
            RecordListener* listener) {
    display.showFrequency(field(record, 2, 4), field(record, 6, 3));
    timers.setTimerRunning(PanelTimer::FrequencyRepeat, true);
    if (listener != nullptr) {
        listener->frequencyReported(FrequencyKind::F, hertzOf(exactDigits(field(record, 2, 4), 4),
                                                              exactDigits(field(record, 6, 3), 3)));
    }
}

void applyG(std::string_view record, PanelDisplay& display, PanelTimers& timers,
            RecordListener* listener) {
    display.showFrequency(field(record, 2, 5), field(record, 7, 2));
    timers.setTimerRunning(PanelTimer::FrequencyRepeat, true);

    // A G record comes from a transmitter that tunes in coarser steps.
    static constexpr std::array<std::string_view, kStepCount> kCoarseSteps = {
        "500 KHz", "1 MHz", "5 MHz", "10 MHz", "25 MHz"};
    for (int step = 0; step < kStepCount; ++step) {
        display.showStepCaption(step, kCoarseSteps[step]);
    }
    if (listener != nullptr) {
        const std::optional<std::int64_t> tens = exactDigits(field(record, 7, 2), 2);
        listener->frequencyReported(FrequencyKind::G,
                                    hertzOf(exactDigits(field(record, 2, 5), 5),
                                            tens ? std::optional<std::int64_t>(*tens * 10) : tens));
    }
}

void applyH(std::string_view record, PanelDisplay& display, PanelTimers& timers,
            RecordListener* listener) {
    // The transmitter sends two of the three fraction digits; eighths of a step end in 5.
    const std::string_view pair = field(record, 7, 2);
    const bool endsInFive = pair == "12" || pair == "37" || pair == "62" || pair == "87";
    display.showFrequency(field(record, 2, 5), std::string(pair) + (endsInFive ? "5" : "0"));
    timers.setTimerRunning(PanelTimer::FrequencyRepeat, true);

    display.showStepCaption(kStepCount - 1, "10 MHz");
    if (listener != nullptr) {
        const std::optional<std::int64_t> pairValue = exactDigits(pair, 2);
        listener->frequencyReported(
            FrequencyKind::H,
            hertzOf(exactDigits(field(record, 2, 5), 5),
                    pairValue ? std::optional<std::int64_t>(*pairValue * 10 + (endsInFive ? 5 : 0))
                              : pairValue));
    }
}

}  // namespace

ParseResult applyRecords(std::string_view text, PanelDisplay& display, PanelTimers& timers,
                         RecordListener* listener) {
    for (std::size_t start = 0; text.size() > start + 1; start += kRecordLength) {
        const std::string_view record = text.substr(start, kRecordLength);
        switch (record.front()) {
            case 'S':
                if (applyStatus(record, display, timers, listener) == ParseResult::Refused) {
                    return ParseResult::Refused;
                }
                break;
            case 'F':
                applyF(record, display, timers, listener);
                break;
            case 'G':
                applyG(record, display, timers, listener);
                break;
            case 'H':
                applyH(record, display, timers, listener);
                break;
            default:
                break;  // a kind this panel does not know
        }
    }
    return ParseResult::Applied;
}

}  // namespace txlink
