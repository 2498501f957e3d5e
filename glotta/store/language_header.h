#pragma once
// Fields of language-file lines (number field, TAB, value) and the reading of
// a language file's header: its name, ISO code and optionally its flag icon.

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/lang_types.h"

#include <QString>
#include <QStringView>
#include <QStringList>

class QIODevice;
class TStringList;

// The text after the first occurrence of Key ("%CODE=") up to the next ";";
// empty when Key does not occur or no ";" follows.
GLOTTA_STORE_EXPORT QString ExtractKeyValue(QStringView Line, QStringView Key);
inline QString ExtractKeyValue(const QString &Line, const QString &Key)
{
    return ExtractKeyValue(QStringView(Line), QStringView(Key));
}
// The text between the first and the last double quote; empty with fewer
// than two double quotes.
GLOTTA_STORE_EXPORT QString ExtractQuoted(QStringView Line);
inline QString ExtractQuoted(const QString &Line)
{
    return ExtractQuoted(QStringView(Line));
}
// ExtractQuoted in the store's one-line form.
GLOTTA_STORE_EXPORT QString ExtractQuotedText(const QString &Line);
// The number field of line Index (before its first tab) as a decimal
// integer; false without a tab or when that field is no integer.
GLOTTA_STORE_EXPORT bool LineNumber(const TStringList &Lines, int Index, int &Number);
GLOTTA_STORE_EXPORT bool LineNumber(const QStringList &Lines, int Index, int &Number);

// The header reader of lines and whole texts, the one definition of what a
// header says. Discovery, which opens every file of a language directory,
// reads through ReadLanguageFileHead (glotta/engine/language_file_head.h)
// instead: that reader gives the same answer from the first lines and a
// search of the raw bytes, without decoding and splitting whole files, and
// its tests hold it to this one's answers.

// The header reader of lines and whole texts, the one definition of what a
// header says. Discovery, which opens every file of a language directory,
// reads through ReadLanguageFileHead (glotta/engine/language_file_head.h)
// instead: that reader gives the same answer from the first lines and a
// search of the raw bytes, without decoding and splitting whole files, and
// its tests hold it to this one's answers.

// Reads name and code from the "%LANGUAGE_NAME=" line of the lines of a
// language file whose first line (trimmed) is Sign; with Flag also the flag
// icon into FlagIconData. Lines that do not start with Sign give an empty
// Name and Code.
GLOTTA_STORE_EXPORT void ReadLanguageHeader(const TStringList &Lines, const QString &Sign, bool Flag, TLangIDs &IDs);
GLOTTA_STORE_EXPORT void ReadLanguageHeader(const QStringList &Lines, const QString &Sign, bool Flag, TLangIDs &IDs);
// The same for a file or a stream of language-file bytes (byte-order mark or
// ANSI code page). IDs are emptied first; any error leaves them empty.
GLOTTA_STORE_EXPORT void ReadLanguageHeader(const QString &FileName, const QString &Sign, bool Flag, TLangIDs &IDs);
GLOTTA_STORE_EXPORT void ReadLanguageHeader(const QByteArray &Stream, const QString &Sign, bool Flag, TLangIDs &IDs);
GLOTTA_STORE_EXPORT void ReadLanguageHeader(QIODevice &Stream, const QString &Sign, bool Flag, TLangIDs &IDs);
// The same for language-file bytes with the flag icon, when the file has one,
// in Flag instead of FlagIconData; Flag is emptied first.
GLOTTA_STORE_EXPORT void ReadLanguageHeader(const QByteArray &Stream, const QString &Sign, TLangIDs &IDs, QByteArray &Flag);

// Lines of a language-file text: CR, LF or CR LF end a line; a final line
// end adds no empty line.
GLOTTA_STORE_EXPORT QStringList SplitLanguageFileLines(const QString &Text);
