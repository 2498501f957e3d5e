#include "glotta/store/lexicon_data.h"

#include "glotta/store/descent_codes.h"

namespace {
// Item numbers of the lexicon operations are 32-bit; only 0..65535 name items.
bool IsItemNumber(int ItemNumber)
{
    return ItemNumber >= 0 && ItemNumber <= 0xFFFF;
}
} // namespace

TLexiconData::TLexiconData() = default;

void TLexiconData::NewLexicon(const QString &Name)
{
    fLexicons.New(Name);
}

void TLexiconData::DeleteLexicon(const QString &LexName)
{
    fLexicons.Delete(LexName);
}

void TLexiconData::WriteItem(const QString &LexName, int ItemNumber, const QString &Text, quint16 LangDescent)
{
    if (TIndexedItems *L = fLexicons.Open(LexName); L && IsItemNumber(ItemNumber))
        L->Write(quint16(ItemNumber), Text, LangDescent);
}

void TLexiconData::ChangeItem(const QString &LexName, int ItemNumber, const QString &Text)
{
    if (TIndexedItems *L = fLexicons.Open(LexName); L && IsItemNumber(ItemNumber))
        L->Change(quint16(ItemNumber), Text);
}

void TLexiconData::RemoveItem(const QString &LexName, int ItemNumber)
{
    if (TIndexedItems *L = fLexicons.Open(LexName); L && IsItemNumber(ItemNumber))
        L->Remove(quint16(ItemNumber));
}

QString TLexiconData::ReadItem(const QString &LexName, int ItemNumber) const
{
    if (TIndexedItems *L = fLexicons.Open(LexName); L && IsItemNumber(ItemNumber))
        return L->Get(quint16(ItemNumber));
    return QString();
}

QString TLexiconData::ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent) const
{
    if (TIndexedItems *L = fLexicons.Open(LexName); L && IsItemNumber(ItemNumber)) {
        LangDescent = L->GetLangDescent(ItemNumber);
        return L->Get(quint16(ItemNumber));
    }
    LangDescent = DescentNone;
    return QString();
}

quint16 TLexiconData::ItemsCount(const QString &LexName) const
{
    const TIndexedItems *L = fLexicons.Open(LexName);
    return L ? L->Count() : 0;
}

int TLexiconData::MaxItemNr(const QString &LexName) const
{
    const TIndexedItems *L = fLexicons.Open(LexName);
    return L ? int(L->MaxIndex()) : -1;
}

bool TLexiconData::IsIncluded(const QString &LexName, int ItemNumber) const
{
    const TIndexedItems *L = fLexicons.Open(LexName);
    return L && IsItemNumber(ItemNumber) && L->IsIncluded(quint16(ItemNumber));
}

bool TLexiconData::LexiconExists(const QString &LexName) const
{
    return fLexicons.Exists(LexName);
}

QString TLexiconData::LexiconName(int Index) const
{
    return fLexicons.Name(Index);
}

void TLexiconData::Clear()
{
    fLexicons.Clear();
}

void TLexiconData::NewLanguage()
{
    for (const auto &L : fLexicons.Items())
        L->NewLanguage();
}
