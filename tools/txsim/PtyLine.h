#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

#include "txlink/Result.h"

namespace txsim {

// The transmitter's end of a pseudo-terminal. The panel opens the slave device by its path as
// it would open a serial port; this side reads and writes the master.
class PtyLine : public QObject {
    Q_OBJECT

public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    txlink::Status open();
    bool isOpen() const { return m_master >= 0; }
    // The device the panel opens, e.g. /dev/pts/7.
    QString slavePath() const { return m_slavePath; }

    // Hands the bytes to the line. Returns false when some were lost.
    bool write(const QByteArray& bytes);
    // Closes this end, which the panel sees as the device vanishing.
    void hangUp();

signals:
    void received(const QByteArray& bytes);
    void failed(const QString& reason);

private:
    void readAvailable();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace txsim
