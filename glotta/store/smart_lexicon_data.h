#pragma once
// TSmartLexiconData: every smart (named) lexicon of the loaded language by
// lexicon name, plus the global lexicon whose translations apply to equal
// designed texts everywhere. An empty lexicon name, and every operation form
// without one, means the global lexicon.
//
// A smart lexicon is reached only under its exact name (letter case
// included), while NewLexicon and LexiconExists compare names ignoring letter
// case; a name that differs only in case neither creates a second lexicon nor
// reaches the first.
//
// Overloads: ReadItem(LexName, ItemNumber) takes an int; ReadItem(LocStr,
// LangDescent) takes a quint16 lvalue for the descent. Pass item numbers as
// int: a quint16 variable in that place is taken for the descent.

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/named_items.h"
#include "glotta/store/lexicon_shelf.h"

#include <QString>
#include <memory>
#include <vector>

class GLOTTA_STORE_EXPORT TSmartLexiconData : public TObject
{
public:
    TSmartLexiconData(); // Create

    const TNamedItems &GlobalLexicon() const { return fGlobalLexicon; }
    TNamedItems &GlobalLexicon() { return fGlobalLexicon; }

    void AddItem(const QString &LexName, const QString &Designed, const QString &Translated, quint16 LangDescent);
    void AddItem(const QString &Designed, const QString &Translated, quint16 LangDescent);
    void WriteItem(const QString &LexName, const QString &Designed, const QString &Translated, quint16 LangDescent);
    void WriteItem(const QString &Designed, const QString &Translated, quint16 LangDescent);
    void ChangeItem(const QString &LexName, const QString &Designed, const QString &Translated);
    void ChangeItem(const QString &Designed, const QString &Translated);
    void RemoveItem(const QString &LexName, int ItemNumber);
    void RemoveItem(int ItemNumber);
    void RemoveItem(const QString &LexName, const QString &LocStr);
    void RemoveItem(const QString &LocStr);
    QString GetLocStr(const QString &LexName, int ItemNumber) const;
    QString GetLocStr(int ItemNumber) const;
    QString ReadItem(const QString &LexName, int ItemNumber) const;
    QString ReadItem(int ItemNumber) const;
    QString ReadItem(const QString &LexName, const QString &LocStr) const;
    QString ReadItem(const QString &LocStr) const;
    QString ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent) const;
    QString ReadItem(int ItemNumber, quint16 &LangDescent) const;
    QString ReadItem(const QString &LexName, const QString &LocStr, quint16 &LangDescent) const;
    QString ReadItem(const QString &LocStr, quint16 &LangDescent) const;
    int FindTranslate(const QString &LexName, const QString &LocStr, quint16 LangDescent) const;
    int FindTranslate(const QString &LocStr, quint16 LangDescent) const;
    quint16 ItemsCount(const QString &LexName) const;
    quint16 ItemsCount() const;
    int MaxItemNr(const QString &LexName) const;
    int MaxItemNr() const;
    bool IsIncluded(const QString &LexName, int ItemNumber) const;
    bool IsIncluded(int ItemNumber) const;
    bool IsIncluded(const QString &LexName, const QString &LocStr) const;
    bool IsIncluded(const QString &LocStr) const;

    void NewLexicon(const QString &Name);
    bool LexiconExists(const QString &LexName) const;
    quint16 LexiconCount() const { return quint16(fLexicons.Count()); }
    QString LexiconName(int Index) const;
    void ClearGlobals();
    void Clear();
    void NewLanguage();

    // The cache: -2 empty, -1 last lookup failed, else the cached lexicon.
    int OpenedLexiconIndex() const { return fLexicons.OpenedIndex(); }
    QString OpenedLexiconName() const { return fLexicons.OpenedName(); }

private:
    // The global lexicon for an empty name, else the named lexicon.
    const TNamedItems *Resolve(const QString &LexName) const;
    TNamedItems *Resolve(const QString &LexName);

    TNamedItems fGlobalLexicon;
    TLexiconShelf<TNamedItems, true> fLexicons; // exact names reach a smart lexicon
};

inline void TNamedItems::AssignGlobals(const TSmartLexiconData &SourceLexiconData)
{
    AssignItems(SourceLexiconData.GlobalLexicon());
}
