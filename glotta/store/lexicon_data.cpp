#include "lexicon_data.h"

#include "descent_codes.h"

namespace {
// Item numbers of the lexicon operations are 32-bit; only 0..65535 name items.
bool IsItemNumber(int ItemNumber)
{
    return ItemNumber >= 0 && ItemNumber <= 0xFFFF;
}
} // namespace

TLexiconData::TLexiconData() = default;

void TLexiconData::EmptyCache() const
{
    fOpenedLexiconIndex = -2;
    fOpenedLexiconName.clear();
}

TIndexedItems *TLexiconData::OpenLexicon(const QString &LexName) const
{
    if (LexName.isEmpty())
        return nullptr;
    if (LexName != fOpenedLexiconName) {
        fOpenedLexiconIndex = LexiconsNames.IndexOf(LexName);
        if (fOpenedLexiconIndex >= 0)
            fOpenedLexiconName = LexName;
        else
            fOpenedLexiconName.clear();
    }
    return fOpenedLexiconIndex >= 0 ? LexiconsDatas[size_t(fOpenedLexiconIndex)].get() : nullptr;
}

void TLexiconData::NewLexicon(const QString &Name)
{
    if (LexiconsNames.IndexOf(Name) >= 0) {
        OpenLexicon(Name);
        return;
    }
    LexiconsDatas.push_back(std::make_unique<TIndexedItems>(Name));
    const int DataIndex = int(LexiconsDatas.size()) - 1;
    const int NameIndex = LexiconsNames.Add(Name);
    if (DataIndex == NameIndex) {
        fOpenedLexiconIndex = DataIndex;
        fOpenedLexiconName = Name;
    } else {
        EmptyCache();
    }
}

void TLexiconData::DeleteLexicon(const QString &LexName)
{
    const int Index = LexiconsNames.IndexOf(LexName);
    if (Index < 0)
        return;
    // The cache must never refer to a lexicon that has moved or gone.
    EmptyCache();
    LexiconsDatas.erase(LexiconsDatas.begin() + Index);
    LexiconsNames.Delete(Index);
}

void TLexiconData::WriteItem(const QString &LexName, int ItemNumber, const QString &Text, quint16 LangDescent)
{
    if (TIndexedItems *L = OpenLexicon(LexName); L && IsItemNumber(ItemNumber))
        L->Write(quint16(ItemNumber), Text, LangDescent);
}

void TLexiconData::ChangeItem(const QString &LexName, int ItemNumber, const QString &Text)
{
    if (TIndexedItems *L = OpenLexicon(LexName); L && IsItemNumber(ItemNumber))
        L->Change(quint16(ItemNumber), Text);
}

void TLexiconData::RemoveItem(const QString &LexName, int ItemNumber)
{
    if (TIndexedItems *L = OpenLexicon(LexName); L && IsItemNumber(ItemNumber))
        L->Remove(quint16(ItemNumber));
}

QString TLexiconData::ReadItem(const QString &LexName, int ItemNumber) const
{
    if (TIndexedItems *L = OpenLexicon(LexName); L && IsItemNumber(ItemNumber))
        return L->Get(quint16(ItemNumber));
    return QString();
}

QString TLexiconData::ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent) const
{
    if (TIndexedItems *L = OpenLexicon(LexName); L && IsItemNumber(ItemNumber)) {
        LangDescent = L->GetLangDescent(ItemNumber);
        return L->Get(quint16(ItemNumber));
    }
    LangDescent = DescentNone;
    return QString();
}

quint16 TLexiconData::ItemsCount(const QString &LexName) const
{
    const TIndexedItems *L = OpenLexicon(LexName);
    return L ? L->Count() : 0;
}

int TLexiconData::MaxItemNr(const QString &LexName) const
{
    const TIndexedItems *L = OpenLexicon(LexName);
    return L ? int(L->MaxIndex()) : -1;
}

bool TLexiconData::IsIncluded(const QString &LexName, int ItemNumber) const
{
    const TIndexedItems *L = OpenLexicon(LexName);
    return L && IsItemNumber(ItemNumber) && L->IsIncluded(quint16(ItemNumber));
}

bool TLexiconData::LexiconExists(const QString &LexName) const
{
    return LexiconsNames.IndexOf(LexName) >= 0;
}

QString TLexiconData::LexiconName(int Index) const
{
    return LexiconsNames.Strings(Index);
}

void TLexiconData::Clear()
{
    LexiconsDatas.clear();
    LexiconsNames.Clear();
    EmptyCache();
}

void TLexiconData::NewLanguage()
{
    for (const auto &L : LexiconsDatas)
        L->NewLanguage();
}
