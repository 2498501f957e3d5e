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
// only when none is confirmed are all names compared. Names never collate
// equal to one another (creating a lexicon whose name does finds the present
// one), so the one confirmed lexicon is the only match.
//
// Before all that, a table keyed by where a request's characters live
// answers a caller that passes the same string again (a lexicon asks under
// the one path it keeps), without reading the characters at all: programs
// that alternate between many lexicons miss the one-entry cache on every
// read, so this is the path that must stay cheap. The table holds a copy of
// each string it answered, so that memory cannot be freed and reused for
// another name while the entry stands.
//
// Creating a lexicon appends it, so an answer that found a lexicon stays
// true (a request finds the first name it collates equal to) and only a
// failed answer may now be wrong: answers carry the count of lexicons
// created, and a failed one holds only while that count stands. Deleting or
// clearing moves lexicons, which forgets every answer.

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
        if (fOpened && SameStorage(LexName, fOpened->Name))
            return fOpened->Item;
        const TRecent *Known = Remembered(LexName);
        if (!Known) {
            if (fOpened && LexName == fOpened->Name)
                return fOpened->Item;
            Known = Remember(LexName, Resolve(LexName));
        }
        if (Known->Index < 0) {
            fOpened = nullptr;
            fOpenedIndex = -1;
        } else if (!Known->Reaches)
            EmptyCache();
        else {
            fOpened = Known;
            fOpenedIndex = Known->Index;
            return Known->Item;
        }
        return nullptr;
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
        ++fCreated;
        if (fNames.Add(Name) == DataIndex) {
            AddFolded(Name, DataIndex);
            GrowRecent();
            fOpenedIndex = DataIndex;
            fOpened = Name.isNull() ? nullptr : Remember(Name, DataIndex);
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
    }

    // The cache: -2 empty, -1 last lookup failed, else the cached lexicon.
    int OpenedIndex() const { return fOpenedIndex; }
    QString OpenedName() const { return fOpened ? fOpened->Name : QString(); }

private:
    // Texts remembered at most in the hash of exact requests; past this
    // (names made up by the caller rather than lexicon names) it starts over.
    static constexpr qsizetype AskedLimit = 4096;
    // The address table has at least this many slots per lexicon, and starts
    // over once three quarters of its slots are taken (by strings made up
    // for one request each, or by more strings per lexicon than that).
    static constexpr size_t RecentSlotsPerLexicon = 2;
    static constexpr size_t RecentMinSlots = 16;

    // IndexOf's answer and the creation count it was given at.
    struct TAnswer
    {
        int Index = -1;
        quint32 Stamp = 0;
    };

    struct TRecent
    {
        QString Name; // null: a free slot
        // The lexicon at Index: lexicons stay where they are until a Delete
        // or Clear, which forgets the table.
        T *Item = nullptr;
        int Index = -1;
        quint32 Stamp : 31 = 0;
        // Open may answer the lexicon (with ExactName: the same letter case).
        quint32 Reaches : 1 = 0;
    };
    static constexpr quint32 StampMask = 0x7FFFFFFF;

    static bool SameStorage(const QString &A, const QString &B)
    {
        return A.constData() == B.constData() && A.size() == B.size() && !A.isNull();
    }

    bool Current(int Index, quint32 Stamp) const { return Index >= 0 || Stamp == (fCreated & StampMask); }

    // The index of the lexicon whose name compares equal to Name (ignoring
    // letter case), or -1: what a scan of the names would answer.
    int IndexOf(const QString &Name) const
    {
        if (Name.isNull())
            return Resolve(Name);
        if (const TRecent *Known = Remembered(Name))
            return Known->Index;
        return Remember(Name, Resolve(Name))->Index;
    }

    int Resolve(const QString &Name) const
    {
        const auto Known = fAsked.constFind(Name);
        if (Known != fAsked.constEnd() && Current(Known->Index, Known->Stamp))
            return Known->Index;
        int Found = -1;
        const auto Candidate = fByFolded.constFind(Name.toCaseFolded());
        if (Candidate != fByFolded.constEnd() && fNames.CompareStrings(fNames.Strings(*Candidate), Name) == 0)
            Found = *Candidate;
        else
            Found = fNames.IndexOf(Name);
        if (fAsked.size() >= AskedLimit)
            fAsked.clear();
        fAsked.insert(Name, TAnswer{Found, fCreated & StampMask});
        return Found;
    }

    size_t RecentSlot(const QString &Name) const
    {
        // Heap blocks are aligned, so the low bits say little; the multiply
        // spreads the rest over the slot numbers.
        const quint64 P = quint64(quintptr(Name.constData())) >> 3;
        return size_t((P * 0x9E3779B97F4A7C15ull) >> 32) & (fRecent.size() - 1);
    }

    // The current answer kept for Name's storage, or nullptr.
    const TRecent *Remembered(const QString &Name) const
    {
        for (size_t i = RecentSlot(Name);; i = (i + 1) & (fRecent.size() - 1)) {
            const TRecent &R = fRecent[i];
            if (R.Name.isNull())
                return nullptr;
            if (SameStorage(Name, R.Name))
                return Current(R.Index, R.Stamp) ? &R : nullptr;
        }
    }

    // Keeps Found as the answer for Name's storage (replacing a stale
    // one). Name is not null: null strings share no storage of their own.
    const TRecent *Remember(const QString &Name, int Found) const
    {
        const bool Reaches = Found >= 0 && (!ExactName || fItems[size_t(Found)]->ListName() == Name);
        size_t i = RecentSlot(Name);
        while (!fRecent[i].Name.isNull() && !SameStorage(Name, fRecent[i].Name))
            i = (i + 1) & (fRecent.size() - 1);
        if (fRecent[i].Name.isNull()) {
            if (fRecentUsed >= fRecent.size() / 2 + fRecent.size() / 4) {
                StartRecentOver(fRecent.size(), true);
                return Remember(Name, Found);
            }
            ++fRecentUsed;
        }
        fRecent[i] = {Name, Found >= 0 ? fItems[size_t(Found)].get() : nullptr, Found, fCreated & StampMask, Reaches};
        return &fRecent[i];
    }

    // KeepOpened: the answers still hold, and the cached lexicon stays cached.
    void StartRecentOver(size_t Size, bool KeepOpened) const
    {
        const QString Opened = KeepOpened && fOpened ? fOpened->Name : QString();
        fOpened = nullptr;
        fRecent.assign(Size, TRecent());
        fRecentUsed = 0;
        if (!Opened.isNull())
            fOpened = Remember(Opened, fOpenedIndex);
    }

    // Slots for the present lexicons: each can be asked for under a string
    // of its own without the table starting over.
    size_t RecentSize() const
    {
        size_t Size = RecentMinSlots;
        while (Size < size_t(fNames.Count()) * RecentSlotsPerLexicon)
            Size *= 2;
        return Size;
    }

    void GrowRecent()
    {
        if (RecentSize() > fRecent.size())
            StartRecentOver(RecentSize(), true);
    }

    // Every answer given so far is stale: the lexicons have moved.
    void ForgetAnswers()
    {
        EmptyCache();
        fAsked.clear();
        StartRecentOver(RecentSize(), false);
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
        fOpened = nullptr;
    }

    // The one-entry cache: the table entry of the lexicon looked up last (its
    // name as asked), or nullptr; fOpenedIndex as OpenedIndex describes it.
    mutable const TRecent *fOpened = nullptr;
    mutable int fOpenedIndex = -2;
    std::vector<std::unique_ptr<T>> fItems;
    TStringList fNames; // plain list: insertion order, case-insensitive IndexOf
    // Folded name -> index. Two names may fold alike yet collate apart (the
    // Turkish dotted and dotless i); the earlier one stays here, the later
    // one is found by the scan.
    QHash<QString, int> fByFolded;
    quint32 fCreated = 0; // lexicons created so far
    mutable QHash<QString, TAnswer> fAsked; // exact request -> IndexOf's answer
    // By the request's character address, open addressing; never empty.
    mutable std::vector<TRecent> fRecent = std::vector<TRecent>(RecentMinSlots);
    mutable size_t fRecentUsed = 0;
};
