#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace vellbatchrule {

// The five batch options of the inventory module, stored under 'IC' in
// t_SystemProfile. Each holds a check box state: 0 clear, 1 ticked, 2 grey.
class BatchOptions {
public:
    int manual = 0;        // BatchManual: "在单据上可手工改变批号"
    int lackManual = 0;    // BatchLackManual, kept unchanged
    int repeatEcho = 0;    // BatchRepeatEcho, kept unchanged
    int autoCreate = 0;    // AutoCreateBatNo: "蓝字入库单批次号根据规则直接产生"
    int itemIsTop = 1;     // BatchItemIsTop: "物料类设置不改变个别物料设置"

    // Database errors reach the caller. Writing sends the updates, then a
    // batch of its own that adds the row of an option the updates found
    // none for, so that every state written is stored.
    void ReadBatchOptions();
    void WriteBatchOptions() const;

    static QString ReadSql();
    QString WriteSql() const;
    QString MissingRowsSql() const;

    // These states, but where one is still as `loaded` has it, as `storedNow`
    // has it: writing all five never puts back what another administrator
    // set since the options were loaded.
    BatchOptions KeepingOthersChanges(const BatchOptions& loaded, const BatchOptions& storedNow) const;

    // The named options alone (BatchManual, …), each updated and its row
    // added where it has none: the others stay as they are stored.
    QString WriteKeysSql(const QStringList& keys) const;

    // The options that differ from `before`, as "KEY=state" each, and the
    // same of `before`: what a history entry of the options shows.
    std::pair<QString, QString> ChangesFrom(const BatchOptions& before) const;
};

}
