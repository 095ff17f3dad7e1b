#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a program run under limits did.
struct TLimitedRun {
    int Status = -1;       // the exit code; -1 when it did not exit normally
    bool TimedOut = false; // killed at the time-out
    qint64 Milliseconds = 0;
    QByteArray Out, Err;
};

// Runs a program in a child process whose address space is limited to memoryBytes and which is
// killed after timeoutMs, so that a test of bad input at size fails fast instead of freezing or
// exhausting the machine. Standard input is closed.
TLimitedRun RunLimited(const QString& program, const QStringList& args,
                       qint64 memoryBytes = qint64(1) << 30, int timeoutMs = 20000);

// pentavo-tool run under those limits.
TLimitedRun RunToolLimited(const QStringList& args, qint64 memoryBytes = qint64(1) << 30,
                           int timeoutMs = 20000);
