#include "glotta/store/smart_lexicon_data.h"

#include "glotta/store/descent_codes.h"

namespace {
// Item numbers of this family are 32-bit; only 0..65535 name entries, so a
// larger number must not wrap onto a small one.
bool IsItemNumber(int ItemNumber)
{
    return ItemNumber >= 0 && ItemNumber <= 0xFFFF;
}

QString ReadNumber(const TNamedItems *L, int ItemNumber)
{
    return L && IsItemNumber(ItemNumber) ? L->Get(quint16(ItemNumber)) : QString();
}

QString ReadNumber(const TNamedItems *L, int ItemNumber, quint16 &LangDescent)
{
    if (!L || !IsItemNumber(ItemNumber)) {
        LangDescent = DescentNone;
        return QString();
    }
    LangDescent = L->GetLangDescent(ItemNumber);
    return L->Get(quint16(ItemNumber));
}

QString ReadLocStr(const TNamedItems *L, const QString &LocStr, quint16 &LangDescent)
{
    if (!L) {
        LangDescent = DescentNone;
        return QString();
    }
    return L->Get(LocStr, LangDescent);
}

QString LocStrOf(const TNamedItems *L, int ItemNumber)
{
    return L && IsItemNumber(ItemNumber) ? L->GetLocStr(quint16(ItemNumber)) : QString();
}

bool IncludesNumber(const TNamedItems *L, int ItemNumber)
{
    return L && IsItemNumber(ItemNumber) && L->IsIncluded(quint16(ItemNumber));
}

void RemoveNumber(TNamedItems *L, int ItemNumber)
{
    if (L && IsItemNumber(ItemNumber))
        L->Remove(quint16(ItemNumber));
}
} // namespace

TSmartLexiconData::TSmartLexiconData() : fGlobalLexicon(QStringLiteral("GlobalLexicon")) {}

const TNamedItems *TSmartLexiconData::Resolve(const QString &LexName) const
{
    return LexName.isEmpty() ? &fGlobalLexicon : fLexicons.Open(LexName);
}

TNamedItems *TSmartLexiconData::Resolve(const QString &LexName)
{
    return LexName.isEmpty() ? &fGlobalLexicon : fLexicons.Open(LexName);
}

// ---- the family with and without a lexicon name -----------------------------

void TSmartLexiconData::AddItem(const QString &LexName, const QString &Designed, const QString &Translated,
                                quint16 LangDescent)
{
    if (TNamedItems *L = Resolve(LexName))
        L->Add(Designed, Translated, LangDescent);
}

void TSmartLexiconData::AddItem(const QString &Designed, const QString &Translated, quint16 LangDescent)
{
    fGlobalLexicon.Add(Designed, Translated, LangDescent);
}

void TSmartLexiconData::WriteItem(const QString &LexName, const QString &Designed, const QString &Translated,
                                  quint16 LangDescent)
{
    if (TNamedItems *L = Resolve(LexName))
        L->Write(Designed, Translated, LangDescent);
}

void TSmartLexiconData::WriteItem(const QString &Designed, const QString &Translated, quint16 LangDescent)
{
    fGlobalLexicon.Write(Designed, Translated, LangDescent);
}

void TSmartLexiconData::ChangeItem(const QString &LexName, const QString &Designed, const QString &Translated)
{
    if (TNamedItems *L = Resolve(LexName))
        L->Change(Designed, Translated);
}

void TSmartLexiconData::ChangeItem(const QString &Designed, const QString &Translated)
{
    fGlobalLexicon.Change(Designed, Translated);
}

void TSmartLexiconData::RemoveItem(const QString &LexName, int ItemNumber)
{
    RemoveNumber(Resolve(LexName), ItemNumber);
}

void TSmartLexiconData::RemoveItem(int ItemNumber)
{
    RemoveNumber(&fGlobalLexicon, ItemNumber);
}

void TSmartLexiconData::RemoveItem(const QString &LexName, const QString &LocStr)
{
    if (TNamedItems *L = Resolve(LexName))
        L->Remove(LocStr);
}

void TSmartLexiconData::RemoveItem(const QString &LocStr)
{
    fGlobalLexicon.Remove(LocStr);
}

QString TSmartLexiconData::GetLocStr(const QString &LexName, int ItemNumber) const
{
    return LocStrOf(Resolve(LexName), ItemNumber);
}

QString TSmartLexiconData::GetLocStr(int ItemNumber) const
{
    return LocStrOf(&fGlobalLexicon, ItemNumber);
}

QString TSmartLexiconData::ReadItem(const QString &LexName, int ItemNumber) const
{
    return ReadNumber(Resolve(LexName), ItemNumber);
}

QString TSmartLexiconData::ReadItem(int ItemNumber) const
{
    return ReadNumber(&fGlobalLexicon, ItemNumber);
}

QString TSmartLexiconData::ReadItem(const QString &LexName, const QString &LocStr) const
{
    const TNamedItems *L = Resolve(LexName);
    return L ? L->Get(LocStr) : QString();
}

QString TSmartLexiconData::ReadItem(const QString &LocStr) const
{
    return fGlobalLexicon.Get(LocStr);
}

QString TSmartLexiconData::ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent) const
{
    return ReadNumber(Resolve(LexName), ItemNumber, LangDescent);
}

QString TSmartLexiconData::ReadItem(int ItemNumber, quint16 &LangDescent) const
{
    return ReadNumber(&fGlobalLexicon, ItemNumber, LangDescent);
}

QString TSmartLexiconData::ReadItem(const QString &LexName, const QString &LocStr, quint16 &LangDescent) const
{
    return ReadLocStr(Resolve(LexName), LocStr, LangDescent);
}

QString TSmartLexiconData::ReadItem(const QString &LocStr, quint16 &LangDescent) const
{
    return ReadLocStr(&fGlobalLexicon, LocStr, LangDescent);
}

int TSmartLexiconData::FindTranslate(const QString &LexName, const QString &LocStr, quint16 LangDescent) const
{
    const TNamedItems *L = Resolve(LexName);
    return L ? L->Find(LocStr, LangDescent) : -1;
}

int TSmartLexiconData::FindTranslate(const QString &LocStr, quint16 LangDescent) const
{
    return fGlobalLexicon.Find(LocStr, LangDescent);
}

quint16 TSmartLexiconData::ItemsCount(const QString &LexName) const
{
    const TNamedItems *L = Resolve(LexName);
    return L ? L->Count() : 0;
}

quint16 TSmartLexiconData::ItemsCount() const
{
    return fGlobalLexicon.Count();
}

int TSmartLexiconData::MaxItemNr(const QString &LexName) const
{
    const TNamedItems *L = Resolve(LexName);
    return L ? L->MaxIndex() : -1;
}

int TSmartLexiconData::MaxItemNr() const
{
    return fGlobalLexicon.MaxIndex();
}

bool TSmartLexiconData::IsIncluded(const QString &LexName, int ItemNumber) const
{
    return IncludesNumber(Resolve(LexName), ItemNumber);
}

bool TSmartLexiconData::IsIncluded(int ItemNumber) const
{
    return IncludesNumber(&fGlobalLexicon, ItemNumber);
}

bool TSmartLexiconData::IsIncluded(const QString &LexName, const QString &LocStr) const
{
    const TNamedItems *L = Resolve(LexName);
    return L && L->IsIncluded(LocStr);
}

bool TSmartLexiconData::IsIncluded(const QString &LocStr) const
{
    return fGlobalLexicon.IsIncluded(LocStr);
}

// ---- lexicons --------------------------------------------------------------

void TSmartLexiconData::NewLexicon(const QString &Name)
{
    fLexicons.New(Name);
}

bool TSmartLexiconData::LexiconExists(const QString &LexName) const
{
    return fLexicons.Exists(LexName);
}

QString TSmartLexiconData::LexiconName(int Index) const
{
    return fLexicons.Name(Index);
}

void TSmartLexiconData::ClearGlobals()
{
    fGlobalLexicon.Clear();
}

void TSmartLexiconData::Clear()
{
    fLexicons.Clear();
    fGlobalLexicon.Clear();
}

void TSmartLexiconData::NewLanguage()
{
    fGlobalLexicon.NewLanguage();
    for (const auto &L : fLexicons.Items())
        L->NewLanguage();
}
