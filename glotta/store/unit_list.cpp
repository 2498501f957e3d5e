#include "glotta/store/unit_list.h"

QString TUnitList::GetNameEx(int Index) const
{
    const QString &S = Strings(Index);
    const qsizetype P = S.indexOf(NameValueSeparator());
    return P < 0 ? S : S.left(P);
}

int TUnitList::IndexOfName(const QString &Name) const
{
    return OtherIndexOfName(Name, -1);
}

int TUnitList::OtherIndexOfName(const QString &Name, int BannedIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if (i != BannedIndex && CompareStrings(GetNameEx(i), Name) == 0)
            return i;
    return -1;
}
