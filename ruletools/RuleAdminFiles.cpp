#include "RuleAdmin.h"

#include "BatRuleEditor.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "GLB.h"
#include "HostText.h"
#include "MParse.h"
#include "OutputFile.h"
#include "RWDatabase.h"
#include "RuleFile.h"
#include "RuleImport.h"
#include "RuleVersion.h"
#include "RuleLint.h"
#include "StoredRules.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace vellbatchrule {

namespace {

using namespace CommandGuard;

QString OwnerText(const StoredRule& rule)
{
    if (rule.number.isEmpty())
        return rule.name;
    QString text;
    text.reserve(rule.number.size() + rule.name.size() + 2);
    return text.append(rule.number).append(u'(').append(rule.name).append(u')');
}

void ReadAll(const std::function<void(const StoredRule&)>& visit)
{
    if (!StoredRules::Read(visit))
        throw AlreadyShown{};
}

// Every rule the user may see, as CSV or JSON; answers how many.
int WriteRules(RuleAdmin::RuleFileFormat format, bool versions, QTextStream& out)
{
    const auto versionOf = [versions](const StoredRule& rule) {
        return versions ? RuleVersion::Of(rule.ownerId, rule.elements) : QString();
    };
    int rules = 0;
    if (format == RuleAdmin::RuleFileFormat::Csv) {
        out << RuleFile::CsvHeader(versions);
        ReadAll([&](const StoredRule& rule) {
            out << RuleFile::CsvRows(rule, versionOf(rule));
            ++rules;
        });
        return rules;
    }
    QJsonArray array;
    ReadAll([&](const StoredRule& rule) { array.append(RuleFile::JsonOf(rule, versionOf(rule))); });
    out << QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("Rules"), array}}).toJson());
    return int(array.size());
}

// Streams the rule file into the import; a file that is no rule file at
// all is refused whole, before it can fill the memory.
void ReadInto(RuleImport& import, QIODevice& file, const QString& path)
{
    RuleFile::Reader reader(file, import.MaxRows());
    switch (reader.Read([&](RuleFile::Row& row) { import.Take(row); })) {
    case RuleFile::Reader::Outcome::Read:
        return import.Finish(reader.Problems());
    case RuleFile::Reader::Outcome::NoHeader:
        return import.Finish({{1, RuleFile::Reader::HeaderProblem()}});
    case RuleFile::Reader::Outcome::ReadFailed:
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "读不完规则文件%1：%2"), {HostText::Excerpt(path), file.errorString()});
    case RuleFile::Reader::Outcome::NotUtf8:
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件%1不是UTF-8文本"), {HostText::Excerpt(path)});
    case RuleFile::Reader::Outcome::RecordTooLong:
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件%1的第%2行长于%3字节，不是规则文件，什么也没有写"),
               {HostText::Excerpt(path), reader.Line(), RuleFile::Reader::MaxRecordBytes});
    case RuleFile::Reader::Outcome::TooManyRows:
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件%1多于%2行：您能看到的物料和物料组每个最多有%3级，什么也没有写"),
               {HostText::Excerpt(path), import.MaxRows(), BatRuleEditor::MaxLevels});
    }
}

// The rule file read into the session's database, whole or not at all.
RuleAdmin::ImportReport Import(QIODevice& file, const QString& path, RuleAdmin::OwnRules ownRules, bool dryRun,
                               bool ifUnchanged)
{
    RuleImport import;
    import.requireUnchanged = ifUnchanged;
    if (import.Begin(ItemIsTopOf(ownRules)))
        ReadInto(import, file, path);
    if (!import.Refusals().isEmpty()) {
        const QList<RuleImport::Refusal>& refusals = import.Refusals();
        QStringList lines{MParse::TranslateFormat("规则文件%1有%2处不能导入，什么也没有写：",
                                                  {HostText::Excerpt(path), refusals.size()})};
        for (const RuleImport::Refusal& refusal : refusals)
            lines << RuleImport::LineMessage(refusal.line, refusal.message);
        throw Refusal{lines.join(QLatin1Char('\n'))};
    }
    RuleAdmin::ImportReport report;
    if (dryRun) {
        const bool spare = import.Options().itemIsTop != 0;
        const auto changes = import.DryRun();
        if (!changes)
            throw AlreadyShown{};
        for (const RuleImport::SpreadChange& change : *changes)
            report.spread << MParse::TranslateFormat("物料组%1：%2",
                                                     {change.groupText, change.counts.Text(spare)});
        report.summary = MParse::TranslateFormat("可以导入%1条物料规则和%2条物料组规则；试运行，什么也没有写",
                                                 {import.ItemRules(), import.GroupRules()});
        return report;
    }
    if (!import.Write())
        throw AlreadyShown{};
    report.summary = MParse::TranslateFormat("导入了%1条物料规则和%2条物料组规则",
                                             {import.ItemRules(), import.GroupRules()});
    return report;
}

}

Result<void> RuleAdmin::ShowDatabase(const std::function<void(const QString& title, Recordset* rows)>& section)
{
    return Done(InSession([&](const CommandSession& session) {
        const char* const titles[] = {"Material groups", "Materials", "Rules", "Batch options"};
        const QStringList batches = RWDatabase::SummarySql(RWDatabase::AccessScopeOf(QStringLiteral("u1")));
        for (qsizetype i = 0; i < batches.size(); ++i)
            section(QLatin1String(titles[i]), session.Connection().Execute(batches[i]).get());
        return true;
    }));
}

Result<RuleAdmin::LintSummary> RuleAdmin::LintRules(const std::function<void(const LintFinding&)>& finding)
{
    return InSession([&] {
        const QString item = MParse::TranslateText("物料");
        const QString group = MParse::TranslateText("物料组");
        using RuleLint::Severity;
        const QString severities[] = {RuleLint::SeverityText(Severity::Note), RuleLint::SeverityText(Severity::Warning),
                                      RuleLint::SeverityText(Severity::Error)};
        LintSummary summary;
        int* const counts[] = {&summary.notes, &summary.warnings, &summary.errors};
        RuleLint::Linter linter;
        ReadAll([&](const StoredRule& rule) {
            ++summary.rules;
            const QList<RuleLint::Finding> found = linter.Check(rule.elements, rule.group ? QString() : rule.number);
            const QString owner = found.isEmpty() ? QString() : OwnerText(rule);
            for (const RuleLint::Finding& one : found) {
                ++*counts[int(one.severity)];
                finding({severities[int(one.severity)], rule.group ? group : item, owner, one.text});
            }
        });
        summary.text = MParse::TranslateFormat("检查了%1条规则：%2个错误，%3个警告，%4个提示",
                                               {summary.rules, summary.errors, summary.warnings, summary.notes});
        return summary;
    });
}

Result<int> RuleAdmin::ExportRules(RuleFileFormat format, QTextStream& out, bool versions)
{
    return InSession([&] {
        const int rules = WriteRules(format, versions, out);
        out.flush();
        if (out.status() != QTextStream::Ok)
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件没有写完：写入失败"));
        return rules;
    });
}

Result<int> RuleAdmin::ExportRules(RuleFileFormat format, const QString& file, bool versions)
{
    return InSession([&] {
        OutputFile output(file);
        if (!output.Open())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件%1没有写完：%2"), {HostText::Excerpt(file), output.ErrorString()});
        QTextStream stream(&output.Device());
        const int rules = WriteRules(format, versions, stream);
        stream.flush();
        if (stream.status() != QTextStream::Ok || !output.Commit())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件%1没有写完：%2"), {HostText::Excerpt(file), output.ErrorString()});
        return rules;
    });
}

Result<RuleAdmin::ImportReport> RuleAdmin::ImportRules(const QString& path, OwnRules ownRules, bool dryRun,
                                                       bool ifUnchanged)
{
    return InSession([&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "打不开规则文件%1：%2"), {HostText::Excerpt(path), file.errorString()});
        return Import(file, path, ownRules, dryRun, ifUnchanged);
    });
}

Result<RuleAdmin::ImportReport> RuleAdmin::ImportRules(QIODevice& device, const QString& name, OwnRules ownRules,
                                                       bool dryRun, bool ifUnchanged)
{
    return InSession([&] {
        return Import(device, name, ownRules, dryRun, ifUnchanged);
    });
}


void RuleAdmin::WriteHistory(const QList<HistoryEntry>& entries, RuleFileFormat format, QTextStream& out)
{
    const QStringList columns{QStringLiteral("Entry"),  QStringLiteral("Time"),   QStringLiteral("UserID"),
                              QStringLiteral("UserName"), QStringLiteral("Source"), QStringLiteral("Owner"),
                              QStringLiteral("Before"), QStringLiteral("After"),  QStringLiteral("Materials")};
    const auto fields = [](const HistoryEntry& e) {
        return QVariantList{e.id, e.time, e.userId, e.userName, e.source, e.owner, e.before, e.after, e.materials};
    };
    if (format == RuleFileFormat::Csv) {
        out << RuleFile::CsvLine(columns);
        for (const HistoryEntry& entry : entries) {
            QStringList texts;
            for (const QVariant& field : fields(entry))
                texts << field.toString();
            out << RuleFile::CsvLine(texts);
        }
        return;
    }
    QJsonArray array;
    for (const HistoryEntry& entry : entries) {
        QJsonObject object;
        const QVariantList values = fields(entry);
        for (qsizetype column = 0; column < columns.size(); ++column)
            object.insert(columns[column], QJsonValue::fromVariant(values[column]));
        array.append(object);
    }
    out << QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("History"), array}}).toJson());
}

}
