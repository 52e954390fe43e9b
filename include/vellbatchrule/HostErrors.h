#pragma once

#include "ComponentRegistry.h"

#include <QtGlobal>

namespace vellbatchrule {

// The numbers a HostError carries, named once. Hosts and the C entry see
// them (vbr_last_error_number), so a value never changes; errors of the
// database carry the database's own number instead. The registry's two
// numbers belong to the SDK (ComponentRegistry), where hosts test for them.
namespace HostErrors {

// The demo database could not be created, written or put in place.
inline constexpr qint32 DemoDatabaseNotWritten = 1;
// A call that cannot be made so, or here: a session value or a bag key that
// is not there, a host's table that lacks a function, a window that cannot open.
inline constexpr qint32 InvalidCall = 5;
// A number too large for a whole number of 32 bits.
inline constexpr qint32 Overflow = 6;
// A result too large to be held in memory.
inline constexpr qint32 OutOfMemory = 7;
// A position outside a list, a grid or the print lines.
inline constexpr qint32 SubscriptOutOfRange = 9;
// A text that is no number, as a component without the interface asked for is.
inline constexpr qint32 TypeMismatch = ComponentRegistry::ErrorWrongInterface;
// A help page that is not there.
inline constexpr qint32 FileNotFound = 53;
// A printout's file or printer that cannot be written.
inline constexpr qint32 FileAccessError = 75;
// An object needed first is not there yet: the host connection, the
// session, the ledger to print, the entry object.
inline constexpr qint32 ObjectNotSet = 91;
// A batch the SQLite bridge cannot read: an unterminated quote or comment.
inline constexpr qint32 IncorrectSyntax = 102;
// A construct of the batch the SQLite bridge does not translate.
inline constexpr qint32 IncorrectSyntaxNearKeyword = 156;
// A host component that failed inside (the access service, say).
inline constexpr qint32 AutomationError = 440;
// A key given twice in the session's property string.
inline constexpr qint32 KeyAlreadyAssociated = 457;
// A request the rule tools refuse: a rule the checks reject, a target
// outside the user's grants, a value out of its range; the text says which.
inline constexpr qint32 Refused = 1000;
// A record set before its first or after its last row.
inline constexpr qint32 NoCurrentRecord = 3021;
// A record set has no field of that name or position.
inline constexpr qint32 ItemNotFound = 3265;
// A tree node or a command bar's tool, band or menu that is not there.
inline constexpr qint32 ElementNotFound = 35601;
// The database refused a batch, as the host's SQL Server connection reports it.
inline constexpr qint32 ErrorsInCommand = -2147217900;
// The host connection itself failed (E_FAIL): a file, a connection or a unit of work.
inline constexpr qint32 ProviderError = -2147467259;
// A commit or rollback without an open unit of work (XACT_E_NOTRANSACTION).
inline constexpr qint32 NoUnitOfWork = -2147168242;

}

}
