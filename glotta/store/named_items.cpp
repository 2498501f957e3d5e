#include "glotta/store/named_items.h"

#include "glotta/store/descent_codes.h"

// ---- TNamedItemsList ------------------------------------------------------

TLangTranslation *TNamedItemsList::Entry(int ItemNr) const
{
    return static_cast<TLangTranslation *>(Objects(ItemNr));
}

void TNamedItemsList::AddLine(const QString &Designed, const QString &Translated, quint16 Descent)
{
    if (Designed.isEmpty())
        return;
    const int Index = AddObject(Designed, nullptr);
    TLangTranslation *T = Entry(Index);
    if (!T) {
        ReplaceObject(Index, new TLangTranslation(Translated, Descent));
        return;
    }
    // Keep the closer translation; of two equally close ones the later.
    // Only the low byte counts, so a global mark neither helps nor hinders.
    if ((T->Descent & 0xFF) >= (Descent & 0xFF)) {
        T->Translation = Translated;
        T->Descent = Descent;
    }
}

QString TNamedItemsList::GetTranslation(int ItemNr) const
{
    return Entry(ItemNr)->Translation;
}

void TNamedItemsList::SetTranslation(int ItemNr, const QString &NewTr)
{
    Entry(ItemNr)->Translation = NewTr;
}

quint16 TNamedItemsList::GetDescent(int ItemNr) const
{
    return Entry(ItemNr)->Descent;
}

void TNamedItemsList::SetDescent(int ItemNr, quint16 NewDescent)
{
    Entry(ItemNr)->Descent = NewDescent;
}

QString TNamedItemsList::GetBoth(int ItemNr, quint16 &LangDescent) const
{
    const TLangTranslation *T = Entry(ItemNr);
    LangDescent = T->Descent;
    return T->Translation;
}

void TNamedItemsList::InheritAll()
{
    for (int i = 0; i < Count(); ++i) {
        TLangTranslation *T = Entry(i);
        T->Descent = DescentStep(T->Descent);
    }
}

// ---- TNamedItems ----------------------------------------------------------

TNamedItems::TNamedItems(const QString &Name) : fListName(Name) {}

int TNamedItems::IndexOfLocStr(const QString &LocStr) const
{
    if (LocStr.isEmpty())
        return -1;
    if (fIndexedChanges != fItems.ChangeCount()) {
        fIndexedChanges = fItems.ChangeCount();
        fIndexValid = false;
        fIndexOfText.clear();
        fSearchesSinceChange = 0;
    }
    if (!fIndexValid && ++fSearchesSinceChange >= SearchesBeforeIndex(fItems.Count())) {
        // Texts are equal here only when identical, as the hash compares them.
        fIndexOfText.reserve(fItems.Count());
        for (int i = 0; i < fItems.Count(); ++i)
            fIndexOfText.insert(fItems.Strings(i), i);
        fIndexValid = true;
    }
    if (fIndexValid)
        return fIndexOfText.value(LocStr, -1);
    int Index;
    return fItems.Find(LocStr, Index) ? Index : -1;
}

QString TNamedItems::Get(quint16 ItemNr) const
{
    return ItemNr < fItems.Count() ? fItems.GetTranslation(ItemNr) : QString();
}

QString TNamedItems::Get(const QString &LocStr) const
{
    const int i = IndexOfLocStr(LocStr);
    return i >= 0 ? fItems.GetTranslation(i) : QString();
}

QString TNamedItems::Get(const QString &LocStr, quint16 &LangDescent) const
{
    const int i = IndexOfLocStr(LocStr);
    if (i < 0) {
        LangDescent = DescentNone;
        return QString();
    }
    return fItems.GetBoth(i, LangDescent);
}

QString TNamedItems::GetLocStr(quint16 ItemNr) const
{
    return ItemNr < fItems.Count() ? fItems.Strings(ItemNr) : QString();
}

// Negative numbers name no entry either.
quint16 TNamedItems::GetLangDescent(int ItemNr) const
{
    return ItemNr >= 0 && ItemNr < fItems.Count() ? fItems.GetDescent(ItemNr) : DescentNone;
}

quint16 TNamedItems::GetLangDescent(const QString &LocStr) const
{
    const int i = IndexOfLocStr(LocStr);
    return i >= 0 ? fItems.GetDescent(i) : DescentNone;
}

void TNamedItems::SetLangDescent(int ItemNr, quint16 NewDescent)
{
    if (ItemNr >= 0 && ItemNr < fItems.Count())
        fItems.SetDescent(ItemNr, NewDescent);
}

bool TNamedItems::IsIncluded(quint16 ItemNr) const
{
    return ItemNr < fItems.Count();
}

bool TNamedItems::IsIncluded(const QString &LocStr) const
{
    return IndexOfLocStr(LocStr) >= 0;
}

bool TNamedItems::IsGlobal(quint16 ItemNr) const
{
    return IsGlobalDescent(GetLangDescent(int(ItemNr)));
}

bool TNamedItems::IsGlobal(const QString &LocStr) const
{
    return IsGlobalDescent(GetLangDescent(LocStr));
}

int TNamedItems::Find(const QString &LocStr, quint16 LangDescent) const
{
    if (LangDescent == 0)
        return -1;
    const int i = IndexOfLocStr(LocStr);
    if (i < 0)
        return -1;
    return fItems.GetDescent(i) < LangDescent ? i : -1;
}

void TNamedItems::Add(const QString &Designed, const QString &Translated, quint16 LangDescent)
{
    fItems.AddLine(Designed, Translated, LangDescent);
}

void TNamedItems::Write(quint16 ItemNr, const QString &Text, quint16 LangDescent)
{
    if (ItemNr >= fItems.Count())
        return;
    fItems.SetTranslation(ItemNr, Text);
    fItems.SetDescent(ItemNr, LangDescent);
}

void TNamedItems::Write(const QString &Designed, const QString &Translated, quint16 LangDescent)
{
    if (Designed.isEmpty())
        return;
    const int i = IndexOfLocStr(Designed);
    if (i < 0) {
        Add(Designed, Translated, LangDescent);
        return;
    }
    fItems.SetTranslation(i, Translated);
    fItems.SetDescent(i, LangDescent);
}

void TNamedItems::SaveChangedGlobalItem(const QString &Designed, const QString &Translated,
                                        bool SaveNewGlobals)
{
    if (Designed.isEmpty())
        return;
    const int i = IndexOfLocStr(Designed);
    if (SaveNewGlobals) {
        if (i >= 0) {
            fItems.SetTranslation(i, Translated);
            fItems.SetDescent(i, 1);
        } else {
            Add(Designed, Translated, 1);
        }
    } else {
        if (i >= 0)
            fItems.SetTranslation(i, Translated);
        else
            Add(Designed, Translated, 2);
    }
}

void TNamedItems::Change(quint16 ItemNr, const QString &Text)
{
    if (ItemNr < fItems.Count())
        fItems.SetTranslation(ItemNr, Text);
}

void TNamedItems::Change(const QString &Designed, const QString &Translated)
{
    const int i = IndexOfLocStr(Designed);
    if (i >= 0)
        fItems.SetTranslation(i, Translated);
}

void TNamedItems::Remove(quint16 ItemNr)
{
    if (ItemNr < fItems.Count())
        fItems.Delete(ItemNr);
}

void TNamedItems::Remove(const QString &LocStr)
{
    const int i = IndexOfLocStr(LocStr);
    if (i >= 0)
        fItems.Delete(i);
}

void TNamedItems::AssignItems(const TNamedItems &Source)
{
    if (&Source == this)
        return; // emptying first would lose the very entries to copy
    fItems.Clear();
    const TNamedItemsList &From = Source.Items();
    for (int i = 0; i < From.Count(); ++i) {
        quint16 Descent;
        const QString Translation = From.GetBoth(i, Descent);
        fItems.AddLine(From.Strings(i), Translation, Descent);
    }
}

void TNamedItems::Clear()
{
    fItems.Clear();
}

void TNamedItems::NewLanguage()
{
    fItems.InheritAll();
}
