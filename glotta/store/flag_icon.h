#pragma once
// The flag icon of a language file: the process-wide buffer that holds the
// icon read or to be written last, and its block of hexadecimal lines
// ("0\t%FLAG_ICON", then "n\t" + up to 50 bytes as 100 hex digits).

#include "glotta/store/glotta_store_export.h"
#include <QBuffer>
#include <QString>
#include <QStringList>

class TStringList;

// The process-wide buffer (open for reading and writing). GUI thread only.
GLOTTA_STORE_EXPORT QBuffer &FlagIconData();

GLOTTA_STORE_EXPORT void ClearFlagIcon();
GLOTTA_STORE_EXPORT bool HasFlagIcon();
// The buffer itself (not a copy), positioned at its start.
GLOTTA_STORE_EXPORT QBuffer &FlagIconStream();

// Replaces the buffer's contents with Bytes, positioned at their start.
GLOTTA_STORE_EXPORT void SetFlagIcon(const QByteArray &Bytes);

// The bytes of lines Index to the last line: the text after each line's
// first tab, up to 256 bytes a line, up to the first character that is not
// a hex digit. Empty when memory runs out.
GLOTTA_STORE_EXPORT QByteArray FlagIconBytes(const TStringList &Lines, int Index);
GLOTTA_STORE_EXPORT QByteArray FlagIconBytes(const QStringList &Lines, int Index);
// Replaces the buffer's contents with FlagIconBytes of the lines.
GLOTTA_STORE_EXPORT void ReadFlagIcon(const TStringList &Lines, int Index);
GLOTTA_STORE_EXPORT void ReadFlagIcon(const QStringList &Lines, int Index);
// Appends the flag-icon block of Data to Lines.
GLOTTA_STORE_EXPORT void WriteFlagIcon(const QByteArray &Data, QStringList &Lines);
// Appends the flag-icon block of the buffer's contents to Lines.
GLOTTA_STORE_EXPORT void WriteFlagIcon(TStringList &Lines);
GLOTTA_STORE_EXPORT void WriteFlagIcon(QStringList &Lines);

// Pairs of hex digits of S (either case) into Buffer, at most Max bytes, up
// to the first pair that is not two hex digits. Answers the number of bytes.
GLOTTA_STORE_EXPORT int HexToBytes(const QString &S, quint8 *Buffer, int Max);
// The same into a byte array, which then holds exactly the bytes converted.
GLOTTA_STORE_EXPORT int HexToBytes(const QString &S, QByteArray &Buffer, int Max);
