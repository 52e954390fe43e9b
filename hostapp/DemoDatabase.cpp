#include "DemoDatabase.h"

#include "HostError.h"
#include "HostErrors.h"
#include "StockComponents.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vellbatchrule {

QString DefaultPropsString(const QString& language)
{
    return QStringLiteral("UserID=%1;UserName=administrator;LANGUAGE=%2;SUBID=IC;AcctName={演示账套;2026}")
        .arg(QString::number(DemoDatabase::AdministratorUserID), language);
}

namespace {

const QString kSource = QStringLiteral("vell-batchrule demo-db");

// Text keys compare as on the host's SQL Server: numbers without regard to
// case (NOCASE, which also lets LIKE 'g.%' use the number indexes), the
// option keys without regard to trailing blanks (RTRIM).
const char* const kSchema[] = {
    "CREATE TABLE t_Item ("
    " FItemID INTEGER PRIMARY KEY, FItemClassID INTEGER NOT NULL,"
    " FNumber TEXT COLLATE NOCASE NOT NULL, FName TEXT NOT NULL,"
    " FParentID INTEGER NOT NULL DEFAULT 0, FDetail INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE t_ICItem ("
    " FItemID INTEGER PRIMARY KEY, FNumber TEXT COLLATE NOCASE NOT NULL, FName TEXT NOT NULL,"
    " FParentID INTEGER NOT NULL DEFAULT 0, FBatchManager INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE ICBatchNoRule ("
    " FID INTEGER NOT NULL, FItemID INTEGER NOT NULL, FPropertyID INTEGER NOT NULL,"
    " FUseShortNumber INTEGER NOT NULL DEFAULT 0, FFormatDate TEXT NOT NULL DEFAULT '',"
    " FSelDefine TEXT NOT NULL DEFAULT '', FWidth INTEGER NOT NULL DEFAULT 0,"
    " FCharacter TEXT NOT NULL DEFAULT '', FSubCharacter TEXT NOT NULL DEFAULT '',"
    " FDetail INTEGER NOT NULL DEFAULT 1)",
    "CREATE TABLE t_SystemProfile ("
    " FCategory TEXT COLLATE RTRIM NOT NULL, FKey TEXT COLLATE RTRIM NOT NULL, FValue TEXT,"
    " FReadonly INTEGER NOT NULL DEFAULT 0, FDescription TEXT, FLevel INTEGER NOT NULL DEFAULT 0,"
    " FExplanation TEXT, FFormat TEXT, FSort NUMERIC, FDescription_cht TEXT, FDescription_en TEXT)",
    // The batch issuer's counters and the numbers it gave, as `vell-batchrule batch init` creates them.
    "CREATE TABLE ICBatchNoSerial ("
    " FItemID INTEGER NOT NULL, FRest TEXT NOT NULL, FNext INTEGER NOT NULL)",
    "CREATE UNIQUE INDEX ix_BatchNoSerial_Key ON ICBatchNoSerial (FItemID, FRest)",
    "CREATE TABLE ICBatchNoIssued (FItemID INTEGER NOT NULL, FBatchNo TEXT COLLATE RTRIM NOT NULL)",
    "CREATE UNIQUE INDEX ix_BatchNoIssued_Number ON ICBatchNoIssued (FItemID, FBatchNo)",
    // Where each number came from, beside it.
    "CREATE TABLE ICBatchNoIssuedTrace (FItemID INTEGER NOT NULL, FBatchNo TEXT COLLATE RTRIM NOT NULL,"
    " FTime DATETIME NOT NULL, FUserID INTEGER NOT NULL, FUserName TEXT NOT NULL, FVersion TEXT NOT NULL)",
    "CREATE INDEX ix_BatchNoIssuedTrace_Number ON ICBatchNoIssuedTrace (FItemID, FBatchNo)",
    // Every rule write on record: an entry per owner written, and the rows it replaced and wrote.
    "CREATE TABLE ICBatchNoRuleHistory ("
    " FEntryID INTEGER NOT NULL PRIMARY KEY, FTime DATETIME NOT NULL, FUserID INTEGER NOT NULL,"
    " FUserName TEXT NOT NULL, FDetail INTEGER NOT NULL, FItemID INTEGER NOT NULL, FSource TEXT NOT NULL,"
    " FBefore TEXT NOT NULL, FAfter TEXT NOT NULL, FMaterials INTEGER NOT NULL)",
    "CREATE INDEX ix_BatchNoRuleHistory_Owner ON ICBatchNoRuleHistory (FDetail, FItemID, FEntryID)",
    "CREATE TABLE ICBatchNoRuleHistoryRow ("
    " FEntryID INTEGER NOT NULL, FStage INTEGER NOT NULL, FItemID INTEGER NOT NULL, FDetail INTEGER NOT NULL,"
    " FID INTEGER NOT NULL, FPropertyID INTEGER NOT NULL, FUseShortNumber INTEGER NOT NULL,"
    " FFormatDate TEXT NOT NULL, FSelDefine TEXT NOT NULL, FWidth INTEGER NOT NULL, FCharacter TEXT NOT NULL,"
    " FSubCharacter TEXT NOT NULL)",
    "CREATE INDEX ix_BatchNoRuleHistoryRow_Entry ON ICBatchNoRuleHistoryRow (FEntryID, FStage, FItemID)",
    // The host's access rights: the material groups a user may see.
    "CREATE TABLE t_UserGroupAccess (FUserID INTEGER NOT NULL, FGroupNumber TEXT COLLATE NOCASE NOT NULL)",
    "CREATE INDEX ix_UserGroupAccess_User ON t_UserGroupAccess (FUserID, FGroupNumber)",
    // The group tree, the ledger of one group, the spread by number, one rule, the options.
    "CREATE INDEX ix_Item_Groups ON t_Item (FItemClassID, FDetail, FNumber)",
    "CREATE INDEX ix_ICItem_Parent ON t_ICItem (FParentID, FBatchManager, FNumber)",
    "CREATE INDEX ix_ICItem_Number ON t_ICItem (FNumber)",
    "CREATE INDEX ix_BatchNoRule_Owner ON ICBatchNoRule (FItemID, FDetail, FID)",
    "CREATE UNIQUE INDEX ix_SystemProfile_Key ON t_SystemProfile (FCategory, FKey)",
};

constexpr int kMaterialClass = 4;

// The file a database is written into beside its place: removed unless kept.
struct PartialFile {
    QString path;
    bool kept = false;
    ~PartialFile()
    {
        if (!kept) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
    }
};

// A named Qt SQL connection, closed and removed on every way out.
struct NamedConnection {
    QString name;
    ~NamedConnection()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
};

class Writer {
public:
    // The database is written beside the file and replaces it only when whole.
    explicit Writer(const QString& file) : file_(file), partial_{file + QStringLiteral(".partial")}
    {
        if (QFileInfo::exists(file) && !QFileInfo(file).isFile())
            throw HostError(HostErrors::DemoDatabaseNotWritten,
                            QStringLiteral("Cannot create '%1': it is no regular file").arg(file), kSource);
        QFile::remove(partial_.path);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_.name);
            db.setDatabaseName(partial_.path);
            if (!db.open())
                throw HostError(HostErrors::DemoDatabaseNotWritten,
                                QStringLiteral("Cannot create '%1': %2").arg(file, db.lastError().text()), kSource);
        }
        // The rollback journal, not WAL: a database in a read-only folder
        // can still be read, and a writer's unit is kept whole by its lock.
        Exec("BEGIN");
        for (const char* statement : kSchema)
            Exec(statement);
    }

    void Commit()
    {
        Exec("COMMIT");
        QSqlDatabase::database(connection_.name, false).close();
        if (std::rename(QFile::encodeName(partial_.path).constData(), QFile::encodeName(file_).constData()) != 0)
            throw HostError(
                HostErrors::DemoDatabaseNotWritten,
                QStringLiteral("Cannot replace '%1': %2").arg(file_, QString::fromLocal8Bit(std::strerror(errno))),
                kSource);
        partial_.kept = true;
    }

    void Exec(const char* sql)
    {
        QSqlQuery query(QSqlDatabase::database(connection_.name));
        if (!query.exec(QString::fromUtf8(sql)))
            Fail(query);
    }

    // Inserts rows column-wise: one list per column, all of one length.
    void Insert(const QString& sql, const QList<QVariantList>& columns)
    {
        if (columns.isEmpty())
            return;
        QSqlQuery query(QSqlDatabase::database(connection_.name));
        if (!query.prepare(sql))
            Fail(query);
        for (const QVariantList& column : columns)
            query.addBindValue(column);
        if (!query.execBatch())
            Fail(query);
    }

    void Group(int id, const QString& number, const QString& name, int parent)
    {
        items_.Add({id, kMaterialClass, number, name, parent, 0});
    }

    void Material(int id, const QString& number, const QString& name, int parent, bool batchManaged)
    {
        items_.Add({id, kMaterialClass, number, name, parent, 1});
        materials_.Add({id, number, name, parent, batchManaged ? 1 : 0});
    }

    void RuleRow(int fid, int owner, int property, int shortNumber, const QString& format, const QString& define,
                 int width, const QString& pad, const QString& substitute, int detail)
    {
        rules_.Add({fid, owner, property, shortNumber, format, define, width, pad, substitute, detail});
    }

    void Option(const QString& key, const QString& value, const QString& description)
    {
        options_.Add({QStringLiteral("IC"), key, value, 0, description, 0, description, 1.0});
    }

    void Grant(int userId, const QString& groupNumber) { grants_.Add({userId, groupNumber}); }

    void Flush()
    {
        Insert(QStringLiteral("INSERT INTO t_Item VALUES (?,?,?,?,?,?)"), items_.columns);
        Insert(QStringLiteral("INSERT INTO t_ICItem VALUES (?,?,?,?,?)"), materials_.columns);
        Insert(QStringLiteral("INSERT INTO ICBatchNoRule VALUES (?,?,?,?,?,?,?,?,?,?)"), rules_.columns);
        Insert(QStringLiteral("INSERT INTO t_SystemProfile (FCategory,FKey,FValue,FReadonly,FDescription,FLevel,"
                              "FExplanation,FSort) VALUES (?,?,?,?,?,?,?,?)"),
               options_.columns);
        Insert(QStringLiteral("INSERT INTO t_UserGroupAccess VALUES (?,?)"), grants_.columns);
    }

private:
    struct Columns {
        QList<QVariantList> columns;
        void Add(const QVariantList& row)
        {
            columns.resize(row.size());
            for (qsizetype i = 0; i < row.size(); ++i)
                columns[i].append(row[i]);
        }
    };

    [[noreturn]] void Fail(const QSqlQuery& query)
    {
        throw HostError(HostErrors::DemoDatabaseNotWritten,
                        QStringLiteral("Cannot write '%1': %2").arg(file_, query.lastError().text()), kSource);
    }

    QString file_;
    PartialFile partial_;   // declared before the connection, so removed after it is closed
    NamedConnection connection_{QStringLiteral("vell-demo-writer")};
    Columns items_, materials_, rules_, options_, grants_;
};

// One rule's elements: property, short code, format, define, width, pad, substitute.
struct Element {
    int property;
    int shortNumber;
    const char* format;
    const char* define;
    int width;
    const char* pad;
    const char* substitute;
};

void AddRule(Writer& writer, int owner, int detail, std::initializer_list<Element> elements)
{
    int fid = 0;
    for (const Element& e : elements)
        writer.RuleRow(++fid, owner, e.property, e.shortNumber, QString::fromUtf8(e.format), QString::fromUtf8(e.define),
                       e.width, QString::fromUtf8(e.pad), QString::fromUtf8(e.substitute), detail);
}

const std::initializer_list<Element> kEightElements = {
    {4, 0, "", "", 12, "0", "X"}, {23, 0, "yymmdd", "", 6, "", ""},   {20, 0, "", "", 10, "0", ""},
    {24, 0, "", "-", 1, "", ""},  {25, 0, "000", "", 3, "", ""},      {1, 1, "", "", 6, "0", "N"},
    {5, 0, "", "", 4, "0", ""},   {26, 0, "", "1", 5, "", ""}};

}

namespace DemoDatabase {

void WriteHandMade(const QString& file)
{
    Writer w(file);
    auto s = [](const char* text) { return QString::fromUtf8(text); };
    w.Group(1, s("01"), s("原材料"), 0);
    w.Group(2, s("01.01"), s("钢材"), 1);
    w.Group(3, s("01.02"), s("化工原料"), 1);
    w.Group(4, s("02"), s("半成品"), 0);
    w.Group(5, s("03"), s("产成品"), 0);
    w.Group(6, s("03.01"), s("电子产品"), 5);
    w.Group(7, s("03.02"), s("食品饮料"), 5);
    w.Group(8, s("010"), s("包装物"), 0);
    w.Material(101, s("01.01.001"), s("冷轧钢板 1.0mm"), 2, true);
    w.Material(102, s("01.01.002"), s("热轧卷板 Q235"), 2, true);
    w.Material(103, s("01.01.003"), s("镀锌钢管 DN50"), 2, false);
    w.Material(111, s("01.02.001"), s("环氧树脂 E-51"), 3, true);
    w.Material(112, s("01.02.002"), s("无水乙醇 99.7%"), 3, true);
    w.Material(201, s("02.001"), s("主控电路板组件"), 4, true);
    w.Material(202, s("02.002"), s("电源模块"), 4, false);
    w.Material(301, s("03.01.001"), s("智能手机 X1"), 6, true);
    w.Material(302, s("03.01.002"), s("平板电脑 T8"), 6, true);
    w.Material(311, s("03.02.001"), s("天然矿泉水 550ml"), 7, true);
    w.Material(312, s("03.02.002"), s("绿茶饮料 500ml"), 7, true);
    w.Material(313, s("03.02.003"), s("乌龙茶饮料 500ml"), 7, true);
    w.Material(801, s("010.001"), s("五层瓦楞纸箱"), 8, true);

    // The food group's rule, spread to its materials; the mineral water has its own.
    AddRule(w, 7, 0, {{4, 1, "", "", 6, "0", ""}, {23, 0, "yymmdd", "", 6, "", ""}, {26, 0, "", "1", 4, "", ""}});
    AddRule(w, 312, 1, {{4, 1, "", "", 6, "0", ""}, {23, 0, "yymmdd", "", 6, "", ""}, {26, 0, "", "1", 4, "", ""}});
    AddRule(w, 313, 1, {{4, 1, "", "", 6, "0", ""}, {23, 0, "yymmdd", "", 6, "", ""}, {26, 0, "", "1", 4, "", ""}});
    AddRule(w, 311, 1, {{23, 0, "yyyymmdd", "", 8, "", ""}, {26, 0, "", "1", 4, "", ""}});
    AddRule(w, 101, 1, {{8, 0, "", "", 6, "0", "Z"}, {24, 0, "", "-", 1, "", ""}, {23, 0, "yymm", "", 4, "", ""},
                        {26, 0, "", "1", 3, "", ""}});
    AddRule(w, 301, 1, {{20, 0, "", "", 10, "0", ""}, {25, 0, "00", "", 2, "", ""}});

    w.Option(s("BatchManual"), s("1"), s("在单据上可手工改变批号"));
    w.Option(s("BatchLackManual"), s("0"), s("编码信息不全时可做手工改变"));
    w.Option(s("BatchRepeatEcho"), s("1"), s("批号重复给予提示"));
    w.Option(s("AutoCreateBatNo"), s("0"), s("蓝字入库单批次号根据规则直接产生"));
    // The storekeeper sees only steel and food; the administrator sees everything.
    w.Grant(AdministratorUserID, EveryGroupGrant);
    w.Grant(RestrictedUserID, s("01.01"));
    w.Grant(RestrictedUserID, s("03.02"));
    w.Flush();
    w.Commit();
}

void WriteSynthetic(const QString& file, int groups, int materials)
{
    Writer w(file);
    constexpr int kTopGroups = 20;
    constexpr int kFanOut = 10;
    QStringList numbers;
    for (int g = 0; g < groups; ++g) {
        const int parent = g < kTopGroups ? -1 : (g - kTopGroups) / kFanOut;
        const int sibling = g < kTopGroups ? g : (g - kTopGroups) % kFanOut;
        const QString own = QStringLiteral("%1").arg(sibling + 1, 2, 10, QLatin1Char('0'));
        numbers.append(parent < 0 ? own : numbers[parent] + QLatin1Char('.') + own);
        w.Group(g + 1, numbers.last(), QStringLiteral("物料组 %1").arg(numbers.last()), parent + 1);
    }
    for (int m = 0; m < materials; ++m) {
        const int group = groups > 0 ? m % groups : -1;
        const int id = groups + 1 + m;
        const QString number = (group < 0 ? QString() : numbers[group] + QLatin1Char('.'))
                               + QStringLiteral("%1").arg(m + 1, 6, 10, QLatin1Char('0'));
        w.Material(id, number, QStringLiteral("物料 %1").arg(number), group + 1, true);
        if (m % 2 == 0)
            AddRule(w, id, 1, kEightElements);
    }
    w.Grant(AdministratorUserID, EveryGroupGrant);
    w.Flush();
    w.Commit();
}

}

}
