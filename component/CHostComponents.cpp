#include "CHostComponents.h"

#include "AppConnection.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DataAccess.h"
#include "HostError.h"
#include "MessageBox.h"

vellbatchrule::MaterializedRecordset& vbr_call::Rows()
{
    if (!rows)
        rows = std::make_unique<vellbatchrule::MaterializedRecordset>(columns);
    return *rows;
}

namespace vellbatchrule {

namespace {

// Runs a host function; a failure it reports, or its nonzero answer alone, becomes a HostError.
template <typename Function>
vbr_call Called(const QString& source, Function function)
{
    vbr_call call;
    const int answer = function(&call);
    if (answer != 0 || call.failure) {
        const QString text = call.failureText.isEmpty()
                                 ? QStringLiteral("The host's function failed and gave no reason (%1)").arg(answer)
                                 : call.failureText;
        throw HostError(call.failure.value_or(answer), text, source);
    }
    if (!call.columns.isEmpty())
        call.Rows();   // columns without values: a batch whose query found no rows
    return call;
}

class CConnection : public AppConnection {
public:
    explicit CConnection(const vbr_connection_functions& f) : f_(f) {}

    std::unique_ptr<Recordset> Execute(const QString& sql) override
    {
        const QByteArray text = sql.toUtf8();
        vbr_call call = Called(kSource, [&](vbr_call* c) { return f_.execute(f_.context, text.constData(), c); });
        return std::move(call.rows);
    }
    void BeginTrans() override { Called(kSource, [&](vbr_call* c) { return f_.begin_trans(f_.context, c); }); }
    void CommitTrans() override { Called(kSource, [&](vbr_call* c) { return f_.commit_trans(f_.context, c); }); }
    void RollbackTrans() override { Called(kSource, [&](vbr_call* c) { return f_.rollback_trans(f_.context, c); }); }

private:
    static inline const QString kSource = ComponentNames::AppConnection;
    vbr_connection_functions f_;
};

class CMessageBox : public MessageBox {
public:
    explicit CMessageBox(const vbr_message_box_functions& f) : f_(f) {}

    void Show(const QString& text, const QString& title, Icon icon) override
    {
        f_.show(f_.context, text.toUtf8().constData(), title.toUtf8().constData(), icon == Icon::Exclamation ? 1 : 0);
    }

private:
    vbr_message_box_functions f_;
};

// The C table answers per data table; the session travels in the access info.
class CDataAccess : public DataAccess {
public:
    explicit CDataAccess(const vbr_data_access_functions& f) : f_(f) {}

    bool IsUsed(const QString& propsString, qint32 userId) override
    {
        int restricted = 1;
        const QByteArray props = propsString.toUtf8();
        Called(kSource, [&](vbr_call* c) { return f_.is_restricted(f_.context, props.constData(), userId, &restricted, c); });
        return restricted != 0;
    }

    ValueBag GetRowAccessInfo(const QString& propsString, qint32 userId, const ValueList&) override
    {
        ValueBag info;
        info.Set(QStringLiteral("PropsString"), propsString);
        info.Set(QStringLiteral("UserID"), userId);
        return info;
    }

    ValueBag GetAccessDataSQL(const ValueList& mappings, const ValueBag& accessInfo) override
    {
        QStringList conditions;
        for (int i = 1; i <= mappings.Count(); ++i)
            if (const QString condition = Restriction(mappings.Item(i).value<ValueBag>(), accessInfo); !condition.isEmpty())
                conditions.append(condition);
        ValueBag fragments;
        fragments.Set(QStringLiteral("From"), QString());
        fragments.Set(QStringLiteral("Where"), conditions.join(QStringLiteral(" and ")));
        return fragments;
    }

    // A condition serves the second form as well: it needs no table of its own.
    ValueBag GetAccessDataSQL2(const ValueList& mappings, const ValueBag& accessInfo) override
    {
        return GetAccessDataSQL(mappings, accessInfo);
    }

private:
    QString Restriction(const ValueBag& mapping, const ValueBag& accessInfo)
    {
        const QByteArray props = accessInfo.Get(QStringLiteral("PropsString"), QString()).toString().toUtf8();
        const int userId = accessInfo.Get(QStringLiteral("UserID"), 0).toInt();
        const QByteArray table = mapping.Get(QStringLiteral("DataTable")).toString().toUtf8();
        const QByteArray column = mapping.Get(QStringLiteral("DataCol")).toString().toUtf8();
        const QByteArray billKey = (mapping.Get(QStringLiteral("BillTableAs")).toString() + QLatin1Char('.')
                                    + mapping.Get(QStringLiteral("BillCol")).toString()).toUtf8();
        return Called(kSource, [&](vbr_call* c) {
                   return f_.restriction(f_.context, props.constData(), userId, table.constData(), column.constData(),
                                         billKey.constData(), c);
               }).text;
    }

    static inline const QString kSource = ComponentNames::DataAccess;
    vbr_data_access_functions f_;
};

}

void RegisterCConnection(const vbr_connection_functions& functions)
{
    ComponentRegistry::Instance().Register(ComponentNames::AppConnection,
                                           [functions] { return std::make_shared<CConnection>(functions); });
}

void RegisterCMessageBox(const vbr_message_box_functions& functions)
{
    ComponentRegistry::Instance().Register(ComponentNames::MessageBox,
                                           [functions] { return std::make_shared<CMessageBox>(functions); });
}

void RegisterCDataAccess(const vbr_data_access_functions& functions)
{
    ComponentRegistry::Instance().Register(ComponentNames::DataAccess,
                                           [functions] { return std::make_shared<CDataAccess>(functions); });
}

}
