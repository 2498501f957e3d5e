#pragma once
// The legacy 8-bit code page of language files written without a byte-order
// mark ("ANSI"), and the decoding of language-file bytes.
//
// On Windows it is the system ANSI code page. Elsewhere there is no such
// thing, so the Windows code page that belongs to the user's language is
// used (windows-1250 for Czech), the page such a file was written in.

#include "glotta/store/glotta_store_export.h"
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringDecoder>

// The code-page name for a locale ("windows-1250", "windows-1252", ...).
GLOTTA_STORE_EXPORT QByteArray AnsiCodePageNameFor(const QLocale &Locale);
// The code page of language files without a mark: on Windows "System"
// (the system ANSI code page), elsewhere AnsiCodePageNameFor(QLocale::system()).
GLOTTA_STORE_EXPORT QByteArray AnsiCodePageName();

// Text of language-file bytes: a byte-order mark selects UTF-16 LE (FF FE),
// UTF-16 BE (FE FF) or UTF-8 (EF BB BF) and is not part of the text;
// without a mark the bytes are read in the ANSI code page.
GLOTTA_STORE_EXPORT QString DecodeLanguageFileText(const QByteArray &Bytes);
// The same decoding for bytes without a mark, in the ANSI code page.
GLOTTA_STORE_EXPORT QString DecodeAnsiText(const QByteArray &Bytes);
// The decoder for language-file bytes that begin with Head (at least their
// first three bytes, or all of a shorter file), and in MarkLength the length
// of the byte-order mark to skip before decoding. The decoder keeps what a
// piece ends in the middle of, so a file can be decoded piece by piece.
GLOTTA_STORE_EXPORT QStringDecoder LanguageFileDecoder(QByteArrayView Head, qsizetype &MarkLength);
