#pragma once

#include <QString>
#include <QStringList>

// The batches the rule component sends, composed here line by line as it
// composes them, each piece followed by CR LF.
namespace BatchTexts {

struct Element {
    int fid, property, shortNumber;
    QString format, define;
    int width;
    QString pad, substitute;
};

QString FetchParentItem(const QString& from = QString(), const QString& where = QString());
QString FetchItemDetail(int parentId, const QString& from = QString(), const QString& where = QString());
QString FetchBatchRule(int itemId, int detail);
QString ItemSave(int itemId, const QList<Element>& elements);
QString GroupSpread(const QString& groupNumber, bool itemIsTop, const QList<Element>& elements);
QString GroupSave(int groupId, const QList<Element>& elements);
QString ReadOptions();
QString WriteOptions(int manual, int lackManual, int repeatEcho, int autoCreate, int itemIsTop);
// The batch after it that adds the row of an option the updates found none for.
QString MissingOptionRows(int manual, int lackManual, int repeatEcho, int autoCreate);

}
