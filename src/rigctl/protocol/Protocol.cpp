#include "rigctl/Protocol.h"

#include <algorithm>
#include <cstdio>

namespace rigctl {
namespace {

struct CommandDesign {
    char shortName;  // 0: reached by its long name only
    std::string_view longName;
    Command command;
    int arguments;  // -1: any number
};

// Names and argument counts as Hamlib's clients send them.
constexpr CommandDesign kCommands[] = {
    {'f', "get_freq", Command::GetFrequency, 0},
    {'F', "set_freq", Command::SetFrequency, -1},
    {'t', "get_ptt", Command::GetPtt, 0},
    {'T', "set_ptt", Command::SetPtt, 1},
    {'l', "get_level", Command::GetLevel, 1},
    {'v', "get_vfo", Command::GetVfo, 0},
    {'m', "get_mode", Command::GetMode, 0},
    {'s', "get_split_vfo", Command::GetSplitVfo, 0},
    {'q', "", Command::Quit, -1},
    {'Q', "", Command::Quit, -1},
    {0, "chk_vfo", Command::CheckVfo, 0},
    {0, "dump_state", Command::DumpState, 0},
};

// The transmitter has no receiver and one "VFO"; it keys a carrier, which Hamlib calls CW.
constexpr std::string_view kVfo = "VFOA";
constexpr std::string_view kMode = "CW";
constexpr std::string_view kRfPower = "RFPOWER";

// Protocol version 1, as Hamlib 4.5's clients read it line by line. No receive range; one
// transmit range as wide as the display's digits, in CW, power unknown; the steps the
// transmitter's step button offers (filled in); no filters, RIT, XIT, preamp or attenuator; of
// the levels only RFPOWER (bit 12), readable; PTT by command ("ptt_type" 1). The frequency is set
// by tuning.
constexpr std::string_view kStateBeforeSteps =
    "1\n"
    "0\n"
    "0\n"
    "0 0 0 0 0 0 0\n"
    "1000000.000000 99999999000.000000 0x2 -1 -1 0x1 0x1\n"
    "0 0 0 0 0 0 0\n";
constexpr std::string_view kStateAfterSteps =
    "0 0\n"
    "0 0\n"
    "0\n"
    "0\n"
    "0\n"
    "0\n"
    "\n"
    "\n"
    "0x0\n"
    "0x0\n"
    "0x1000\n"
    "0x0\n"
    "0x0\n"
    "0x0\n"
    "vfo_ops=0x0\n"
    "ptt_type=0x1\n"
    "targetable_vfo=0x0\n"
    "has_set_vfo=0\n"
    "has_get_vfo=1\n"
    "has_set_freq=1\n"
    "has_get_freq=1\n"
    "has_set_conf=0\n"
    "has_get_conf=0\n"
    "has_power2mW=0\n"
    "has_mW2power=0\n"
    "timeout=0\n"
    "rig_model=0\n"
    "done\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> found;
    while (!(text = trimmed(text)).empty()) {
        const auto end = std::find_if(text.begin(), text.end(), isBlank);
        const auto length = std::size_t(end - text.begin());
        found.emplace_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return found;
}

const CommandDesign* designFor(std::string_view name) {
    for (const CommandDesign& design : kCommands) {
        const bool matches =
            name.starts_with('\\')
                ? !design.longName.empty() && name.substr(1) == design.longName
                : name.size() == 1 && design.shortName != 0 && name.front() == design.shortName;
        if (matches) {
            return &design;
        }
    }
    return nullptr;
}

std::string header(const Request& request) {
    std::string line = std::string(request.longName) + ':';
    for (const std::string& argument : request.arguments) {
        line += ' ';
        line += argument;
    }
    return line;
}

std::string status(int code) {
    return "RPRT " + std::to_string(code);
}

std::string joined(const std::vector<std::string>& lines, char separator) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        text += i + 1 < lines.size() ? separator : '\n';
    }
    return text;
}

Answer withStatus(const Request& request, int code) {
    if (!request.separator) {
        return {status(code) + '\n'};
    }
    return {joined({header(request), status(code)}, *request.separator)};
}

struct Value {
    std::string_view label;  // in the extended answer only; none for a level
    std::string text;
};

Answer withValues(const Request& request, const std::vector<Value>& values) {
    std::vector<std::string> lines;
    if (request.separator) {
        lines.push_back(header(request));
    }
    for (const Value& value : values) {
        lines.push_back(request.separator && !value.label.empty()
                            ? std::string(value.label) + ": " + value.text
                            : value.text);
    }
    if (request.separator) {
        lines.push_back(status(reply::kOk));
    }
    return {joined(lines, request.separator.value_or('\n'))};
}

std::optional<int> pttArgument(std::string_view text) {
    // 0 is off; 1, 2 and 3 are Hamlib's "on", "on, microphone" and "on, data".
    if (text.size() != 1 || text.front() < '0' || text.front() > '3') {
        return std::nullopt;
    }
    return text.front() - '0';
}

int replyFor(const txlink::Error& error) {
    const bool refused =
        error.number == txlink::error::kLinkDown || error.number == txlink::error::kCarrierUnknown;
    return refused ? reply::kRejected : reply::kIo;
}

Answer frequency(const Request& request, const txlink::Shown& shown) {
    if (!shown.megahertz || !shown.fraction) {
        return withStatus(request, reply::kTimedOut);
    }
    const std::optional<std::uint64_t> hz = frequencyHz(*shown.megahertz, *shown.fraction);
    if (!hz) {
        return withStatus(request, reply::kProtocol);
    }
    return withValues(request, {{"Frequency", std::to_string(*hz)}});
}

Answer level(const Request& request, const txlink::Shown& shown) {
    if (request.arguments.front() != kRfPower) {
        return withStatus(request, reply::kNotAvailable);
    }
    if (!shown.power) {
        return withStatus(request, reply::kTimedOut);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.6f", double(*shown.power) / txlink::kPowerMax);
    return withValues(request, {{"", text}});
}

}  // namespace

Request parseRequest(std::string_view line) {
    Request request;
    std::string_view rest = trimmed(line);
    if (!rest.empty() && std::string_view("+;|,").find(rest.front()) != std::string_view::npos) {
        request.separator = rest.front() == '+' ? '\n' : rest.front();
        rest = trimmed(rest.substr(1));
    }
    std::vector<std::string> parts = words(rest);
    if (parts.empty()) {
        return Request{};
    }
    const CommandDesign* design = designFor(parts.front());
    if (design == nullptr) {
        request.command = Command::NotAvailable;
        return request;
    }
    request.command = design->command;
    request.longName = design->longName;
    request.arguments.assign(std::make_move_iterator(parts.begin() + 1),
                             std::make_move_iterator(parts.end()));
    request.argumentsMatch =
        design->arguments < 0 || request.arguments.size() == std::size_t(design->arguments);
    return request;
}

namespace {

Answer dumpState(const Request& request, const Transmitter& transmitter) {
    const std::string state = stateDescription(transmitter.reportedKind());
    if (!request.separator) {
        return {state};
    }
    return {header(request) + *request.separator + state + status(reply::kOk) + '\n'};
}

// The answer comes when the tune ends: the session is handed the target to tune to.
Answer setFrequency(const Request& request) {
    const std::optional<txlink::Hertz> hertz =
        request.arguments.size() == 1 ? hertzArgument(request.arguments.front()) : std::nullopt;
    if (!hertz) {
        return withStatus(request, reply::kInvalidArgument);
    }
    return {{}, false, hertz};
}

Answer ptt(const Request& request, const txlink::Shown& shown) {
    if (!shown.carrierOn) {
        return withStatus(request, reply::kTimedOut);
    }
    return withValues(request, {{"PTT", *shown.carrierOn ? "1" : "0"}});
}

Answer setPtt(const Request& request, Transmitter& transmitter, Transmitter::Requester requester) {
    const std::optional<int> ptt = pttArgument(request.arguments.front());
    if (!ptt) {
        return withStatus(request, reply::kInvalidArgument);
    }
    const txlink::Status done = transmitter.requestCarrier(*ptt != 0, requester);
    return withStatus(request, done ? reply::kOk : replyFor(done.error()));
}

// What the transmitter last reported is no answer once it is not heard any more: the radio does
// not answer, and a carrier request could act on nothing.
bool needsAHeardTransmitter(Command command) {
    return command == Command::GetFrequency || command == Command::GetPtt ||
           command == Command::GetLevel || command == Command::SetPtt;
}

int tuneReply(txlink::TuningEnd end) {
    using txlink::TuningEnd;
    switch (end) {
        case TuningEnd::Reached:
            return reply::kOk;
        case TuningEnd::Unreachable:
            return reply::kInvalidArgument;
        case TuningEnd::CarrierOn:
            return reply::kRejected;
        case TuningEnd::NotReported:
        case TuningEnd::LinkDown:
        case TuningEnd::NoReport:
            return reply::kTimedOut;
        case TuningEnd::Reloaded:
            return reply::kIo;
        case TuningEnd::Operator:
        case TuningEnd::Replaced:
            return reply::kBusCollision;
        case TuningEnd::DidNotMove:
            return reply::kOutOfDomain;
        case TuningEnd::StepStuck:
        case TuningEnd::Disagreed:
            return reply::kProtocol;
    }
    return reply::kProtocol;
}

}  // namespace

Answer respond(const Request& request, Transmitter& transmitter, Transmitter::Requester requester) {
    if (request.command == Command::None) {
        return {};
    }
    if (request.command == Command::NotAvailable) {
        return {status(reply::kNotAvailable) + '\n'};
    }
    if (!request.argumentsMatch) {
        return withStatus(request, reply::kInvalidArgument);
    }
    const txlink::Shown& shown = transmitter.shown();
    if (needsAHeardTransmitter(request.command) && shown.linkUp != true) {
        return withStatus(request, reply::kTimedOut);
    }
    switch (request.command) {
        case Command::CheckVfo:
            return {request.separator ? "ChkVFO: 0\n" : "0\n"};
        case Command::DumpState:
            return dumpState(request, transmitter);
        case Command::GetFrequency:
            return frequency(request, shown);
        case Command::SetFrequency:
            return setFrequency(request);
        case Command::GetPtt:
            return ptt(request, shown);
        case Command::SetPtt:
            return setPtt(request, transmitter, requester);
        case Command::GetLevel:
            return level(request, shown);
        case Command::GetVfo:
            return withValues(request, {{"VFO", std::string(kVfo)}});
        case Command::GetMode:
            return withValues(request, {{"Mode", std::string(kMode)}, {"Passband", "0"}});
        case Command::GetSplitVfo:
            return withValues(request, {{"Split", "0"}, {"TX VFO", std::string(kVfo)}});
        case Command::Quit:
            return {status(reply::kOk) + '\n', true};
        case Command::None:
        case Command::NotAvailable:
            break;
    }
    return {};
}

std::string overlongLineAnswer() {
    return status(reply::kProtocol) + '\n';
}

std::optional<std::uint64_t> frequencyHz(std::string_view megahertz, std::string_view fraction) {
    const auto digitsOnly = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (megahertz.empty() || megahertz.size() > 9 || fraction.size() > 6 ||
        !digitsOnly(megahertz) || !digitsOnly(fraction)) {
        return std::nullopt;
    }
    std::uint64_t hz = 0;
    for (char c : megahertz) {
        hz = hz * 10 + std::uint64_t(c - '0');
    }
    std::uint64_t micro = 0;  // the fraction in millionths of a megahertz
    for (std::size_t i = 0; i < 6; ++i) {
        micro = micro * 10 + (i < fraction.size() ? std::uint64_t(fraction[i] - '0') : 0);
    }
    return hz * 1000000 + micro;
}

std::string stateDescription(std::optional<txlink::FrequencyKind> kind) {
    std::string state(kStateBeforeSteps);
    for (const txlink::Hertz step : txlink::tuningSteps(kind.value_or(txlink::FrequencyKind::F))) {
        state += "0x2 " + std::to_string(step) + '\n';
    }
    return state + std::string(kStateAfterSteps);
}

std::string tuneAnswer(const Request& request, const txlink::TuningOutcome& outcome) {
    return withStatus(request, tuneReply(outcome.end)).text;
}

std::string stillTuningAnswer(const Request& request) {
    return withStatus(request, reply::kTimedOut).text;
}

std::optional<txlink::Hertz> hertzArgument(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    // A fraction of a hertz is no frequency this transmitter shows; twelve digits are past any.
    if (whole.empty() || whole.size() > 12 || !digits(whole) || !digits(fraction) ||
        fraction.find_first_not_of('0') != std::string_view::npos) {
        return std::nullopt;
    }
    txlink::Hertz hertz = 0;
    for (const char c : whole) {
        hertz = hertz * 10 + (c - '0');
    }
    return hertz;
}

std::vector<LineSplitter::Piece> LineSplitter::feed(std::string_view bytes) {
    std::vector<Piece> pieces;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view part = bytes.substr(0, end);
        if (!m_discarding) {
            const std::size_t room = kMaxLineLength - m_pending.size();
            if (part.size() > room) {
                pieces.push_back({{}, true});
                m_pending.clear();
                m_discarding = true;
            } else {
                m_pending += part;
            }
        }
        if (end == std::string_view::npos) {
            break;
        }
        if (!m_discarding) {
            pieces.push_back({std::move(m_pending), false});
        }
        m_pending.clear();
        m_discarding = false;
        bytes.remove_prefix(end + 1);
    }
    return pieces;
}

}  // namespace rigctl
