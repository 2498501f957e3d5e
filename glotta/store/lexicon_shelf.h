#pragma once
// TLexiconShelf: the lexicons of one kind in a store (numbered or smart), in
// creation order, found by name ignoring letter case, with a one-entry cache
// of the lexicon looked up last, for runs of reads from one lexicon.
// With ExactName, a lookup reaches a lexicon only by its name as created
// (another letter case finds nothing), while creating still ignores case.
//
// Names compare by the user locale's collation without letter case, which
// also equates texts that case folding keeps apart (composed and decomposed
// accents, ignorable characters) and, in some locales, parts folding
// equates. So a name is found in three steps: names asked for before are
// answered from a hash of the exact texts asked; otherwise the lexicon whose
// case-folded name equals the folded request is confirmed by the collation;
// only when none is confirmed are all names compared. Before all that, a
// small table keyed by where a request's characters live answers a caller
// that passes the same string again (a lexicon asks under the one path it
// keeps): the table holds a copy of each string it answered, so that memory
// cannot be freed and reused for another name while the entry stands. Names never collate
// equal to one another (creating a lexicon whose name does finds the present
// one), so the one confirmed lexicon is the only match.

#include "toolkit/core/string_list.h"

#include <QHash>
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
            fOpenedIndex = IndexOf(LexName);
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
        if (IndexOf(Name) >= 0) {
            Open(Name);
            return;
        }
        fItems.push_back(std::make_unique<T>(Name));
        const int DataIndex = int(fItems.size()) - 1;
        // A name asked for before without success may name this one now.
        ForgetAnswers();
        if (fNames.Add(Name) == DataIndex) {
            AddFolded(Name, DataIndex);
            fOpenedIndex = DataIndex;
            fOpenedName = Name;
        } else {
            RebuildIndex();
            EmptyCache();
        }
    }

    void Delete(const QString &LexName)
    {
        const int Index = IndexOf(LexName);
        if (Index < 0)
            return;
        // The cache must never refer to a lexicon that has moved or gone.
        EmptyCache();
        fItems.erase(fItems.begin() + Index);
        fNames.Delete(Index);
        RebuildIndex();
    }

    bool Exists(const QString &LexName) const { return IndexOf(LexName) >= 0; }
    int Count() const { return int(fItems.size()); }
    // Raises EListError for an index outside the lexicons.
    QString Name(int Index) const { return fNames.Strings(Index); }
    const std::vector<std::unique_ptr<T>> &Items() const { return fItems; }

    void Clear()
    {
        fItems.clear();
        fNames.Clear();
        RebuildIndex();
        EmptyCache();
    }

    // The cache: -2 empty, -1 last lookup failed, else the cached lexicon.
    int OpenedIndex() const { return fOpenedIndex; }
    const QString &OpenedName() const { return fOpenedName; }

private:
    // Requests remembered at most; past this (names made up by the caller
    // rather than lexicon names) the memory starts over.
    static constexpr qsizetype AskedLimit = 4096;
    static constexpr size_t RecentLimit = 4096;

    struct TRecent
    {
        QString Name;
        int Index = -1;
    };

    // The index of the lexicon whose name compares equal to Name (ignoring
    // letter case), or -1: what a scan of the names would answer.
    int IndexOf(const QString &Name) const
    {
        TRecent *Slot = nullptr;
        if (!fRecent.empty()) {
            Slot = &fRecent[RecentSlot(Name)];
            if (Slot->Name.constData() == Name.constData() && Slot->Name.size() == Name.size() && !Name.isNull())
                return Slot->Index;
        }
        const int Found = Resolve(Name);
        if (Slot)
            *Slot = {Name, Found};
        return Found;
    }

    int Resolve(const QString &Name) const
    {
        const auto Known = fAsked.constFind(Name);
        if (Known != fAsked.constEnd())
            return *Known;
        int Found = -1;
        const auto Candidate = fByFolded.constFind(Name.toCaseFolded());
        if (Candidate != fByFolded.constEnd() && fNames.CompareStrings(fNames.Strings(*Candidate), Name) == 0)
            Found = *Candidate;
        else
            Found = fNames.IndexOf(Name);
        if (fAsked.size() >= AskedLimit)
            fAsked.clear();
        fAsked.insert(Name, Found);
        return Found;
    }

    size_t RecentSlot(const QString &Name) const
    {
        const quintptr P = quintptr(Name.constData());
        return size_t((P >> 4) ^ (P >> 14)) & (fRecent.size() - 1);
    }

    // Forgets every answer given; the table grows with the lexicons.
    void ForgetAnswers()
    {
        fAsked.clear();
        size_t Size = 16;
        while (Size < size_t(fNames.Count()) * 2 && Size < RecentLimit)
            Size *= 2;
        fRecent.assign(Size, TRecent());
    }

    void RebuildIndex()
    {
        ForgetAnswers();
        fByFolded.clear();
        for (int i = 0; i < fNames.Count(); ++i)
            AddFolded(fNames.Strings(i), i);
    }

    void AddFolded(const QString &Name, int Index)
    {
        const QString Folded = Name.toCaseFolded();
        if (!fByFolded.contains(Folded))
            fByFolded.insert(Folded, Index);
    }

    void EmptyCache() const
    {
        fOpenedIndex = -2;
        fOpenedName.clear();
    }

    mutable QString fOpenedName;
    mutable int fOpenedIndex = -2;
    std::vector<std::unique_ptr<T>> fItems;
    TStringList fNames; // plain list: insertion order, case-insensitive IndexOf
    // Folded name -> index. Two names may fold alike yet collate apart (the
    // Turkish dotted and dotless i); the earlier one stays here, the later
    // one is found by the scan.
    QHash<QString, int> fByFolded;
    mutable QHash<QString, int> fAsked; // exact request -> IndexOf's answer
    mutable std::vector<TRecent> fRecent; // by the request's character address
};
