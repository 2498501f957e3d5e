#pragma once
// TWordList: a growable list of unsigned 16-bit words (descent words of an
// indexed lexicon, row-to-item index lists of the editor). Its capacity
// follows a fixed policy so that a list cleared and refilled with a similar
// number of words reuses its storage.

#include "glotta/store/glotta_store_export.h"
#include "toolkit/core/object.h"

#include <QtGlobal>
#include <vector>

class GLOTTA_STORE_EXPORT TWordList : public TObject
{
public:
    TWordList(); // Create: empty, capacity 32

    int Count() const { return FCount; }
    // The allocated length of the word storage; never below Count.
    int Capacity() const { return int(Words.size()); }

    void Clear();
    void Assign(const TWordList &Source);
    void AddWord(quint16 Value);
    quint16 GetWord(int Index) const;
    int IndexOfWord(quint16 Value) const;
    void RewriteWord(int Index, quint16 Value);
    void Delete(int Index);
    // The descent step on one word / on every word.
    void Inherit(int Index);
    void InheritAll();

private:
    bool InRange(int Index) const { return Index >= 0 && Index < FCount; }

    int FCount = 0;
    std::vector<quint16> Words; // size() is the capacity
};
