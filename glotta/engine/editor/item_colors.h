#pragma once
// The status colours of editor rows. A colour value holds red in its low
// byte, then green, then blue (0x00BBGGRR); the window converts it where it
// paints (TLangGrid::PaintedColor). The window maps a colour found under the
// mouse back to its hint, so the values are part of the editor's contract
// and never change.

#include <QtGlobal>

namespace EditorColor {
// The value of the colour with these red, green and blue parts.
constexpr quint32 FromRgb(quint8 R, quint8 G, quint8 B)
{
    return quint32(R) | quint32(G) << 8 | quint32(B) << 16;
}

constexpr quint32 Yellow = FromRgb(0xF8, 0xF1, 0x03);    // the designed text, unchanged
constexpr quint32 Lime = FromRgb(0xD4, 0xFF, 0x28);      // inherited from the reference language, unchanged
constexpr quint32 LightBlue = FromRgb(0x80, 0xE5, 0xFF); // global translation of the reference data, unchanged
constexpr quint32 Green = FromRgb(0x22, 0xE9, 0x00);     // own translation
constexpr quint32 Blue = FromRgb(0x00, 0x66, 0xFF);      // own global translation
constexpr quint32 DarkRed = FromRgb(0xCA, 0x22, 0x22);   // own translation deleted
constexpr quint32 Violet = FromRgb(0xDD, 0x55, 0xFF);    // obsolete line shown with its kept translation
constexpr quint32 Salmon = FromRgb(0xF9, 0xC6, 0xAF);    // excluded from translation
constexpr quint32 SeaGreen = FromRgb(0x2C, 0xA0, 0x5A);  // inherited item whose value was emptied
constexpr quint32 SteelBlue = FromRgb(0x2C, 0x89, 0xA0); // global inherited item whose value was emptied
constexpr quint32 Grey = FromRgb(0x7C, 0x7C, 0x7C);      // the row does not belong to the shown page
constexpr quint32 Red = FromRgb(0xEE, 0x11, 0x11);       // own global translation deleted
constexpr quint32 GreyGreen = FromRgb(0x4C, 0x6C, 0x4C); // changed text without a source text
} // namespace EditorColor
