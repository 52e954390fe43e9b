#include "RuleFileCommands.h"

#include "BatRuleEditor.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "HostText.h"
#include "ModuleState.h"
#include "OutputFile.h"
#include "RWDatabase.h"
#include "RuleFile.h"
#include "RuleImport.h"
#include "RuleLint.h"
#include "StoredRules.h"
#include "TabSeparatedRows.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace vellbatchrule {

namespace RuleFileCommands {

namespace {

using namespace CommandGuard;

QString OwnerText(const StoredRule& rule)
{
    return rule.number.isEmpty() ? rule.name : rule.number + QLatin1Char('(') + rule.name + QLatin1Char(')');
}

void ReadAll(const std::function<void(const StoredRule&)>& visit)
{
    if (!StoredRules::Read(visit))
        throw AlreadyShown{};
}

// Every rule the user may see, as CSV or JSON; answers how many.
int WriteRules(bool json, QTextStream& out)
{
    int rules = 0;
    if (!json) {
        out << RuleFile::CsvHeader();
        ReadAll([&](const StoredRule& rule) {
            out << RuleFile::CsvRows(rule);
            ++rules;
        });
        return rules;
    }
    QJsonArray array;
    ReadAll([&](const StoredRule& rule) { array.append(RuleFile::JsonOf(rule)); });
    out << QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("Rules"), array}}).toJson());
    return int(array.size());
}

// Streams the rule file into the import; a file that is no rule file at
// all is refused whole, before it can fill the memory.
void ReadInto(RuleImport& import, QFile& file, const QString& path)
{
    RuleFile::Reader reader(file, import.MaxRows());
    switch (reader.Read([&](RuleFile::Row& row) { import.Take(row); })) {
    case RuleFile::Reader::Outcome::Read:
        return import.Finish(reader.Problems());
    case RuleFile::Reader::Outcome::NoHeader:
        return import.Finish({{1, RuleFile::Reader::HeaderProblem()}});
    case RuleFile::Reader::Outcome::ReadFailed:
        Refuse("读不完规则文件%1：%2", {HostText::Excerpt(path), file.errorString()});
    case RuleFile::Reader::Outcome::NotUtf8:
        Refuse("规则文件%1不是UTF-8文本", {HostText::Excerpt(path)});
    case RuleFile::Reader::Outcome::RecordTooLong:
        Refuse("规则文件%1的第%2行长于%3字节，不是规则文件，什么也没有写",
               {HostText::Excerpt(path), reader.Line(), RuleFile::Reader::MaxRecordBytes});
    case RuleFile::Reader::Outcome::TooManyRows:
        Refuse("规则文件%1多于%2行：您能看到的物料和物料组每个最多有%3级，什么也没有写",
               {HostText::Excerpt(path), import.MaxRows(), BatRuleEditor::MaxLevels});
    }
}

}

int ShowDatabase(QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        const char* const titles[] = {"Material groups", "Materials", "Rules", "Batch options"};
        const QStringList batches = RWDatabase::SummarySql(RWDatabase::AccessScopeOf(QStringLiteral("u1")));
        for (qsizetype i = 0; i < batches.size(); ++i) {
            out << "== " << titles[i] << " ==\n";
            if (const auto rows = CurrentHostConnection().Execute(batches[i]))
                PrintTabSeparated(*rows, out);
            out << '\n';
        }
        return 0;
    });
}

int LintRules(QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        const QString item = MParse::TranslateText(QStringLiteral("物料"));
        const QString group = MParse::TranslateText(QStringLiteral("物料组"));
        int rules = 0;
        int counts[3] = {};
        RuleLint::Linter linter;
        ReadAll([&](const StoredRule& rule) {
            ++rules;
            const QString owner = (rule.group ? group : item) + QLatin1Char('\t') + OwnerText(rule);
            for (const RuleLint::Finding& finding : linter.Check(rule.elements, rule.group ? QString() : rule.number)) {
                ++counts[int(finding.severity)];
                out << RuleLint::SeverityText(finding.severity) << '\t' << owner << '\t' << finding.text << '\n';
            }
        });
        using S = RuleLint::Severity;
        out << MParse::TranslateFormat(QStringLiteral("检查了%1条规则：%2个错误，%3个警告，%4个提示"),
                                       {rules, counts[int(S::Error)], counts[int(S::Warning)], counts[int(S::Note)]})
            << '\n';
        return counts[int(S::Error)] > 0 ? 1 : 0;
    });
}

int ExportRules(bool json, const QString& file, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        if (file.isEmpty()) {
            WriteRules(json, out);
            out.flush();
            if (out.status() != QTextStream::Ok)
                Refuse("规则文件没有写完：写入失败");
            return 0;
        }
        OutputFile output(file);
        if (!output.Open())
            Refuse("规则文件%1没有写完：%2", {HostText::Excerpt(file), output.ErrorString()});
        QTextStream stream(&output.Device());
        const int rules = WriteRules(json, stream);
        stream.flush();
        if (stream.status() != QTextStream::Ok || !output.Commit())
            Refuse("规则文件%1没有写完：%2", {HostText::Excerpt(file), output.ErrorString()});
        out << "Wrote " << QFileInfo(file).absoluteFilePath() << " (" << rules << " rules)\n";
        return 0;
    });
}

int ImportRules(const QString& path, int itemIsTop, bool dryRun, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            Refuse("打不开规则文件%1：%2", {HostText::Excerpt(path), file.errorString()});
        RuleImport import;
        if (import.Begin(itemIsTop))
            ReadInto(import, file, path);
        if (!import.Refusals().isEmpty()) {
            const QList<RuleImport::Refusal>& refusals = import.Refusals();
            QStringList lines{MParse::TranslateFormat(QStringLiteral("规则文件%1有%2处不能导入，什么也没有写："),
                                                      {HostText::Excerpt(path), refusals.size()})};
            for (const RuleImport::Refusal& refusal : refusals)
                lines << RuleImport::LineMessage(refusal.line, refusal.message);
            return Report(lines.join(QLatin1Char('\n')));
        }
        if (dryRun) {
            const bool spare = import.Options().itemIsTop != 0;
            const auto changes = import.DryRun();
            if (!changes)
                throw AlreadyShown{};
            for (const RuleImport::SpreadChange& change : *changes)
                out << MParse::TranslateFormat(QStringLiteral("物料组%1：%2"), {change.groupText, change.counts.Text(spare)})
                    << '\n';
            out << MParse::TranslateFormat(QStringLiteral("可以导入%1条物料规则和%2条物料组规则；试运行，什么也没有写"),
                                           {import.ItemRules(), import.GroupRules()})
                << '\n';
            return 0;
        }
        if (!import.Write())
            return 1;
        out << MParse::TranslateFormat(QStringLiteral("导入了%1条物料规则和%2条物料组规则"),
                                       {import.ItemRules(), import.GroupRules()})
            << '\n';
        return 0;
    });
}

}

}
