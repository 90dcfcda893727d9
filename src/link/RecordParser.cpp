#include "RecordParser.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <string>

namespace txlink {
namespace {

// A record that cannot be applied; caught at the end of the parse.
struct ParseFailure {};

// The characters at 1-based `position`, at most `length` of them; fewer, or none, in a short
// record.
std::string_view field(std::string_view record, std::size_t position, std::size_t length) {
    const std::size_t start = position - 1;
    if (start >= record.size()) {
        return {};
    }
    return record.substr(start, length);
}

// Decimal digits, leading zeros allowed. Anything else, an empty field included, fails.
int readNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        throw ParseFailure{};
    }
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// Which step label a status record's step code selects, if any.
std::optional<int> stepLabelFor(int code) {
    switch (code) {
        case 1:
            return 11;
        case 2:
            return 12;
        case 4:
        case 10:
            return 13;
        case 8:
        case 20:
            return 14;
        case 40:
        case 50:
        case 80:
            return 15;
        default:
            return std::nullopt;
    }
}

void applyStatus(std::string_view record, MainDisplay& display, Timers& timers) {
    if (record.starts_with("S1")) {
        display.setPanelText(3, "TX Locked");
    } else if (record.starts_with("S0")) {
        display.setPanelText(3, "TX UnLocked");
    }

    if (const auto selected = stepLabelFor(readNumber(field(record, 3, 2)))) {
        for (int label = kFirstStepLabel; label <= kLastStepLabel; ++label) {
            display.setStepLabelEnabled(label, label == *selected);
        }
    }

    // The level is the record's last three characters, also in a short record.
    const int power =
        readNumber(record.substr(record.size() - std::min<std::size_t>(3, record.size())));
    if (power < kPowerBarMin || power > kPowerBarMax) {
        throw ParseFailure{};  // the bar refuses a value outside its range
    }
    display.setPowerBarValue(power);

    if (readNumber(field(record, 5, 1)) == 1) {
        display.setCarrierCaption("TX Off");
        display.setCarrierBackColor(kRed);
    } else {
        display.setCarrierCaption("TX On");
        display.setCarrierBackColor(kGreen);
    }

    timers.setTimerEnabled(Timer::wait2, true);
}

void applyF(std::string_view record, MainDisplay& display, Timers& timers) {
    display.setMegahertzDigits(field(record, 2, 4));
    display.setFractionDigits(field(record, 6, 3));
    timers.setTimerEnabled(Timer::wait1, true);
}

void applyG(std::string_view record, MainDisplay& display, Timers& timers) {
    display.setMegahertzDigits(field(record, 2, 5));
    display.setFractionDigits(field(record, 7, 2));
    timers.setTimerEnabled(Timer::wait1, true);

    static constexpr std::array<std::string_view, 5> kCoarseSteps = {"500 KHz", "1 MHz", "5 MHz",
                                                                     "10 MHz", "25 MHz"};
    for (int label = kFirstStepLabel; label <= kLastStepLabel; ++label) {
        display.setStepLabelCaption(label, kCoarseSteps[label - kFirstStepLabel]);
    }
}

void applyH(std::string_view record, MainDisplay& display, Timers& timers) {
    display.setMegahertzDigits(field(record, 2, 5));

    // The transmitter sends two of the three fraction digits; eighths of a step end in 5.
    const std::string_view pair = field(record, 7, 2);
    const bool endsInFive = pair == "12" || pair == "37" || pair == "62" || pair == "87";
    display.setFractionDigits(std::string(pair) + (endsInFive ? "5" : "0"));
    timers.setTimerEnabled(Timer::wait1, true);

    display.setStepLabelCaption(15, "10 MHz");
}

}  // namespace

bool applyRecords(std::string_view text, MainDisplay& display, Timers& timers) {
    try {
        for (std::size_t start = 0; text.size() > start + 1; start += kRecordLength) {
            const std::string_view record = text.substr(start, kRecordLength);
            switch (record.front()) {
                case 'S':
                    applyStatus(record, display, timers);
                    break;
                case 'F':
                    applyF(record, display, timers);
                    break;
                case 'G':
                    applyG(record, display, timers);
                    break;
                case 'H':
                    applyH(record, display, timers);
                    break;
                default:
                    break;
            }
        }
    } catch (const ParseFailure&) {
        return false;
    } catch (const std::exception&) {
        return false;  // a display element refused the write
    }
    return true;
}

}  // namespace txlink
