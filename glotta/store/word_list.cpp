#include "glotta/store/word_list.h"

#include "glotta/store/descent_codes.h"

#include <algorithm>

namespace {
constexpr int InitialCapacity = 32;
constexpr int GrowStep = 64;
constexpr int ShrinkAbove = 1024;
} // namespace

TWordList::TWordList() : Words(InitialCapacity, 0) {}

void TWordList::Clear()
{
    FCount = 0;
    if (Capacity() > ShrinkAbove) {
        Words.assign(InitialCapacity, 0);
        Words.shrink_to_fit();
    }
}

void TWordList::Assign(const TWordList &Source)
{
    if (&Source == this)
        return;
    FCount = Source.FCount;
    if (Capacity() > FCount + ShrinkAbove || Capacity() < FCount) {
        Words.assign(size_t(FCount) + InitialCapacity, 0);
        Words.shrink_to_fit();
    }
    std::copy_n(Source.Words.begin(), FCount, Words.begin());
}

void TWordList::AddWord(quint16 Value)
{
    if (FCount >= Capacity())
        Words.resize(size_t(FCount) + GrowStep, 0);
    Words[size_t(FCount)] = Value;
    ++FCount;
}

// Indexes outside the words in use read as absent. Negative indexes are
// treated the same way, so no caller can reach outside the storage.
quint16 TWordList::GetWord(int Index) const
{
    return InRange(Index) ? Words[size_t(Index)] : 0;
}

int TWordList::IndexOfWord(quint16 Value) const
{
    for (int i = 0; i < FCount; ++i)
        if (Words[size_t(i)] == Value)
            return i;
    return -1;
}

void TWordList::RewriteWord(int Index, quint16 Value)
{
    if (InRange(Index))
        Words[size_t(Index)] = Value;
}

void TWordList::Delete(int Index)
{
    if (!InRange(Index))
        return;
    std::copy(Words.begin() + Index + 1, Words.begin() + FCount, Words.begin() + Index);
    --FCount;
}

void TWordList::Inherit(int Index)
{
    if (InRange(Index))
        Words[size_t(Index)] = DescentStep(Words[size_t(Index)]);
}

void TWordList::InheritAll()
{
    for (int i = 0; i < FCount; ++i)
        Words[size_t(i)] = DescentStep(Words[size_t(i)]);
}
