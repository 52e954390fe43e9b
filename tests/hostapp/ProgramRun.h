#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs vell-batchrule as a shell user does, with the given standard input.
struct Outcome {
    int exitCode;
    QString out, err;
};

inline Outcome RunProgram(const QStringList& args, const QString& input = QString(),
                          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELL_BATCHRULE_PATH), args);
    process.write(input.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
