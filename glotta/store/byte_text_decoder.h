#pragma once
// The decoder of the library's printable encoding of byte data, in which the
// engine's built-in flag images are stored: single bytes as one or two
// characters, runs of one byte (every position, or every 2nd to 5th free
// position) as a marker, a count and the byte.

#include "glotta/store/glotta_store_export.h"
#include <QBuffer>
#include <QByteArray>
#include <QString>

// Decoding stops once this many bytes are produced: genuine encoded data is
// a few kilobytes, while a count of seven digit characters can ask for about
// 10^14 bytes.
constexpr qsizetype DecodedBytesLimit = 16 * 1024 * 1024;
// Decoding also stops once it has stepped over or rewritten this many
// output positions in all. A short text can make every run walk or
// rewrite the whole output again (an interleaved run whose byte is the
// placeholder renames the placeholders after it), so without this the
// time would grow with the text's length times the output's size.
// Genuine data take a few kilobytes of steps.
constexpr qint64 DecodeStepsLimit = 16 * qint64(DecodedBytesLimit);
// Below the absolute limits, a text yields at most this many bytes per
// character (and takes at most 16 steps per byte it may yield), so a short
// hostile text costs in proportion to its length. Genuine encoded data
// stays far below: its runs are short and most characters stand for one
// byte. Bare counts that end a cut text ("!" alone asks for 305 bytes,
// '"' for 609) stay whole.
constexpr qsizetype DecodedBytesPerChar = 1024;

// The output limit for a text of Length characters: DecodedBytesPerChar
// times its length, never above DecodedBytesLimit.
qsizetype DecodedBytesLimitFor(qsizetype Length);

// The decoded bytes of S.
GLOTTA_STORE_EXPORT QByteArray DecodeTextToBytes(const QString &S);
// Empties Stream, decodes S into it and sets its position to the start.
GLOTTA_STORE_EXPORT void DecodeTextToStream(QBuffer &Stream, const QString &S);
