#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "txlink/PanelDisplay.h"

namespace txlink {

inline constexpr std::size_t kRecordLength = 8;

// The three kinds of frequency record. Each comes from a transmitter with its own digits and its
// own tuning steps.
enum class FrequencyKind { F, G, H };

// The step label (0 to 4) that a status record's step code selects, if any.
std::optional<int> stepLabelForCode(int code);

// Hears every record as it is applied, also one that changes nothing on the display: whoever
// follows the transmitter's answers to its own commands needs each report, not only the changes.
class RecordListener {
public:
    virtual ~RecordListener() = default;
    virtual void statusReported(int stepCode, bool carrierOn) = 0;
    // `hertz` is empty when the record's digits are no frequency (a short or garbled record).
    virtual void frequencyReported(FrequencyKind kind, std::optional<std::int64_t> hertz) = 0;
};

enum class ParseResult {
    Applied,  // every record of the text was applied (or skipped as of no known kind)
    Refused,  // a record could not be applied; it and every later record were dropped
};

// Applies the records of one received text, in order, to the panel's display and repeat timers.
// The text is cut every 8 characters while at least two remain; nothing is carried over between
// calls. When a record cannot be applied, the steps of it that were done and the records before
// it stay applied.
//
// Each record also switches on the repeat timer of its kind. The repeat timers run from the
// panel's load and only a stop ends them, so this is nearly always a timer that runs already; it
// is kept because the transmitter's controller has always behaved so, it costs nothing (a running
// timer keeps its period) and it restarts a repeat timer after anything that stopped it.
// A record is told to `listener` once it has been applied whole.
[[nodiscard]] ParseResult applyRecords(std::string_view text, PanelDisplay& display,
                                       PanelTimers& timers, RecordListener* listener = nullptr);

}  // namespace txlink
