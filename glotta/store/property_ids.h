#pragma once
// Property-type IDs of the four property enumerations, their display names,
// and the builders of item paths of structure lines.

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/property_names.h"

#include <QString>
#include <QStringList>

// 0-31: plain text properties, 32-63: string lists, 64-95: structured
// properties, 96-127: other properties. Ordinals are taken modulo 128.
GLOTTA_STORE_EXPORT quint16 StringPropertyID(int Ordinal);
GLOTTA_STORE_EXPORT quint16 StringsPropertyID(int Ordinal);
GLOTTA_STORE_EXPORT quint16 StructuredPropertyID(int Ordinal);
GLOTTA_STORE_EXPORT quint16 OtherPropertyID(int Ordinal);

// Display name of a property-type ID: PropertyNames for 0-127 (possibly
// empty), SubPropertyNames for 500-521, entry ID - 1000 of LMAdditionNames
// from 1000 on, "Unknown" for unassigned IDs and missing additions.
GLOTTA_STORE_EXPORT QString PropertyTypeName(int ID, const QStringList &LMAdditionNames);

// S made fit to stand as a name token of an item path: "." becomes ":" and
// ",", ";" and double quotes become spaces.
GLOTTA_STORE_EXPORT QString AddrToken(const QString &S);
// Addr + "," + Index
GLOTTA_STORE_EXPORT QString AddIndexToAddr(const QString &Addr, int Index);
// Addr + "," + Token
GLOTTA_STORE_EXPORT QString AddTokenToAddr(const QString &Addr, const QString &Token);
// Addr + "." + ID
GLOTTA_STORE_EXPORT QString AddSubPropertyToAddr(const QString &Addr, int ID);
// Addr + "." + (Ordinal AND 127)
GLOTTA_STORE_EXPORT QString AddSubPropertyToAddr(const QString &Addr, TStringProperties Ordinal);
