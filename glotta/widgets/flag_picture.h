#pragma once
// Flag pictures: fitting any picture into the flag square, reading a
// language's flag bytes (a bitmap or an icon), the images menus and combos
// show, and the engine's built-in pictures.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/engine/language_list.h"
#include "toolkit/widgets/picture.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

// The side of the square every flag image of menus and combos has.
constexpr int FlagSize = 16;
// Flag data of this many bytes or fewer hold no picture.
constexpr int MinFlagBytes = 10;

// What the image loader found in flag bytes.
enum TFlagKind { fkNone = 0, fkBitmap = 1, fkIcon = 2 };

// Where a picture of Size is drawn inside the flag square: a picture no
// larger than the square keeps its size, a larger one is scaled to fit with
// its aspect ratio, a picture with a zero side fills the square; the result
// is centred, and one pixel lower when there is room below.
GLOTTA_WIDGETS_EXPORT QRect FlagPlacement(QSize Size);

// Redraws Picture into a square bitmap that starts white (white is the
// colour menus and combos leave transparent), placed by FlagPlacement. An
// empty picture becomes the white square; a bitmap that already is that
// square keeps its bytes, so a stored design reads back what it wrote.
GLOTTA_WIDGETS_EXPORT void NormalizeFlagPicture(TPicture &Picture);

// Flag bytes starting with "BM" are a bitmap, anything else is taken for an
// icon. Loads them into Picture; fkNone (and an empty picture) for
// MinFlagBytes bytes or fewer or data that do not load as that kind.
GLOTTA_WIDGETS_EXPORT TFlagKind LoadFlagBytes(TPicture &Picture, const QByteArray &Bytes);

// The bytes of a picture in the form flag data keep: a bitmap's or an
// icon's; empty for a picture of any other kind.
GLOTTA_WIDGETS_EXPORT QByteArray FlagBytes(const TPicture &Picture);

// The image a list of flags holds for Picture: the flag square, a bitmap's
// white pixels transparent, an icon's own transparency kept. A null Picture
// (nothing loaded) gives the white, and so wholly transparent, square.
GLOTTA_WIDGETS_EXPORT QImage FlagListImage(const TPicture &Picture, TFlagKind Kind);

// The built-in pictures of the create entry, the edit entry and the empty
// flag, as bitmap bytes; empty for the other kinds.
GLOTTA_WIDGETS_EXPORT QByteArray BuiltInFlag(TInternalFlag Kind);
