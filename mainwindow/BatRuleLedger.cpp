#include "BatRuleLedger.h"

#include "HostError.h"
#include "MParse.h"
#include "RuleText.h"

namespace vellbatchrule {

std::optional<int> BatRuleLedger::ShowGroup(qint32 groupId)
{
    materials_ = database_.FetchItemDetail(groupId);
    if (!materials_)
        return std::nullopt;
    return materials_->RecordCount();
}

QString BatRuleLedger::LedgerHeaderText()
{
    return MParse::TranslateText("内码|物料代码|物料名称|批号规则|");
}

QString BatRuleLedger::LedgerRowText(int row)
{
    if (!materials_ || materials_->RecordCount() == 0)
        return QString();
    try {
        materials_->MoveFirst();
        materials_->Move(row - 2);
        QString text;
        for (int field = 0; field + 1 < materials_->FieldCount(); ++field)
            text += materials_->Field(field).toString() + QLatin1Char('|');
        return text + RuleText::OfMaterial(materials_->Field(QStringLiteral("FItemID")).toInt()) + QLatin1Char('|');
    } catch (const HostError&) {
        return QString();   // the row stays empty; a query failure has been shown where it happened
    }
}

std::optional<int> BatRuleLedger::RowOf(qint32 itemId)
{
    if (!materials_ || materials_->RecordCount() == 0)
        return std::nullopt;
    int row = 2;
    for (materials_->MoveFirst(); !materials_->Eof(); materials_->MoveNext(), ++row) {
        if (materials_->Field(0).toInt() == itemId)
            return row;
    }
    return std::nullopt;
}

QString BatRuleLedger::CountText(int count)
{
    return MParse::TranslateText("共有") + QString::number(count)
           + MParse::TranslateText("条记录");
}

}
