#pragma once

#include "DataAccess.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace vellbatchrule {

class AppConnection;

// The host's access-rights service. A user sees the material groups granted
// in t_UserGroupAccess (with their sub-groups and the groups above them, so
// the tree still hangs together) and the materials below them. A grant of
// EveryGroupGrant lifts every restriction; a user without grants sees nothing.
class GrantDataAccess : public DataAccess {
public:
    // The grants are read through the host connection.
    GrantDataAccess();
    ~GrantDataAccess() override;

    bool IsUsed(const QString& propsString, qint32 userId) override;
    ValueBag GetRowAccessInfo(const QString& propsString, qint32 userId, const ValueList& tables) override;
    // Only a WHERE fragment: "u1.FItemID in (…)".
    ValueBag GetAccessDataSQL(const ValueList& mappings, const ValueBag& accessInfo) override;
    // A FROM fragment with the visible ids and a WHERE fragment joining it.
    ValueBag GetAccessDataSQL2(const ValueList& mappings, const ValueBag& accessInfo) override;

private:
    QStringList Grants(qint32 userId);
    ValueBag Fragments(const ValueList& mappings, const ValueBag& accessInfo, bool withFrom) const;

    std::shared_ptr<AppConnection> connection_;
    qint32 grantsUser_ = 0;
    std::optional<QStringList> grants_;   // one request asks twice: IsUsed, then GetRowAccessInfo
};

}
