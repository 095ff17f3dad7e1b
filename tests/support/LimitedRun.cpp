#include "support/LimitedRun.h"

#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

TLimitedRun RunLimited(const QString& program, const QStringList& args, qint64 memoryBytes,
                       int timeoutMs) {
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice());
    // Runs in the child between fork and exec: only async-signal-safe calls belong here.
    p.setChildProcessModifier([memoryBytes] {
        const rlimit limit{rlim_t(memoryBytes), rlim_t(memoryBytes)};
        setrlimit(RLIMIT_AS, &limit);
    });
    TLimitedRun run;
    QElapsedTimer clock;
    clock.start();
    p.start();
    if (!p.waitForFinished(timeoutMs)) {
        run.TimedOut = p.state() != QProcess::NotRunning;
        p.kill();
        p.waitForFinished(5000);
    }
    run.Milliseconds = clock.elapsed();
    if (!run.TimedOut && p.exitStatus() == QProcess::NormalExit)
        run.Status = p.exitCode();
    run.Out = p.readAllStandardOutput();
    run.Err = p.readAllStandardError();
    return run;
}

TLimitedRun RunToolLimited(const QStringList& args, qint64 memoryBytes, int timeoutMs) {
    return RunLimited(QStringLiteral(PENTAVO_TOOL), args, memoryBytes, timeoutMs);
}
