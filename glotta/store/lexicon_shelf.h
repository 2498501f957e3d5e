#pragma once
// TLexiconShelf: the lexicons of one kind in a store (numbered or smart), in
// creation order, found by name ignoring letter case, with a one-entry cache
// of the lexicon looked up last, for runs of reads from one lexicon.
// With ExactName, a lookup reaches a lexicon only by its name as created
// (another letter case finds nothing), while creating still ignores case.

#include "toolkit/core/string_list.h"

#include <QString>
#include <memory>
#include <vector>

template<typename T, bool ExactName>
class TLexiconShelf
{
public:
    // The lexicon LexName resolves to, or nullptr. The cache is no state a
    // caller can see, so lookups through it are const.
    T *Open(const QString &LexName) const
    {
        if (LexName.isEmpty())
            return nullptr;
        if (LexName != fOpenedName) {
            fOpenedIndex = fNames.IndexOf(LexName);
            if (fOpenedIndex < 0)
                fOpenedName.clear();
            else if (ExactName && fItems[size_t(fOpenedIndex)]->ListName() != LexName)
                EmptyCache();
            else
                fOpenedName = LexName;
        }
        return fOpenedIndex >= 0 ? fItems[size_t(fOpenedIndex)].get() : nullptr;
    }

    // Creates the lexicon Name unless one of that name exists (which is then opened).
    void New(const QString &Name)
    {
        if (fNames.IndexOf(Name) >= 0) {
            Open(Name);
            return;
        }
        fItems.push_back(std::make_unique<T>(Name));
        const int DataIndex = int(fItems.size()) - 1;
        if (fNames.Add(Name) == DataIndex) {
            fOpenedIndex = DataIndex;
            fOpenedName = Name;
        } else {
            EmptyCache();
        }
    }

    void Delete(const QString &LexName)
    {
        const int Index = fNames.IndexOf(LexName);
        if (Index < 0)
            return;
        // The cache must never refer to a lexicon that has moved or gone.
        EmptyCache();
        fItems.erase(fItems.begin() + Index);
        fNames.Delete(Index);
    }

    bool Exists(const QString &LexName) const { return fNames.IndexOf(LexName) >= 0; }
    int Count() const { return int(fItems.size()); }
    // Raises EListError for an index outside the lexicons.
    QString Name(int Index) const { return fNames.Strings(Index); }
    const std::vector<std::unique_ptr<T>> &Items() const { return fItems; }

    void Clear()
    {
        fItems.clear();
        fNames.Clear();
        EmptyCache();
    }

    // The cache: -2 empty, -1 last lookup failed, else the cached lexicon.
    int OpenedIndex() const { return fOpenedIndex; }
    const QString &OpenedName() const { return fOpenedName; }

private:
    void EmptyCache() const
    {
        fOpenedIndex = -2;
        fOpenedName.clear();
    }

    mutable QString fOpenedName;
    mutable int fOpenedIndex = -2;
    std::vector<std::unique_ptr<T>> fItems;
    TStringList fNames; // plain list: insertion order, case-insensitive IndexOf
};
