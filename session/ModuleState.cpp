#include "ModuleState.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

namespace {
const QString kSource = QStringLiteral("VellBatchRule.Session");
}

void SessionTable::Add(const QString& key, const QString& value)
{
    const QString folded = key.toCaseFolded();
    if (values_.contains(folded))
        throw HostError(
            HostErrors::KeyAlreadyAssociated,
            QStringLiteral("This key is already associated with an element of this collection: '%1'").arg(key),
            kSource);
    values_.insert(folded, value);
}

QString SessionTable::Value(const QString& key) const
{
    const auto found = values_.constFind(key.toCaseFolded());
    if (found == values_.constEnd())
        throw HostError(HostErrors::InvalidCall, QStringLiteral("The session has no value '%1'").arg(key), kSource);
    return *found;
}

bool SessionTable::Contains(const QString& key) const
{
    return values_.contains(key.toCaseFolded());
}

ModuleState& CurrentModuleState()
{
    thread_local ModuleState state;
    return state;
}

AppConnection& CurrentHostConnection()
{
    AppConnection* connection = CurrentModuleState().hostConnection.get();
    if (!connection)
        throw HostError(HostErrors::ObjectNotSet, QStringLiteral("This thread has no host connection"), kSource);
    return *connection;
}

}
