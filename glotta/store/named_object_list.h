#pragma once
// TNamedObjectList: the store's sorted, owning string list. Texts are unique;
// adding a present text adds nothing and answers the present entry's index.
//
// Order: by case-folded text, ties broken by exact UTF-16 code units. Two
// entries are equal only when their texts are identical, so texts that differ
// only in letter case stay apart, and unlike a locale collation no two
// different texts (composed/decomposed accents, ignorable characters) are
// ever merged. The order of a written file does not depend on the user's locale.

#include "glotta/store/glotta_store_export.h"
#include "toolkit/core/string_list.h"

class GLOTTA_STORE_EXPORT TNamedObjectList : public TStringList
{
public:
    TNamedObjectList(); // CreateNamedList

    // Frees the object of entry Index (when there is one) and attaches Obj instead.
    void ReplaceObject(int Index, TObject *Obj);

    int CompareStrings(const QString &S1, const QString &S2) const override;
};

// Searches by halving over a list of Count texts, after its texts last moved,
// before a text -> index hash is worth building for it: a sixteenth of the
// texts, so building the hash costs about as much as the searches that led up
// to it. A hash touches far less memory than halving over scattered texts.
GLOTTA_STORE_EXPORT int SearchesBeforeIndex(int Count);
