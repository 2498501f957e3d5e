#pragma once
// How far a language is in the editor: every row of every group counted by
// what it shows (the language's own text, an inherited one, a global one,
// nothing to translate, or nothing yet), for the language, a group or an
// object.

#include <QtGlobal>

// What a row of the editor shows, as the program will show it once the
// language is saved.
enum class TRowState {
    Own,       // a translation of the edited language
    Inherited, // the reference language's translation, unchanged
    Global,    // the edited language's translation from the global lexicon
    Excluded,  // the property is not translated (keeps the reference text)
    Missing,   // only the designed text, or an obsolete line to look at again
};

struct TEditorProgress
{
    int Own = 0;
    int Inherited = 0;
    int Global = 0;
    int Excluded = 0;
    int Missing = 0;

    void Add(TRowState State)
    {
        switch (State) {
        case TRowState::Own: ++Own; break;
        case TRowState::Inherited: ++Inherited; break;
        case TRowState::Global: ++Global; break;
        case TRowState::Excluded: ++Excluded; break;
        case TRowState::Missing: ++Missing; break;
        }
    }
    TEditorProgress &operator+=(const TEditorProgress &Other)
    {
        Own += Other.Own;
        Inherited += Other.Inherited;
        Global += Other.Global;
        Excluded += Other.Excluded;
        Missing += Other.Missing;
        return *this;
    }
    bool operator==(const TEditorProgress &) const = default;
    // Rows there is something to translate in (all but the excluded).
    int Translatable() const { return Own + Inherited + Global + Missing; }
    // The share of translatable rows the language translates itself (own or
    // global), rounded down, so that 100 means nothing is left; 100 when
    // there is nothing to translate.
    int Percent() const
    {
        const int All = Translatable();
        return All == 0 ? 100 : int(qint64(Own + Global) * 100 / All);
    }
};
