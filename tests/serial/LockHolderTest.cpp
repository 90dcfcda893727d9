// Who a busy device's lock file names. Lock files are anybody's to write, in Qt's format or the
// older HDB one, so a file that names nobody must name nobody, and a process that has ended is
// told apart from one that runs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>
#include <QSysInfo>
#include <QTemporaryDir>
#include <optional>

#include "serial/LockHolder.h"
#include "support/Pty.h"

namespace {

// The number of a process that has come and gone.
qint64 endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(LockHolder, ReadsQtAndHdbLockFilesAndNamesNobodyForTheRest) {
    const qint64 self = QCoreApplication::applicationPid();
    const QString selfName = QCoreApplication::applicationName();  // the binary's own name
    const QString host = QSysInfo::machineHostName();
    const qint64 ended = endedProcess();
    struct Row {
        const char* what;
        std::optional<QByteArray> content;  // none: no file at all
        std::optional<qint64> pid;          // none: nobody named
        bool running;
        QString program;
    };
    const Row rows[] = {
        {"Qt's format",
         QStringLiteral("%1\n%2\n%3\nid\nboot\n").arg(self).arg(selfName, host).toUtf8(), self,
         true, selfName},
        // The system keeps 15 characters of a name; the lock file has the whole of it.
        {"Qt's format, a name the system shortens",
         QStringLiteral("%1\n%2-of-many-words\n%3\n").arg(self).arg(selfName, host).toUtf8(), self,
         true, selfName + "-of-many-words"},
        // The number now belongs to another program than the one that wrote the file.
        {"Qt's format, another program runs under the number",
         QStringLiteral("%1\nminicom\n%2\n").arg(self).arg(host).toUtf8(), self, true,
         selfName.left(15)},
        {"HDB: ten characters and a line end", QStringLiteral("%1\n").arg(self, 10).toUtf8(), self,
         true, selfName.left(15)},
        {"HDB without a line end", QByteArray::number(self), self, true, selfName.left(15)},
        {"a process that has ended", QStringLiteral("%1\n").arg(ended, 10).toUtf8(), ended, false,
         QString()},
        {"a process that has ended, Qt's format",
         QStringLiteral("%1\nminicom\n%2\n").arg(ended).arg(host).toUtf8(), ended, false,
         QString()},
        {"another host", QStringLiteral("%1\nminicom\nnot-%2\n").arg(self).arg(host).toUtf8(),
         std::nullopt, false, QString()},
        {"garbage", QByteArray("minicom\n4242\n"), std::nullopt, false, QString()},
        {"an empty file", QByteArray(), std::nullopt, false, QString()},
        {"process 0", QByteArray("         0\n"), std::nullopt, false, QString()},
        {"a number beyond any process", QByteArray("99999999999\n"), std::nullopt, false,
         QString()},
        {"no file", std::nullopt, std::nullopt, false, QString()},
    };
    QTemporaryDir folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = folder.filePath(QStringLiteral("LCK..ttyUSB0"));
        QFile::remove(path);
        if (row.content) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*row.content);
        }
        const std::optional<serial::LockHolder> holder = serial::readLockHolder(path);
        ASSERT_EQ(holder.has_value(), row.pid.has_value());
        if (holder) {
            EXPECT_EQ(holder->pid, *row.pid);
            EXPECT_EQ(holder->running, row.running);
            EXPECT_EQ(holder->program, row.program);
            EXPECT_EQ(holder->lockFile, path);
        }
    }
}

// The lock QSerialPort itself takes on a device is found from the port's name and names this
// process.
TEST(LockHolder, FindsTheLockQSerialPortTakes) {
    testsupport::Pty pty;
    QSerialPort port(pty.slavePath());
    ASSERT_FALSE(serial::deviceLockHolder(port.portName()));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    const std::optional<serial::LockHolder> holder = serial::deviceLockHolder(port.portName());
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, QCoreApplication::applicationPid());
    EXPECT_TRUE(holder->running);
    EXPECT_EQ(holder->program, QCoreApplication::applicationName());
    port.close();
    EXPECT_FALSE(serial::deviceLockHolder(port.portName()));
}

}  // namespace
