#pragma once
// TIndexedItems: one numbered lexicon, item number (0-65535) -> text plus
// descent word. Items are reached directly through a pointer table; a stored
// text keeps its position until the next Clear, and position 0 is the empty
// text with descent 255 that every absent item points to.

#include "glotta/store/glotta_store_export.h"
#include "toolkit/core/string_list.h"
#include "glotta/store/word_list.h"

#include <QString>
#include <vector>

class GLOTTA_STORE_EXPORT TIndexedItems : public TObject
{
public:
    explicit TIndexedItems(const QString &Name); // Create

    const QString &ListName() const { return fListName; }
    // Texts stored since the last Clear, removed and replaced ones included.
    quint16 Count() const { return quint16(Items.Count() - 1); }
    quint16 MaxIndex() const { return MaxAddress; }
    // The allocated length of the pointer table (at least MaxIndex + 1).
    int PointerTableLength() const { return int(ItemPointer.size()); }

    QString Get(quint16 ItemNr) const;
    bool IsIncluded(quint16 ItemNr) const;
    bool IsGlobal(quint16 ItemNr) const;
    quint16 GetLangDescent(int ItemNr) const;
    void SetLangDescent(int ItemNr, quint16 NewDescent);
    int IndexOf(const QString &Text) const;

    void Add(quint16 ItemNr, const QString &Text, quint16 LangDescent);
    void Write(quint16 ItemNr, const QString &Text, quint16 LangDescent);
    void Change(quint16 ItemNr, const QString &Text);
    void Remove(quint16 ItemNr);
    void Clear();
    void NewLanguage();

private:
    void Reset();
    quint16 Position(int ItemNr) const;
    bool Compact();

    quint16 MaxAddress = 0;
    std::vector<quint16> ItemPointer; // size() is the allocated length
    TStringList Items;                // texts by position
    TWordList Descent;                // descents by position, parallel to Items
    QString fListName;
};
