#pragma once
// The two flag words every part of the store shares: the descent word (where
// a text comes from) and the changeable word of structure lines.

#include <QtGlobal>

// Descent word: low byte 0 = the current language's own text, 1-254 = inherited
// that many superior levels up (254 also for every more distant level),
// 255 = no translation; bit 8 (256) = taken from the global lexicon.
constexpr quint16 DescentOwn = 0;
constexpr quint16 DescentFarthest = 254;
constexpr quint16 DescentNone = 255;
constexpr quint16 DescentGlobal = 256;

// Changeable word of a structure line.
constexpr quint16 ChangeableTranslatable = 1; // the line carries a translation
constexpr quint16 ChangeableObsolete = 2;     // read as "%OLD" or no live client owns it
constexpr quint16 ChangeableOwnLine = 4;      // own line of the current language (editor)

// The descent step applied when a language is loaded under its inferior one:
// a level below 254 moves one step further away; 254, 255 and every global
// word stay as they are.
constexpr quint16 DescentStep(quint16 Descent)
{
    return Descent < DescentFarthest ? quint16(Descent + 1) : Descent;
}

// The current language's own text (plain or global).
constexpr bool IsOwnDescent(quint16 Descent)
{
    return (Descent & 0xFF) == 0;
}

constexpr bool IsGlobalDescent(quint16 Descent)
{
    return (Descent & DescentGlobal) != 0;
}
