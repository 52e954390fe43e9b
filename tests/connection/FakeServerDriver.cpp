#include "FakeServerDriver.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

namespace {

class FakeServerResult : public QSqlResult {
public:
    explicit FakeServerResult(const QSqlDriver* driver) : QSqlResult(driver) {}

protected:
    bool reset(const QString& batch) override
    {
        FakeServerDriver::log << QStringLiteral("exec ") + batch;
        results_ = FakeServerDriver::answer ? FakeServerDriver::answer(batch) : QList<FakeServerDriver::Result>{{}};
        current_ = -1;
        return MoveTo(0);
    }

    bool nextResult() override { return MoveTo(current_ + 1); }

    QVariant data(int) override { return at() + 1; }
    bool isNull(int) override { return false; }
    bool fetch(int row) override
    {
        if (row < 0 || row >= Rows())
            return false;
        setAt(row);
        return true;
    }
    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return fetch(Rows() - 1); }
    int size() override { return Rows(); }
    int numRowsAffected() override { return isSelect() ? -1 : 1; }
    QSqlRecord record() const override
    {
        QSqlRecord columns;
        if (isSelect())
            columns.append(QSqlField(QStringLiteral("n"), QMetaType(QMetaType::Int)));
        return columns;
    }

private:
    int Rows() const { return current_ < results_.size() ? std::max(results_[current_].rows, 0) : 0; }

    // The next statement's result, or false at the end or at its failure, which becomes the last error.
    bool MoveTo(int index)
    {
        current_ = index;
        setAt(QSql::BeforeFirstRow);
        if (index >= results_.size()) {
            setSelect(false);
            return false;
        }
        const FakeServerDriver::Result& result = results_[index];
        if (!result.error.isEmpty()) {
            setLastError(QSqlError(QStringLiteral("[FreeTDS][SQL Server]") + result.error, QString(),
                                   QSqlError::StatementError, QStringLiteral("547")));
            setActive(false);
            return false;
        }
        setSelect(result.rows >= 0);
        setActive(true);
        return true;
    }

    QList<FakeServerDriver::Result> results_;
    int current_ = -1;
};

}

void FakeServerDriver::Register()
{
    answer = nullptr;
    log.clear();
    QSqlDatabase::registerSqlDriver(Name, new QSqlDriverCreator<FakeServerDriver>);
}

bool FakeServerDriver::hasFeature(DriverFeature feature) const
{
    return feature == Transactions || feature == MultipleResultSets;
}

bool FakeServerDriver::open(const QString&, const QString&, const QString&, const QString&, int, const QString&)
{
    setOpen(true);
    setOpenError(false);
    return true;
}

void FakeServerDriver::close()
{
    setOpen(false);
}

QSqlResult* FakeServerDriver::createResult() const
{
    return new FakeServerResult(this);
}

bool FakeServerDriver::beginTransaction()
{
    log << QStringLiteral("begin");
    return true;
}

bool FakeServerDriver::commitTransaction()
{
    log << QStringLiteral("commit");
    return true;
}

bool FakeServerDriver::rollbackTransaction()
{
    log << QStringLiteral("rollback");
    return true;
}
