#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include <utility>

// Runs vell-batchrule as a shell user does, with the given standard input.
// A program that does not start, crashes or hangs fails the test, and its
// outcome then says so in the exit code (-1) instead of passing as silence.
struct Outcome {
    int exitCode;
    QString out, err;
};

// The environment the tests run the program in: this one, with the C locale
// so that the session's language is the module's own unless a test says otherwise.
inline QProcessEnvironment ProgramEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return environment;
}

// How a program is run: what it reads, how long it may take, which program
// (vell-batchrule unless told) and in what environment.
struct RunOptions {
    explicit RunOptions(QString input = QString(), int timeoutMs = 60000,
                        QString program = QStringLiteral(VELL_BATCHRULE_PATH))
        : input(std::move(input)), timeoutMs(timeoutMs), program(std::move(program))
    {
    }

    QString input;
    int timeoutMs;
    QString program;
    QProcessEnvironment environment = ProgramEnvironment();
    QString workingDirectory;   // empty: the test's own
};

// The LD_PRELOAD that puts a library into a program under test: under
// AddressSanitizer its runtime has to come first.
inline QString PreloadOf(const QString& library)
{
    const QString runtime = QStringLiteral(VELL_SANITIZER_RUNTIME);
    return runtime.isEmpty() ? library : runtime + QLatin1Char(':') + library;
}

inline Outcome RunProgram(const QStringList& args, const RunOptions& options)
{
    QProcess process;
    process.setProcessEnvironment(options.environment);
    process.setWorkingDirectory(options.workingDirectory);
    process.start(options.program, args);
    const int timeoutMs = options.timeoutMs;
    if (!process.waitForStarted(timeoutMs)) {
        ADD_FAILURE() << "vell-batchrule did not start: " << process.errorString().toStdString();
        return {-1, QString(), process.errorString()};
    }
    process.write(options.input.toUtf8());
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

inline Outcome RunProgram(const QStringList& args, const QString& input = QString())
{
    return RunProgram(args, RunOptions{input});
}

inline Outcome RunProgram(const QStringList& args, const QString& input, const QProcessEnvironment& environment)
{
    RunOptions options{input};
    options.environment = environment;
    return RunProgram(args, options);
}
