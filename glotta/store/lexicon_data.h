#pragma once
// TLexiconData: every numbered lexicon of the loaded language (and of its
// superior languages), found by lexicon name ("Form1.Lexicon1") ignoring
// letter case, with a one-entry cache for runs of reads from one lexicon.

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/indexed_items.h"
#include "glotta/store/lexicon_shelf.h"

#include <QString>
#include <memory>
#include <vector>

class GLOTTA_STORE_EXPORT TLexiconData : public TObject
{
public:
    TLexiconData(); // Create

    void NewLexicon(const QString &Name);
    void DeleteLexicon(const QString &LexName);
    void WriteItem(const QString &LexName, int ItemNumber, const QString &Text, quint16 LangDescent);
    void ChangeItem(const QString &LexName, int ItemNumber, const QString &Text);
    void RemoveItem(const QString &LexName, int ItemNumber);
    QString ReadItem(const QString &LexName, int ItemNumber) const;
    QString ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent) const;
    quint16 ItemsCount(const QString &LexName) const;
    int MaxItemNr(const QString &LexName) const;
    bool IsIncluded(const QString &LexName, int ItemNumber) const;
    bool LexiconExists(const QString &LexName) const;
    quint16 LexiconCount() const { return quint16(fLexicons.Count()); }
    QString LexiconName(int Index) const;
    void Clear();
    void NewLanguage();

    // The cache, for callers that want to see it: -2 empty, -1 last lookup failed.
    int OpenedLexiconIndex() const { return fLexicons.OpenedIndex(); }
    QString OpenedLexiconName() const { return fLexicons.OpenedName(); }

private:
    TLexiconShelf<TIndexedItems, false> fLexicons;
};
