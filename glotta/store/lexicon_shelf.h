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
// The hash of exact texts is the path every read takes when it misses the
// one-entry cache (programs that alternate between many lexicons miss it on
// every read), so it keys by the name's characters: a caller that builds the
// name for each call pays one hash of the name. A caller that passes the
// very string an answer was kept under (a lexicon asks under the one path it
// keeps) is found before that by where the string's characters are; only
// kept strings enter that index, so strings made for one call cannot crowd it.
//
// Creating a lexicon appends it, so an answer that found a lexicon stays
// true (a request finds the first name it collates equal to) and only a
// failed answer may now be wrong: answers carry the count of lexicons
// created, and a failed one holds only while that count stands. Deleting or
// clearing moves lexicons, which forgets every answer.

#include "toolkit/core/string_list.h"

#include <QHash>
#include <QString>
#include <cstring>
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
        if (fOpened) {
            const QString &Cached = fTable[fOpenedSlot].Name;
            if (SameStorage(LexName, Cached) || LexName == Cached)
                return fOpened;
        }
        const size_t Slot = Answer(LexName);
        const TAnswer &Known = fTable[Slot].A;
        if (Known.Index < 0) {
            EmptyCache();
            fOpenedIndex = -1;
        } else if (!Known.Reaches)
            EmptyCache();
        else {
            fOpened = Known.Item;
            fOpenedIndex = Known.Index;
            fOpenedSlot = Slot;
            return Known.Item;
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
            fOpenedIndex = DataIndex;
            fOpened = nullptr;
            if (!Name.isNull()) {
                const size_t Slot = Keep(Name, Hash(Name), DataIndex);
                if (SameStorage(fTable[Slot].Name, Name))
                    fByAddress[AddressSlot(Name)] = quint32(Slot + 1);
                if (fTable[Slot].A.Reaches) {
                    fOpened = fTable[Slot].A.Item;
                    fOpenedSlot = Slot;
                }
            }
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
    QString OpenedName() const { return fOpened ? fTable[fOpenedSlot].Name : QString(); }

private:
    // Texts remembered at most in the hash of exact requests; past this
    // (names made up by the caller rather than lexicon names) it starts over.
    static constexpr qsizetype AskedLimit = 4096;
    static constexpr size_t MinSlots = 16;

    // IndexOf's answer for one exact text and the creation count it was
    // given at; Item is the lexicon at Index (lexicons stay where they are
    // until a Delete or Clear, which forgets the answers).
    struct TAnswer
    {
        int Index = -1;
        quint32 Stamp = 0;
        T *Item = nullptr;
        // Open may answer the lexicon (with ExactName: the same letter case).
        bool Reaches = false;
    };

    // A slot of the table of exact texts asked for: open addressing by a
    // hash of the text's characters; a null Name marks a free slot.
    struct TEntry
    {
        QString Name;
        size_t Hash = 0;
        TAnswer A;
    };

    static bool SameStorage(const QString &A, const QString &B)
    {
        return A.constData() == B.constData() && A.size() == B.size() && !A.isNull();
    }

    // Lexicon names are short: eight bytes a step, a multiply each. The
    // names are the program's own, so no one picks them to collide.
    static size_t Hash(const QString &Name)
    {
        const char *P = reinterpret_cast<const char *>(Name.constData());
        size_t N = size_t(Name.size()) * sizeof(QChar);
        constexpr quint64 K = 0x9E3779B97F4A7C15ull;
        quint64 H = N * K;
        for (; N >= 8; N -= 8, P += 8) {
            quint64 W;
            memcpy(&W, P, 8);
            H = (H ^ W) * K;
            H ^= H >> 32;
        }
        if (N > 0) {
            quint64 W = 0;
            memcpy(&W, P, N);
            H = (H ^ W) * K;
            H ^= H >> 32;
        }
        return size_t(H);
    }

    bool Current(const TAnswer &A) const { return A.Index >= 0 || A.Stamp == fCreated; }

    // The index of the lexicon whose name compares equal to Name (ignoring
    // letter case), or -1: what a scan of the names would answer.
    int IndexOf(const QString &Name) const
    {
        if (Name.isNull())
            return Resolve(Name);
        return fTable[Answer(Name)].A.Index;
    }

    // The slot of Name, or of the free slot where it would go.
    size_t Probe(const QString &Name, size_t H) const
    {
        const size_t Mask = fTable.size() - 1;
        for (size_t i = H & Mask;; i = (i + 1) & Mask) {
            const TEntry &E = fTable[i];
            if (E.Name.isNull() || (E.Hash == H && (SameStorage(E.Name, Name) || E.Name == Name)))
                return i;
        }
    }

    // The slot holding the current answer for the exact text Name (not
    // null), found or made.
    size_t Answer(const QString &Name) const
    {
        // The string the answer was kept under, passed again, is known by
        // where its characters are without reading them.
        quint32 &ByAddress = fByAddress[AddressSlot(Name)];
        if (ByAddress != 0) {
            const TEntry &E = fTable[ByAddress - 1];
            if (SameStorage(E.Name, Name) && Current(E.A))
                return ByAddress - 1;
        }
        const size_t H = Hash(Name);
        size_t Slot = Probe(Name, H);
        if (fTable[Slot].Name.isNull() || !Current(fTable[Slot].A))
            Slot = Keep(Name, H, Resolve(Name));
        // Only the kept string itself goes into the address index: a string
        // made for one call never does, so it cannot crowd the index.
        if (SameStorage(fTable[Slot].Name, Name))
            fByAddress[AddressSlot(Name)] = quint32(Slot + 1);
        return Slot;
    }

    size_t AddressSlot(const QString &Name) const
    {
        // Heap blocks are aligned, so the low bits say little; the multiply
        // spreads the rest over the slot numbers.
        const quint64 P = quint64(quintptr(Name.constData())) >> 3;
        return size_t((P * 0x9E3779B97F4A7C15ull) >> 32) & (fByAddress.size() - 1);
    }

    // Keeps Found as the answer for Name and answers its slot.
    size_t Keep(const QString &Name, size_t H, int Found) const
    {
        TAnswer A;
        A.Index = Found;
        A.Stamp = fCreated;
        if (Found >= 0) {
            A.Item = fItems[size_t(Found)].get();
            A.Reaches = !ExactName || A.Item->ListName() == Name;
        }
        size_t Slot = Probe(Name, H);
        if (fTable[Slot].Name.isNull()) {
            if ((fUsed + 1) * 4 > fTable.size() * 3) {
                // Grown up to the limit; past it (names made up by the
                // caller rather than lexicon names) the table starts over.
                Rebuild(fUsed >= size_t(AskedLimit) ? fTable.size() : fTable.size() * 2, fUsed < size_t(AskedLimit));
                Slot = Probe(Name, H);
            }
            ++fUsed;
            fTable[Slot].Name = Name;
            fTable[Slot].Hash = H;
        }
        fTable[Slot].A = A;
        return Slot;
    }

    // A table of Size slots with the answers kept (KeepAll) or only the
    // cached lexicon's; the cache stays.
    void Rebuild(size_t Size, bool KeepAll) const
    {
        std::vector<TEntry> Old(Size);
        Old.swap(fTable);
        fUsed = 0;
        fByAddress.assign(Size, 0);
        const size_t Opened = fOpened ? fOpenedSlot : size_t(-1);
        for (size_t i = 0; i < Old.size(); ++i) {
            if (Old[i].Name.isNull() || (!KeepAll && i != Opened))
                continue;
            const size_t Slot = Probe(Old[i].Name, Old[i].Hash);
            fTable[Slot] = std::move(Old[i]);
            ++fUsed;
            if (i == Opened)
                fOpenedSlot = Slot;
        }
    }

    int Resolve(const QString &Name) const
    {
        const auto Candidate = fByFolded.constFind(Name.toCaseFolded());
        if (Candidate != fByFolded.constEnd() && fNames.CompareStrings(fNames.Strings(*Candidate), Name) == 0)
            return *Candidate;
        return fNames.IndexOf(Name);
    }

    // Every answer given so far is stale: the lexicons have moved.
    void ForgetAnswers()
    {
        EmptyCache();
        fTable.assign(MinSlots, TEntry());
        fByAddress.assign(MinSlots, 0);
        fUsed = 0;
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

    // The one-entry cache: the lexicon looked up last, or nullptr, and the
    // slot of its name as asked; fOpenedIndex as OpenedIndex describes it.
    mutable T *fOpened = nullptr;
    mutable size_t fOpenedSlot = 0;
    mutable int fOpenedIndex = -2;
    std::vector<std::unique_ptr<T>> fItems;
    TStringList fNames; // plain list: insertion order, case-insensitive IndexOf
    // Folded name -> index. Two names may fold alike yet collate apart (the
    // Turkish dotted and dotless i); the earlier one stays here, the later
    // one is found by the scan.
    QHash<QString, int> fByFolded;
    quint32 fCreated = 0; // lexicons created so far
    // Exact request -> IndexOf's answer; a power of two slots, never full.
    mutable std::vector<TEntry> fTable = std::vector<TEntry>(MinSlots);
    mutable size_t fUsed = 0;
    // Where a kept name's characters are -> its slot + 1 (0: none); one
    // entry a place, the later name taking it.
    mutable std::vector<quint32> fByAddress = std::vector<quint32>(MinSlots);
};
