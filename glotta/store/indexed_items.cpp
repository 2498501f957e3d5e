#include "glotta/store/indexed_items.h"

#include "glotta/store/descent_codes.h"

namespace {
constexpr int InitialLength = 32;
constexpr int GrowStep = 64;
constexpr int ShrinkAbove = 1024;
// Positions are 16-bit and position 0 is the shared empty entry.
constexpr int MaxPosition = 0xFFFF;
} // namespace

TIndexedItems::TIndexedItems(const QString &Name) : ItemPointer(InitialLength, 0), fListName(Name)
{
    Reset();
}

void TIndexedItems::Reset()
{
    MaxAddress = 0;
    ItemPointer[0] = 0;
    Items.Clear();
    Items.Add(QString());
    Descent.Clear();
    Descent.AddWord(DescentNone);
}

quint16 TIndexedItems::Position(int ItemNr) const
{
    if (ItemNr < 0 || ItemNr > MaxAddress)
        return 0;
    return ItemPointer[size_t(ItemNr)];
}

QString TIndexedItems::Get(quint16 ItemNr) const
{
    return Items.Strings(Position(ItemNr));
}

bool TIndexedItems::IsIncluded(quint16 ItemNr) const
{
    return Position(ItemNr) != 0;
}

bool TIndexedItems::IsGlobal(quint16 ItemNr) const
{
    return ItemNr <= MaxAddress && IsGlobalDescent(GetLangDescent(ItemNr));
}

quint16 TIndexedItems::GetLangDescent(int ItemNr) const
{
    return Descent.GetWord(Position(ItemNr));
}

void TIndexedItems::SetLangDescent(int ItemNr, quint16 NewDescent)
{
    // An absent item points to position 0, which must stay at 255 for every
    // other absent item; only a present item's descent is written.
    const quint16 P = Position(ItemNr);
    if (P != 0)
        Descent.RewriteWord(P, NewDescent);
}

int TIndexedItems::IndexOf(const QString &Text) const
{
    if (Text.isEmpty())
        return -1;
    // The first item number that points to each position; dead positions
    // (removed or replaced texts) have none and are passed over, so that a
    // present item is found even when an earlier dead copy of its text exists.
    std::vector<int> Owner(size_t(Items.Count()), -1);
    for (int Nr = MaxAddress; Nr >= 0; --Nr)
        Owner[ItemPointer[size_t(Nr)]] = Nr;
    for (int P = 1; P < Items.Count(); ++P)
        if (Owner[size_t(P)] >= 0 && Items.CompareStrings(Items.Strings(P), Text) == 0)
            return Owner[size_t(P)];
    return -1;
}

void TIndexedItems::Add(quint16 ItemNr, const QString &Text, quint16 LangDescent)
{
    // All 65535 positions used: reclaim the dead ones. When every position
    // is still in use (65535 present items), the text cannot be stored and
    // the list stays as it is rather than pointing an item at a wrong text.
    if (Items.Count() > MaxPosition && !Compact())
        return;
    if (ItemNr >= ItemPointer.size())
        ItemPointer.resize(size_t(ItemNr) + GrowStep, 0);
    while (MaxAddress < ItemNr) {
        ++MaxAddress;
        ItemPointer[MaxAddress] = 0;
    }
    Items.Add(Text);
    const int P = Items.Count() - 1;
    ItemPointer[ItemNr] = quint16(P);
    Descent.AddWord(LangDescent);
}

bool TIndexedItems::Compact()
{
    TStringList Texts;
    TWordList Descents;
    Texts.Add(QString());
    Descents.AddWord(DescentNone);
    for (int Nr = 0; Nr <= MaxAddress; ++Nr) {
        quint16 &P = ItemPointer[size_t(Nr)];
        if (P == 0)
            continue;
        Texts.Add(Items.Strings(P));
        Descents.AddWord(Descent.GetWord(P));
        P = quint16(Texts.Count() - 1);
    }
    Items.Assign(Texts);
    Descent.Assign(Descents);
    return Items.Count() <= MaxPosition;
}

void TIndexedItems::Write(quint16 ItemNr, const QString &Text, quint16 LangDescent)
{
    const quint16 P = Position(ItemNr);
    if (P == 0) {
        Add(ItemNr, Text, LangDescent);
        return;
    }
    Items.Put(P, Text);
    Descent.RewriteWord(P, LangDescent);
}

void TIndexedItems::Change(quint16 ItemNr, const QString &Text)
{
    const quint16 P = Position(ItemNr);
    if (P != 0)
        Items.Put(P, Text);
}

void TIndexedItems::Remove(quint16 ItemNr)
{
    const quint16 P = Position(ItemNr);
    if (P == 0)
        return; // absent: position 0 must keep its empty text and 255
    Items.Put(P, QString());
    Descent.RewriteWord(P, DescentNone);
    ItemPointer[ItemNr] = 0;
}

void TIndexedItems::Clear()
{
    if (ItemPointer.size() > size_t(ShrinkAbove)) {
        ItemPointer.assign(InitialLength, 0);
        ItemPointer.shrink_to_fit();
    }
    Reset();
}

void TIndexedItems::NewLanguage()
{
    // Position 0 holds 255, which the step leaves alone.
    Descent.InheritAll();
}
