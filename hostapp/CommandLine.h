#pragma once

#include "RuleAdmin.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <span>

namespace vellbatchrule {

struct CommandSpec;

// The options of vell-batchrule, the help of each command and the dispatch.
// Everything the command line can get wrong is found before any window
// system is asked for: usage errors exit 2 wherever the program runs.
class CommandLine {
public:
    CommandLine();

    // Reads and checks the arguments. Answers the exit code when the run
    // ends here (help, version, a usage error), else nothing.
    std::optional<int> Read(const QStringList& arguments);

    // After Read: whether the command opens a window, or paints (a window or a printout).
    bool OpensWindow() const;
    bool Paints() const;
    QString CommandName() const;

    // Runs the command read, once the application object exists.
    int Run();

    // Every command: its words, options, help and handler, in the help's order.
    static std::span<const CommandSpec> Commands();

private:
    std::optional<int> Check();
    std::optional<int> CheckTarget();
    std::optional<int> CheckValues();
    std::optional<int> CheckFormat(const QString& format);
    int Dispatch();
    int Usage(const QString& problem);
    QString Help() const;
    QString CommandHelp() const;
    bool OutputWritten();
    QString Props() const;
    bool DryRun() const;
    int DemoDb();
    int MainWindow();
    int ExportRules();
    int ImportRules();
    int PrintLedger();

    const CommandSpec* command_ = nullptr;
    QStringList args_;   // after the command's words
    RuleAdmin::Target target_;
    RuleAdmin::OwnRules ownRules_ = RuleAdmin::OwnRules::AsStored;
    RuleAdmin::PreviewDocument document_;
    RuleAdmin::RuleFileFormat format_ = RuleAdmin::RuleFileFormat::Csv;
    int groups_ = 0, materials_ = 0;
    int count_ = 1;
    std::optional<QDate> since_;
    int entry_ = 0;
    std::optional<RuleAdmin::RuleFileFormat> historyFormat_;   // none: text

    QTextStream in_{stdin}, out_{stdout}, err_{stderr};
    QCommandLineParser parser_;
    QList<QCommandLineOption> options_;
};

}
