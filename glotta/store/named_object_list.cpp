#include "glotta/store/named_object_list.h"

#include <algorithm>

TNamedObjectList::TNamedObjectList()
{
    SetCaseSensitive(true);
    SetOwnsObjects(true);
    SetDuplicates(TDuplicates::dupIgnore);
    SetSorted(true);
}

int SearchesBeforeIndex(int Count)
{
    return std::max(8, Count / 16);
}

void TNamedObjectList::ReplaceObject(int Index, TObject *Obj)
{
    TObject *Old = Objects(Index);
    PutObject(Index, Obj);
    if (Old != Obj)
        delete Old;
}

// The same order as comparing case-folded texts and then exact code units,
// in one pass. Line IDs and LocStrs are mostly ASCII: pairs of ASCII code
// units are folded here; from the first differing pair that is not ASCII on
// both sides (where folding needs Unicode's tables: the Kelvin sign folds to
// "k") Qt compares the rest. Lookups by halving spend their time here.
int TNamedObjectList::CompareStrings(const QString &S1, const QString &S2) const
{
    const qsizetype N1 = S1.size();
    const qsizetype N2 = S2.size();
    const qsizetype N = std::min(N1, N2);
    const char16_t *A = reinterpret_cast<const char16_t *>(S1.constData());
    const char16_t *B = reinterpret_cast<const char16_t *>(S2.constData());
    int Exact = 0; // first exact difference, the tie-breaker
    for (qsizetype i = 0; i < N; ++i) {
        const char16_t X = A[i];
        const char16_t Y = B[i];
        if (X == Y)
            continue;
        if (X >= 128 || Y >= 128) {
            const QStringView R1 = QStringView(S1).mid(i);
            const QStringView R2 = QStringView(S2).mid(i);
            const int Folded = R1.compare(R2, Qt::CaseInsensitive);
            if (Folded != 0)
                return Folded;
            return Exact != 0 ? Exact : R1.compare(R2, Qt::CaseSensitive);
        }
        const int FX = X >= u'A' && X <= u'Z' ? X + 32 : X;
        const int FY = Y >= u'A' && Y <= u'Z' ? Y + 32 : Y;
        if (FX != FY)
            return FX - FY;
        if (Exact == 0)
            Exact = int(X) - int(Y);
    }
    if (N1 != N2)
        return N1 < N2 ? -1 : 1;
    return Exact;
}
