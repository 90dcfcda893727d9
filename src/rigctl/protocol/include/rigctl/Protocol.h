#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "txlink/RemoteCarrier.h"
#include "txlink/Result.h"
#include "txlink/ShownState.h"
#include "txlink/TuningEngine.h"

// Hamlib's network radio protocol, as rigctld speaks it on TCP, for the one transmitter behind
// the panel: a line in, an answer out. No sockets and no Qt here.
namespace rigctl {

// The TCP port Hamlib's network clients try first.
inline constexpr unsigned short kDefaultPort = 4532;

// The numbers after "RPRT" (Hamlib's error codes, negated).
namespace reply {
inline constexpr int kOk = 0;
inline constexpr int kInvalidArgument = -1;
inline constexpr int kTimedOut = -5;  // the transmitter is not heard, or has reported nothing yet
inline constexpr int kIo = -6;        // the serial line failed
inline constexpr int kProtocol = -8;  // the line, or the transmitter's record, made no sense
inline constexpr int kRejected = -9;  // refused: the carrier's state is unknown or the link down
inline constexpr int kNotAvailable = -11;
inline constexpr int kBusCollision = -14;  // the operator, or another request, took over
inline constexpr int kOutOfDomain = -17;   // the frequency stopped moving: a band edge
}  // namespace reply

enum class Command {
    None,  // an empty line: no answer at all
    CheckVfo,
    DumpState,
    GetFrequency,
    SetFrequency,
    GetPtt,
    SetPtt,
    GetLevel,
    GetVfo,
    GetMode,
    GetSplitVfo,
    Quit,
    NotAvailable,  // anything this transmitter does not offer, known to Hamlib or not
};

struct Request {
    Command command = Command::None;
    std::string_view longName;  // "get_freq": the extended answer's first line
    std::vector<std::string> arguments;
    // The extended answer asked for with a leading '+', ';', '|' or ',': its lines are joined by
    // this character ('+' joins them with line breaks). Empty for the plain answer.
    std::optional<char> separator;
    bool argumentsMatch = true;  // as many arguments as the command takes
};

// One line from a client, its line break already cut off (a carriage return may remain).
Request parseRequest(std::string_view line);

// What a client session sees of the transmitter, and the one thing it may ask of it.
class Transmitter {
public:
    using Requester = txlink::RemoteCarrier::Requester;

    virtual ~Transmitter() = default;
    // The panel's display, as the transmitter last reported it.
    virtual const txlink::Shown& shown() const = 0;
    virtual txlink::Status requestCarrier(bool on, Requester requester) = 0;
    // The requester's session has ended, however it ended.
    virtual void requesterGone(Requester requester) = 0;
    // Tunes to `hertz`: `finished` is called once, when it ends or is refused, perhaps before
    // this returns. A target being tuned already is joined.
    using TuneFinished = std::function<void(const txlink::TuningOutcome&)>;
    virtual void tuneTo(txlink::Hertz hertz, Requester requester, TuneFinished finished) = 0;
    // The kind of frequency record the transmitter reports in, once one has come.
    virtual std::optional<txlink::FrequencyKind> reportedKind() const = 0;
};

struct Answer {
    std::string text;  // empty: nothing is written
    bool endsSession = false;
    // A tune to this frequency is asked for: the answer is tuneAnswer() once it has ended.
    std::optional<txlink::Hertz> tune = std::nullopt;
};

Answer respond(const Request& request, Transmitter& transmitter, Transmitter::Requester requester);

// The answer to a line that grew past the bound before its line break.
std::string overlongLineAnswer();

// The answer to a set_freq request once its tune has ended: RPRT 0 when the transmitter reports
// the frequency on the operator's step; otherwise the error that says why (see the manual page).
std::string tuneAnswer(const Request& request, const txlink::TuningOutcome& outcome);
// The answer to a set_freq request whose tune goes on longer than a client waits: "timed out".
std::string stillTuningAnswer(const Request& request);

// A frequency argument in hertz ("1296000000", or "1296000000.000000" as Hamlib's clients send
// it); empty when it is no whole number of hertz.
std::optional<txlink::Hertz> hertzArgument(std::string_view text);

// The displayed "megahertz.fraction" in whole hertz; empty when the digits are no number.
std::optional<std::uint64_t> frequencyHz(std::string_view megahertz, std::string_view fraction);

// What \dump_state answers: what this transmitter can do and, by leaving it out, what it cannot.
// Its tuning steps are those of the kind of frequency record in force (before any has come, the
// F kind's, which the window shows at start-up).
std::string stateDescription(std::optional<txlink::FrequencyKind> kind);

// Cuts a client's bytes into lines. A line longer than kMaxLineLength bytes (its line break not
// counted) is dropped whole; it is reported once, as soon as it has grown too long.
class LineSplitter {
public:
    static constexpr std::size_t kMaxLineLength = 256;

    struct Piece {
        std::string line;
        bool overlong = false;
    };

    std::vector<Piece> feed(std::string_view bytes);

private:
    std::string m_pending;
    bool m_discarding = false;
};

}  // namespace rigctl
