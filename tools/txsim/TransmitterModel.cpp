#include "TransmitterModel.h"

#include <algorithm>
#include <array>

namespace txsim {

namespace {

struct Step {
    int code;
    qint64 khz;
};

using StepTable = std::array<Step, TransmitterModel::kStepCount>;

// What sets the kinds of controller apart. The panel enables its n-th step label for codes 1, 2,
// 4, 8 and 40 and captions the labels after the kind of frequency record it last saw; the step
// tables follow those captions. The default is a common calling frequency of the band each kind
// is built for; the highest is what the record's digits can show on the raster.
struct FormatTraits {
    StepTable steps;
    qint64 defaultKhz;
    qint64 highestKhz;
    qint64 rasterKhz;
};

constexpr FormatTraits kF{
    {{{1, 125}, {2, 250}, {4, 500}, {8, 1000}, {40, 5000}}}, 1'296'000, 9'999'999, 1};
constexpr FormatTraits kG{
    {{{1, 500}, {2, 1000}, {4, 5000}, {8, 10000}, {40, 25000}}}, 10'368'000, 99'999'990, 10};
constexpr FormatTraits kH{
    {{{1, 125}, {2, 250}, {4, 500}, {8, 1000}, {40, 10000}}}, 2'320'000, 99'999'875, 125};

const FormatTraits& traitsOf(TransmitterModel::Format format) {
    switch (format) {
        case TransmitterModel::Format::G:
            return kG;
        case TransmitterModel::Format::H:
            return kH;
        case TransmitterModel::Format::F:
            break;
    }
    return kF;
}

const StepTable& stepsOf(TransmitterModel::Format format) {
    return traitsOf(format).steps;
}

QByteArray digits(qint64 value, int width) {
    return QByteArray::number(value).rightJustified(width, '0');
}

}  // namespace

TransmitterModel::TransmitterModel(Format format)
    : m_format(format), m_frequencyKhz(defaultFrequencyKhz(format)) {}

std::optional<TransmitterModel::Format> TransmitterModel::formatNamed(QStringView name) {
    if (name.compare(u"F", Qt::CaseInsensitive) == 0)
        return Format::F;
    if (name.compare(u"G", Qt::CaseInsensitive) == 0)
        return Format::G;
    if (name.compare(u"H", Qt::CaseInsensitive) == 0)
        return Format::H;
    return std::nullopt;
}

qint64 TransmitterModel::defaultFrequencyKhz(Format format) {
    return traitsOf(format).defaultKhz;
}

qint64 TransmitterModel::highestFrequencyKhz(Format format) {
    return traitsOf(format).highestKhz;
}

qint64 TransmitterModel::rasterKhz(Format format) {
    return traitsOf(format).rasterKhz;
}

QList<QByteArray> TransmitterModel::handle(QByteArrayView command) {
    if (command.size() != 2 || command[1] != 'a')
        return {};
    switch (command[0]) {
        case '1':
            if (!m_stepSticks)
                m_stepIndex = (m_stepIndex + 1) % kStepCount;
            return {statusRecord()};
        case '2':
            return {statusRecord(), frequencyRecord()};
        case '3':
            move(stepKhz());
            return {frequencyRecord()};
        case '4':
            move(-stepKhz());
            return {frequencyRecord()};
        case '5':
            setPower(m_power + 1);
            return {statusRecord()};
        case '6':
            setPower(m_power - 1);
            return {statusRecord()};
        case '7':
            m_carrier = !m_carrier;
            return {statusRecord()};
        default:
            return {};
    }
}

QByteArray TransmitterModel::statusRecord() const {
    return QByteArray("S") + (m_locked ? '1' : '0') + digits(stepCode(), 2) +
           (m_carrier ? '1' : '0') + digits(m_power, 3);
}

QByteArray TransmitterModel::malformedStatusRecord() const {
    QByteArray record = statusRecord();
    record[2] = 'x';
    return record;
}

QByteArray TransmitterModel::frequencyRecord() const {
    switch (m_format) {
        case Format::G:
            return "G" + digits(m_frequencyKhz / 10, 7);
        case Format::H:
            // Only the first two kHz digits travel; the raster makes the third one implied.
            return "H" + digits(m_frequencyKhz / 1000, 5) + digits(m_frequencyKhz % 1000 / 10, 2);
        case Format::F:
            break;
    }
    return "F" + digits(m_frequencyKhz, 7);
}

int TransmitterModel::stepCode() const {
    return stepsOf(m_format)[m_stepIndex].code;
}

qint64 TransmitterModel::stepKhz() const {
    return stepsOf(m_format)[m_stepIndex].khz;
}

void TransmitterModel::setPower(int power) {
    m_power = std::clamp(power, 0, kMaxPower);
}

void TransmitterModel::move(qint64 byKhz) {
    const qint64 next = m_frequencyKhz + byKhz;
    if (m_band && (next < m_band->first || next > m_band->second))
        return;
    setFrequencyKhz(next);
}

void TransmitterModel::setFrequencyKhz(qint64 khz) {
    const qint64 clamped = std::clamp<qint64>(khz, 0, highestFrequencyKhz(m_format));
    m_frequencyKhz = clamped - clamped % rasterKhz(m_format);
}

}  // namespace txsim
