#include "SpreadDryRun.h"

#include "BatRuleEditor.h"
#include "GLB.h"
#include "HostError.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "ThreadSession.h"

namespace vellbatchrule {

QString SpreadDryRun::Text(bool spareOwnRules) const
{
    if (spareOwnRules)
        return MParse::TranslateCount("将更改 %n 个物料的规则（保留 %1 个）", nullptr, Receiving(true), {Kept(true)});
    return MParse::TranslateCount("将更改 %n 个物料的规则", nullptr, Receiving(false));
}

std::optional<SpreadDryRun> SpreadDryRun::Count(const QString& groupNumber, const QStringList& innerGroups)
{
    const auto counts = RWDatabase().CountSpread(groupNumber, innerGroups);
    if (!counts || counts->Eof())
        return std::nullopt;
    SpreadDryRun dryRun;
    dryRun.materials = counts->Field(QStringLiteral("FMaterials")).toInt();
    dryRun.ownRules = counts->Field(QStringLiteral("FOwnRules")).toInt();   // no materials: NULL, 0
    return dryRun;
}

std::optional<SpreadDryRun> SpreadDryRun::CountApart(qint32 groupId, const QString& groupText)
{
    GLB::MessageCapture quiet;
    try {
        ThreadSession session;
        const auto target = BatRuleEditor::SpreadTargetOf(groupId, groupText);
        return target.number ? Count(*target.number) : std::nullopt;
    } catch (const HostError&) {
        return std::nullopt;
    }
}

}
