#pragma once
// TLexiconData: every numbered lexicon of the loaded language (and of its
// superior languages), found by lexicon name ("Form1.Lexicon1") ignoring
// letter case, with a one-entry cache for runs of reads from one lexicon.

#include "indexed_items.h"
#include "string_list.h"

#include <QString>
#include <memory>
#include <vector>

class TLexiconData : public TObject
{
public:
    TLexiconData(); // Create

    void NewLexicon(const QString &Name);
    void DeleteLexicon(const QString &LexName);
    void WriteItem(const QString &LexName, int ItemNumber, const QString &Text, quint16 LangDescent);
    void ChangeItem(const QString &LexName, int ItemNumber, const QString &Text);
    void RemoveItem(const QString &LexName, int ItemNumber);
    QString ReadItem(const QString &LexName, int ItemNumber);
    QString ReadItem(const QString &LexName, int ItemNumber, quint16 &LangDescent);
    quint16 ItemsCount(const QString &LexName);
    int MaxItemNr(const QString &LexName);
    bool IsIncluded(const QString &LexName, int ItemNumber);
    bool LexiconExists(const QString &LexName) const;
    quint16 LexiconCount() const { return quint16(LexiconsDatas.size()); }
    QString LexiconName(int Index) const;
    void Clear();
    void NewLanguage();

    // The cache, for callers that want to see it: -2 empty, -1 last lookup failed.
    int OpenedLexiconIndex() const { return fOpenedLexiconIndex; }
    const QString &OpenedLexiconName() const { return fOpenedLexiconName; }

private:
    // The lexicon LexName resolves to, or nullptr.
    TIndexedItems *OpenLexicon(const QString &LexName);
    void EmptyCache();

    QString fOpenedLexiconName;
    int fOpenedLexiconIndex = -2;
    std::vector<std::unique_ptr<TIndexedItems>> LexiconsDatas;
    TStringList LexiconsNames; // plain list: insertion order, case-insensitive IndexOf
};
