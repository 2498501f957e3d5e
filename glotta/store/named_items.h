#pragma once
// Named (smart) lexicons: items keyed by their designed text in one-line form
// (the LocStr), each with a translation and a descent word. Item numbers are
// entry indexes of the sorted list, valid until the lexicon next changes.
// Lookups by text search by halving until the lexicon has been searched often
// without changing; then a text -> index hash answers (see SearchesBeforeIndex).

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/named_object_list.h"

#include <QHash>
#include <QString>

class TSmartLexiconData;

class GLOTTA_STORE_EXPORT TLangTranslation : public TObject
{
public:
    TLangTranslation(const QString &Translated, quint16 LangDescent)
        : Translation(Translated), Descent(LangDescent)
    {
    }

    QString Translation;
    quint16 Descent;
};

// Entries sorted by LocStr (case-sensitive), each owning a TLangTranslation.
// The index operations report EListError outside 0..Count-1.
class GLOTTA_STORE_EXPORT TNamedItemsList : public TNamedObjectList
{
public:
    // Adds Designed, or overwrites its entry when the entry's translation is
    // not closer (low byte of the descent) than the one given; nothing for an
    // empty Designed.
    void AddLine(const QString &Designed, const QString &Translated, quint16 Descent);
    QString GetTranslation(int ItemNr) const;
    void SetTranslation(int ItemNr, const QString &NewTr);
    quint16 GetDescent(int ItemNr) const;
    void SetDescent(int ItemNr, quint16 NewDescent);
    QString GetBoth(int ItemNr, quint16 &LangDescent) const;
    void InheritAll();

private:
    TLangTranslation *Entry(int ItemNr) const;
};

class GLOTTA_STORE_EXPORT TNamedItems : public TObject
{
public:
    explicit TNamedItems(const QString &Name); // Create

    const QString &ListName() const { return fListName; }
    const TNamedItemsList &Items() const { return fItems; }
    TNamedItemsList &Items() { return fItems; }

    quint16 Count() const { return quint16(fItems.Count()); }
    int MaxIndex() const { return fItems.Count() - 1; }

    QString Get(quint16 ItemNr) const;
    QString Get(const QString &LocStr) const;
    QString Get(const QString &LocStr, quint16 &LangDescent) const;
    QString GetLocStr(quint16 ItemNr) const;
    quint16 GetLangDescent(int ItemNr) const;
    quint16 GetLangDescent(const QString &LocStr) const;
    void SetLangDescent(int ItemNr, quint16 NewDescent);
    bool IsIncluded(quint16 ItemNr) const;
    bool IsIncluded(const QString &LocStr) const;
    bool IsGlobal(quint16 ItemNr) const;
    bool IsGlobal(const QString &LocStr) const;
    // Index of LocStr when its whole descent word is below LangDescent; -1
    // otherwise, for LangDescent 0 and for an empty or absent LocStr.
    int Find(const QString &LocStr, quint16 LangDescent) const;

    void Add(const QString &Designed, const QString &Translated, quint16 LangDescent);
    void Write(quint16 ItemNr, const QString &Text, quint16 LangDescent);
    void Write(const QString &Designed, const QString &Translated, quint16 LangDescent);
    // The editor's working copy of the global lexicon: descent 1 marks a
    // global to save, 2 a new entry that is not saved as a global.
    void SaveChangedGlobalItem(const QString &Designed, const QString &Translated, bool SaveNewGlobals);
    void Change(quint16 ItemNr, const QString &Text);
    void Change(const QString &Designed, const QString &Translated);
    void Remove(quint16 ItemNr);
    void Remove(const QString &LocStr);
    // Replaces the entries with copies of the source's global lexicon
    // (defined with TSmartLexiconData, whose global lexicon it reads).
    void AssignGlobals(const TSmartLexiconData &SourceLexiconData);
    // Replaces the entries with copies of Source's.
    void AssignItems(const TNamedItems &Source);
    void Clear();
    void NewLanguage();

private:
    int IndexOfLocStr(const QString &LocStr) const; // -1 for empty or absent

    TNamedItemsList fItems;
    QString fListName;
    // The hash and the list's change count it describes; it is dropped when
    // the list has changed since (a new text moves the entries after it).
    mutable QHash<QString, int> fIndexOfText;
    mutable quint64 fIndexedChanges = 0;
    mutable bool fIndexValid = false;
    mutable int fSearchesSinceChange = 0;
};
