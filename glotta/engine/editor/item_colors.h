#pragma once
// The status colours of editor rows, as 0xRRGGBB. The window paints them and
// maps a colour found under the mouse back to its hint, so the values are
// part of the editor's contract and never change.

#include <QtGlobal>

namespace EditorColor {
constexpr quint32 Yellow = 0xF8F103;     // the designed text, unchanged
constexpr quint32 Lime = 0xD4FF28;       // inherited from the reference language, unchanged
constexpr quint32 LightBlue = 0x80E5FF;  // global translation of the reference data, unchanged
constexpr quint32 Green = 0x22E900;      // own translation
constexpr quint32 Blue = 0x0066FF;       // own global translation
constexpr quint32 DarkRed = 0xCA2222;    // own translation deleted
constexpr quint32 Violet = 0xDD55FF;     // obsolete line shown with its kept translation
constexpr quint32 Salmon = 0xF9C6AF;     // excluded from translation
constexpr quint32 SeaGreen = 0x2CA05A;   // inherited item whose value was emptied
constexpr quint32 SteelBlue = 0x2C89A0;  // global inherited item whose value was emptied
constexpr quint32 Grey = 0x7C7C7C;       // the row does not belong to the shown page
constexpr quint32 Red = 0xEE1111;        // own global translation deleted
constexpr quint32 GreyGreen = 0x4C6C4C;  // changed text without a source text
} // namespace EditorColor
