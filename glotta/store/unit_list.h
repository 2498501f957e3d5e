#pragma once
// The units into which the registered resource strings are grouped for the
// editor: line i is the unit with UnitId i (line 0: strings of no unit).
// Stored with the translator as "Units".

#include "glotta/store/glotta_store_export.h"
#include "toolkit/core/string_list.h"

class GLOTTA_STORE_EXPORT TUnitList : public TStringList
{
public:
    // The text before the first name-value separator, or the whole line.
    QString GetNameEx(int Index) const;
    // First line whose GetNameEx matches Name (case-insensitive, locale collation).
    int IndexOfName(const QString &Name) const override;
    // The same, skipping the line BannedIndex.
    int OtherIndexOfName(const QString &Name, int BannedIndex) const;
};
