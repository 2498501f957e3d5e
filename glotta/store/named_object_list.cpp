#include "named_object_list.h"

TNamedObjectList::TNamedObjectList()
{
    SetCaseSensitive(true);
    SetOwnsObjects(true);
    SetDuplicates(TDuplicates::dupIgnore);
    SetSorted(true);
}

void TNamedObjectList::ReplaceObject(int Index, TObject *Obj)
{
    TObject *Old = Objects(Index);
    PutObject(Index, Obj);
    if (Old != Obj)
        delete Old;
}

int TNamedObjectList::CompareStrings(const QString &S1, const QString &S2) const
{
    const int Folded = QString::compare(S1, S2, Qt::CaseInsensitive);
    return Folded != 0 ? Folded : QString::compare(S1, S2, Qt::CaseSensitive);
}
