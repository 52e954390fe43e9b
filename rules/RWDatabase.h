#pragma once

#include "Recordset.h"

#include <functional>
#include <memory>

// The reading side: the material groups, the batch-managed materials of one
// group (both narrowed by the user's access rights) and the elements of one
// rule. A failure is shown once with the query's label and answered with no
// record set; a failure of the access filter reaches the caller.
class RWDatabase {
public:
    std::unique_ptr<Recordset> FetchParentItem();
    std::unique_ptr<Recordset> FetchItemDetail(qint32 parentId);
    std::unique_ptr<Recordset> FetchBatchRule(qint32 itemId, const qint32& detail);

    // The texts the queries send.
    static QString ParentItemSql(const QString& fromFragment, const QString& whereFragment);
    static QString ItemDetailSql(qint32 parentId, const QString& fromFragment, const QString& whereFragment);
    static QString BatchRuleSql(qint32 itemId, qint32 detail);

private:
    static void FilterRequest(QString& fromFragment, QString& whereFragment);
    static std::unique_ptr<Recordset> Guarded(const QString& label, const std::function<QString()>& compose);
};
