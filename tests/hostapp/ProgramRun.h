#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs vell-batchrule as a shell user does, with the given standard input.
// A program that does not start, crashes or hangs fails the test, and its
// outcome then says so in the exit code (-1) instead of passing as silence.
struct Outcome {
    int exitCode;
    QString out, err;
};

inline Outcome RunProgram(const QStringList& args, const QString& input = QString(), int timeoutMs = 60000,
                          const QString& program = QStringLiteral(VELL_BATCHRULE_PATH))
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(timeoutMs)) {
        ADD_FAILURE() << "vell-batchrule did not start: " << process.errorString().toStdString();
        return {-1, QString(), process.errorString()};
    }
    process.write(input.toUtf8());
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    const Outcome outcome{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                          QString::fromUtf8(process.readAllStandardError())};
    if (!finished || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "vell-batchrule " << args.join(' ').left(200).toStdString()
                      << (finished ? " crashed" : " timed out") << "; stderr: " << outcome.err.toStdString();
        return {-1, outcome.out, outcome.err};
    }
    return outcome;
}
