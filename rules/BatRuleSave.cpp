#include "BatRuleSave.h"

#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "MParse.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RuleGrid.h"
#include "SqlLines.h"
#include "TextUtil.h"

#include <QStringList>

namespace vellbatchrule {

namespace {

using HostText::TrimBlanks;

const QString kItemInsertHead = QStringLiteral(
    " Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
    "FSubCharacter)");
const QString kGroupInsertHead = QStringLiteral(
    " Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
    "FSubCharacter,FDetail)");

QString N(qint32 value)
{
    return QString::number(value);
}

// The fields after FItemID, as a Values list or a Select list writes them.
QString FieldsAfterOwner(const BatRuleStruct& r)
{
    return QStringList{N(r.FPropertyID), N(r.FUseShortNumber), r.FFormatDate, r.FSelDefine, N(r.FWidth),
                       r.FCharacter, r.FSubCharacter}
        .join(QLatin1Char(','));
}

}

bool BatRuleSave::OperateSaveing()
{
    const int rows = grid_->RowCount();
    for (int row = 1; row <= rows; ++row) {
        if (!CheckSaveData(row))
            return false;
        PushSaveData();
    }
    return true;
}

QString BatRuleSave::MissingCellRefusal(int row, int column)
{
    const char* tail = column == RuleGrid::Property ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "]的编码属性未设置，请重新设置！")
                       : column == RuleGrid::Format ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "]的编码属性的格式未设置，请重新设置！")
                       : column == RuleGrid::Length ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "]的编码属性的长度未设置，请重新设置！")
                                                    : QT_TRANSLATE_NOOP("VEZAROZIVADA", "]的编码属性的补位符未设置，请重新设置！");
    return MParse::TranslateText("系统检测到[级次=") + N(row) + MParse::TranslateText(tail);
}

void BatRuleSave::Refuse(int row, int column)
{
    GLB::ShowErrorMessage(MissingCellRefusal(row, column), 0, false);
    grid_->SetFocus();
    grid_->SetActiveCell(column, row);
}

BatRuleStruct BatRuleSave::RowElement(const RuleGrid& g, int row)
{
    auto trimmed = [&](int column) { return TrimBlanks(g.Text(column, row)); };
    BatRuleStruct element;
    element.FID = HostText::ToLong(g.Text(RuleGrid::Level, row));
    element.FPropertyID = HostText::RoundToLong(HostText::Val(TextUtil::IdOfText(g.Text(RuleGrid::Property, row))));
    switch (KindOf(element.FPropertyID)) {
    case PropertyKind::BaseData:
        element.FUseShortNumber = HostText::RoundToLong(g.Value(RuleGrid::Format, row).toDouble());
        break;
    case PropertyKind::Date:
    case PropertyKind::LineNumber:
        element.FFormatDate = trimmed(RuleGrid::Format);
        break;
    case PropertyKind::Custom:
    case PropertyKind::Serial:
        element.FSelDefine = trimmed(RuleGrid::Format);
        break;
    case PropertyKind::DocumentNumber:
        break;
    }
    element.FWidth = HostText::RoundToLong(HostText::Val(g.Text(RuleGrid::Length, row)));
    element.FCharacter = trimmed(RuleGrid::Pad);
    element.FSubCharacter = trimmed(RuleGrid::Substitute);
    return element;
}

bool BatRuleSave::CheckSaveData(int row)
{
    const RuleGrid& g = *grid_;
    auto emptyAndOpen = [&](int column) { return TrimBlanks(g.Text(column, row)).isEmpty() && !g.IsLocked(column, row); };

    const qint32 property = HostText::RoundToLong(HostText::Val(TextUtil::IdOfText(g.Text(RuleGrid::Property, row))));
    if (property <= 0) {
        Refuse(row, RuleGrid::Property);
        return false;
    }
    if (emptyAndOpen(RuleGrid::Format) && property != PropertyIds::LineNumber) {
        Refuse(row, RuleGrid::Format);
        return false;
    }
    if (emptyAndOpen(RuleGrid::Length)) {
        Refuse(row, RuleGrid::Length);
        return false;
    }
    if (emptyAndOpen(RuleGrid::Pad)) {
        Refuse(row, RuleGrid::Pad);
        return false;
    }
    // Collected with its texts as the literals the writers splice.
    current_ = RowElement(g, row);
    current_.FItemID = itemId_;
    for (QString* text : {&current_.FFormatDate, &current_.FSelDefine, &current_.FCharacter, &current_.FSubCharacter})
        *text = HostText::SqlLiteral(*text);
    return true;
}

void BatRuleSave::PushSaveData()
{
    const QString key = N(current_.FItemID) + N(current_.FID);
    collected_.removeIf([&](const auto& entry) { return entry.first == key; });
    collected_.append({key, current_});
}

QString BatRuleSave::ItemDetailSql() const
{
    SqlLines sql;
    sql << QStringLiteral(" Delete from ICBatchNoRule ") << QStringLiteral(" Where FItemID=") + N(itemId_);
    for (const auto& [key, r] : collected_)
        sql << kItemInsertHead
            << QStringLiteral(" Values(") + N(r.FID) + QLatin1Char(',') + N(r.FItemID) + QLatin1Char(',')
                   + FieldsAfterOwner(r) + QLatin1Char(')');
    return sql.Text();
}

QString BatRuleSave::GroupDetailSql(const RWDatabase::AccessScope& deletedScope,
                                    const RWDatabase::AccessScope& receivingScope) const
{
    auto tableList = [](const QString& tables, const RWDatabase::AccessScope& scope) {
        return scope.from.isEmpty() ? tables : tables + QLatin1Char(',') + scope.from;
    };
    auto accessCondition = [](SqlLines& sql, const RWDatabase::AccessScope& scope) {
        if (!scope.where.isEmpty())
            sql << QStringLiteral("    and ") + scope.where;
    };
    SqlLines sql;
    if (!itemIsTop_) {
        sql << QStringLiteral(" Delete t1") << tableList(QStringLiteral(" From ICBatchNoRule t1,t_ICItem t2"), deletedScope)
            << QStringLiteral(" Where   t1.FItemID=t2.FItemID and") << QStringLiteral("         t2.FBatchManager = 1");
        if (!parentItemNumber_.isEmpty())
            sql << QStringLiteral("    and ") + RWDatabase::NumberBelow(QStringLiteral("t2.FNumber"), parentItemNumber_);
        accessCondition(sql, deletedScope);
    }
    sql << QStringLiteral(" Select Distinct FItemID into #tmp From ICBatchNoRule");
    for (const auto& [key, r] : collected_) {
        sql << kItemInsertHead << QStringLiteral(" Select ") + N(r.FID) + QStringLiteral(", FItemID,") + FieldsAfterOwner(r)
            << tableList(QStringLiteral(" From t_ICItem"), receivingScope) << QStringLiteral(" Where FBatchManager = 1");
        if (!parentItemNumber_.isEmpty())
            sql << QStringLiteral("    and ") + RWDatabase::NumberBelow(QStringLiteral("FNumber"), parentItemNumber_);
        accessCondition(sql, receivingScope);
        if (itemIsTop_)
            sql << QStringLiteral("    and FItemID not in (Select Distinct FItemID From #tmp)");
        sql << QString();
    }
    sql << QStringLiteral(" Drop table #tmp");
    return sql.Text();
}

QString BatRuleSave::GroupSql() const
{
    SqlLines sql;
    sql << QStringLiteral(" Delete from ICBatchNoRule ")
        << QStringLiteral(" Where FItemID=") + N(parentItemId_) + QStringLiteral(" and ")
        << QStringLiteral("       FDetail=0");
    for (const auto& [key, r] : collected_)
        sql << kGroupInsertHead
            << QStringLiteral(" Values(") + N(r.FID) + QLatin1Char(',') + N(parentItemId_) + QLatin1Char(',')
                   + FieldsAfterOwner(r) + QStringLiteral(",0)");
    return sql.Text();
}

bool BatRuleSave::Write(const char* failureMessage, const std::function<QString()>& compose)
{
    try {
        CurrentHostConnection().Execute(compose());
        return true;
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(MParse::TranslateText(failureMessage), 0, true, &error);
        return false;
    }
}

bool BatRuleSave::TakingItemDetailSaves()
{
    if (collected_.isEmpty())
        return false;
    const QString sql = ItemDetailSql();
    collected_.clear();
    return Write(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数TakingItemDetailSaves()时发生错误"), [&] { return sql; });
}

bool BatRuleSave::TakingGroupDetailSaves()
{
    if (collected_.isEmpty())
        return false;
    // The rows stay collected for the group's own rule, written next.
    return Write(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数TakingGroupDetailSaves()时发生错误"), [this] {
        return GroupDetailSql(RWDatabase::AccessScopeOf(QStringLiteral("t2")),
                              RWDatabase::AccessScopeOf(QStringLiteral("t_ICItem")));
    });
}

bool BatRuleSave::TakingGroupSaves()
{
    if (collected_.isEmpty())
        return false;
    const QString sql = GroupSql();
    collected_.clear();
    return Write(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数TakingGroupSaves()时发生错误"), [&] { return sql; });
}

}
