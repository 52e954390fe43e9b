#pragma once

#include <QList>
#include <QString>

namespace vellbatchrule {

// What an element's property ID makes of it: which cells it uses and how
// they are checked. Everything that decides by kind asks KindOf.
enum class PropertyKind { BaseData, DocumentNumber, Date, Custom, LineNumber, Serial };

PropertyKind KindOf(qint32 propertyId);

namespace PropertyIds {
inline constexpr qint32 MaterialCode = 4;     // the one base-data code the host's material table holds
inline constexpr qint32 ProjectNumber = 22;   // stored rules may hold it; the editor never offers it
inline constexpr qint32 LineNumber = 25;
inline constexpr qint32 Serial = 26;
}

// Fills the thread's property catalogue: for each of the 13 properties, in
// their fixed order, "<id>ID" → id and "<id>Name" → the translated name.
// The catalogue's own, though the module's load calls it among GLB's steps.
void LoadingPropertyList();

// The catalogue name of a property ID; empty for an ID outside it.
QString PropertyName(qint32 propertyId);
// True for the 13 IDs of the catalogue.
bool IsCatalogued(qint32 propertyId);
// The IDs of the thread's catalogue in their fixed order; none before it is filled.
QList<qint32> CataloguedIds();
// The property a user names by its ID or by its name in any of the
// languages, whatever the letter case; 0 when the catalogue has none such.
qint32 PropertyIdOf(const QString& idOrName);

}
