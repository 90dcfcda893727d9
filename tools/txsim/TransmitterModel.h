#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringView>

#include <optional>
#include <utility>

namespace txsim {

// The transmitter's controller as the panel sees it: lock, tuning step, carrier, power and
// frequency, the seven commands that change them and the 8-character records that report them.
// It knows nothing of lines or time, so every answer can be checked directly.
class TransmitterModel {
public:
    // The frequency record the controller reports in; each kind has its own digits and steps.
    enum class Format {
        F,  // 4 MHz digits, 3 kHz digits
        G,  // 5 MHz digits, 2 digits of 10 kHz
        H,  // 5 MHz digits, 2 digits on a 125 kHz raster (the panel adds the third)
    };

    static constexpr int kStepCount = 5;
    static constexpr int kMaxPower = 255;

    explicit TransmitterModel(Format format = Format::F);

    static std::optional<Format> formatNamed(QStringView name);
    static qint64 defaultFrequencyKhz(Format format);
    static qint64 highestFrequencyKhz(Format format);
    // The finest frequency the record of this format can show.
    static qint64 rasterKhz(Format format);

    // Applies one two-byte command and returns the records the controller answers with, in
    // order. Anything but "1a" to "7a" is ignored and answered with nothing.
    QList<QByteArray> handle(QByteArrayView command);

    QByteArray statusRecord() const;
    // A status record whose step code does not read as a number, as a noisy line delivers it.
    QByteArray malformedStatusRecord() const;
    QByteArray frequencyRecord() const;

    Format format() const { return m_format; }
    bool locked() const { return m_locked; }
    int stepCode() const;
    qint64 stepKhz() const;
    bool carrier() const { return m_carrier; }
    int power() const { return m_power; }
    qint64 frequencyKhz() const { return m_frequencyKhz; }

    void setLocked(bool locked) { m_locked = locked; }
    // Clamped to 0..255.
    void setPower(int power);
    // Rounded down to the format's raster and kept within what the record can show.
    void setFrequencyKhz(qint64 khz);
    // A fault: Step is answered, but the step stays as it was.
    void setStepSticks(bool sticks) { m_stepSticks = sticks; }
    // The band the synthesiser covers: up and down do nothing where they would leave it (the
    // frequency record still comes, with the frequency unchanged).
    void setBandKhz(qint64 lowest, qint64 highest) { m_band = {lowest, highest}; }

private:
    Format m_format;
    bool m_locked = true;
    int m_stepIndex = 0;
    bool m_carrier = false;
    int m_power = 128;
    qint64 m_frequencyKhz;
    bool m_stepSticks = false;
    std::optional<std::pair<qint64, qint64>> m_band;

    void move(qint64 byKhz);
};

}  // namespace txsim
