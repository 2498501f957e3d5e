#include "toolkit/core/string_list.h"

#include "toolkit/core/exception.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

int LocaleCompare(const QString &S1, const QString &S2, bool CaseSensitive)
{
    // Collators are costly to build; one per case mode, for the system locale.
    static thread_local QCollator sensitive = [] {
        QCollator c(QLocale::system());
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    static thread_local QCollator insensitive = [] {
        QCollator c(QLocale::system());
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return (CaseSensitive ? sensitive : insensitive).compare(S1, S2);
}

TStringList::TStringList() = default;

TStringList::~TStringList()
{
    Clear();
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

const QString &TStringList::Strings(int Index) const
{
    CheckIndex(Index);
    return fItems[size_t(Index)].Text;
}

void TStringList::Put(int Index, const QString &S)
{
    if (fSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(Index);
    ++fChangeCount;
    fItems[size_t(Index)].Text = S;
}

TObject *TStringList::Objects(int Index) const
{
    CheckIndex(Index);
    return fItems[size_t(Index)].Object;
}

void TStringList::PutObject(int Index, TObject *Obj)
{
    CheckIndex(Index);
    fItems[size_t(Index)].Object = Obj;
}

void TStringList::InsertItem(int Index, const QString &S, TObject *Obj)
{
    ++fChangeCount;
    fItems.insert(fItems.begin() + Index, TItem{S, Obj});
}

int TStringList::AddObject(const QString &S, TObject *Obj)
{
    if (!fSorted) {
        InsertItem(Count(), S, Obj);
        return Count() - 1;
    }
    int Index;
    if (Find(S, Index)) {
        switch (fDuplicates) {
        case TDuplicates::dupIgnore:
            return Index;
        case TDuplicates::dupError:
            throw EListError(QStringLiteral("String list does not allow duplicates"));
        case TDuplicates::dupAccept:
            break;
        }
    }
    InsertItem(Index, S, Obj);
    return Index;
}

void TStringList::Insert(int Index, const QString &S, TObject *Obj)
{
    if (fSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    InsertItem(Index, S, Obj);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    TObject *Obj = fItems[size_t(Index)].Object;
    ++fChangeCount;
    fItems.erase(fItems.begin() + Index);
    if (fOwnsObjects)
        delete Obj;
}

void TStringList::Clear()
{
    std::vector<TItem> Items;
    ++fChangeCount;
    Items.swap(fItems);
    if (fOwnsObjects)
        for (const TItem &Item : Items)
            delete Item.Object;
}

void TStringList::Exchange(int Index1, int Index2)
{
    if (fSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(Index1);
    CheckIndex(Index2);
    ++fChangeCount;
    std::swap(fItems[size_t(Index1)], fItems[size_t(Index2)]);
}

int TStringList::CompareStrings(const QString &S1, const QString &S2) const
{
    return LocaleCompare(S1, S2, fCaseSensitive);
}

bool TStringList::Find(const QString &S, int &Index) const
{
    if (!fSorted) {
        Index = IndexOf(S);
        if (Index >= 0)
            return true;
        Index = Count();
        return false;
    }
    // Bulk loads mostly append in order: answer a key past the last entry at once.
    int High = Count() - 1;
    if (High < 0 || CompareStrings(fItems[size_t(High)].Text, S) < 0) {
        Index = Count();
        return false;
    }
    int Low = 0;
    bool Found = false;
    while (Low <= High) {
        const int Mid = Low + (High - Low) / 2;
        const int C = CompareStrings(fItems[size_t(Mid)].Text, S);
        if (C < 0) {
            Low = Mid + 1;
        } else {
            High = Mid - 1;
            if (C == 0) {
                Found = true;
                if (fDuplicates != TDuplicates::dupAccept)
                    Low = Mid;
            }
        }
    }
    Index = Low;
    return Found;
}

int TStringList::IndexOf(const QString &S) const
{
    if (fSorted) {
        int Index;
        return Find(S, Index) ? Index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(fItems[size_t(i)].Text, S) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject *Obj) const
{
    for (int i = 0; i < Count(); ++i)
        if (fItems[size_t(i)].Object == Obj)
            return i;
    return -1;
}

QString TStringList::Names(int Index) const
{
    const QString &S = Strings(Index);
    const int P = S.indexOf(fNameValueSeparator);
    return P < 0 ? QString() : S.left(P);
}

QString TStringList::ValueFromIndex(int Index) const
{
    const QString &S = Strings(Index);
    const int P = S.indexOf(fNameValueSeparator);
    return P < 0 ? QString() : S.mid(P + 1);
}

int TStringList::IndexOfName(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString &S = fItems[size_t(i)].Text;
        const int P = S.indexOf(fNameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
            return i;
    }
    return -1;
}

QString TStringList::Values(const QString &Name) const
{
    const int i = IndexOfName(Name);
    return i < 0 ? QString() : ValueFromIndex(i);
}

void TStringList::SetValue(const QString &Name, const QString &Value)
{
    const int i = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    const QString Line = Name + fNameValueSeparator + Value;
    if (i < 0) {
        Add(Line);
    } else if (fSorted) {
        TObject *Obj = fItems[size_t(i)].Object;
        ++fChangeCount;
        fItems.erase(fItems.begin() + i);
        AddObject(Line, Obj);
    } else {
        ++fChangeCount;
        fItems[size_t(i)].Text = Line;
    }
}

void TStringList::SetSorted(bool Value)
{
    if (fSorted == Value)
        return;
    if (Value)
        Sort();
    fSorted = Value;
}

void TStringList::Sort()
{
    // A stable sort keeps equal texts in their order and merges nothing.
    ++fChangeCount;
    std::stable_sort(fItems.begin(), fItems.end(), [this](const TItem &A, const TItem &B) {
        return CompareStrings(A.Text, B.Text) < 0;
    });
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (fCaseSensitive == Value)
        return;
    fCaseSensitive = Value;
    if (fSorted)
        Sort();
}

QString TStringList::Text() const
{
    QString Result;
    for (const TItem &Item : fItems) {
        Result += Item.Text;
        Result += QLatin1String("\r\n");
    }
    return Result;
}

void TStringList::SetText(const QString &Value)
{
    Clear();
    const int N = Value.size();
    int Start = 0;
    for (int i = 0; i < N; ++i) {
        const QChar C = Value[i];
        if (C == QLatin1Char('\r') || C == QLatin1Char('\n')) {
            Add(Value.mid(Start, i - Start));
            if (C == QLatin1Char('\r') && i + 1 < N && Value[i + 1] == QLatin1Char('\n'))
                ++i;
            Start = i + 1;
        }
    }
    if (Start < N)
        Add(Value.mid(Start));
}

QStringList TStringList::ToStringList() const
{
    QStringList Result;
    Result.reserve(Count());
    for (const TItem &Item : fItems)
        Result.append(Item.Text);
    return Result;
}

void TStringList::SetStrings(const QStringList &Values)
{
    Clear();
    for (const QString &S : Values)
        Add(S);
}

void TStringList::AddStrings(const TStringList &Source)
{
    for (int i = 0; i < Source.Count(); ++i)
        // An owning list never takes over objects that another list owns.
        AddObject(Source.Strings(i), fOwnsObjects ? nullptr : Source.Objects(i));
}

void TStringList::Assign(const TStringList &Source)
{
    if (&Source == this)
        return;
    Clear();
    fNameValueSeparator = Source.fNameValueSeparator;
    AddStrings(Source);
}
