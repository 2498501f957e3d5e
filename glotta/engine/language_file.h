#pragma once
// The line grammar of language files: splitting decoded file text into lines
// and number / value fields, one component line read (ParseItemLine) and
// written (FormatStructLine), and the file bytes in the four encodings.
// The full read and the writer are the engine's (LoadLanguage, SaveLanguage).

#include "glotta/store/language_header.h"
#include "glotta/store/lang_types.h"
#include "glotta/store/struct_lines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// Language files are a few hundred kilobytes; anything above this is refused
// unread (not listed, not loaded) rather than decoded into memory.
constexpr qint64 MaxLanguageFileSize = 32 * 1024 * 1024;

// The lines of a language file's text: CR, LF or CR LF end a line, a final
// line end adds no empty line. Lines are views into the one decoded text.
class TLanguageFileLines
{
public:
    // Decodes bytes by their byte-order mark, else in the ANSI code page.
    void SetBytes(const QByteArray &Bytes);
    void SetText(const QString &Text);

    int Count() const { return int(fLines.size()); }
    QStringView Line(int Index) const;
    // The text after the first TAB; empty without one.
    QStringView Value(int Index) const;
    // The number field (before the first TAB) as a plain, optionally signed
    // decimal integer; false without a TAB or when it is no integer.
    bool Number(int Index, int &N) const;
    // The lines from Index on as texts (for the flag section).
    QStringList Tail(int Index) const;

private:
    struct TRange
    {
        qsizetype Start;
        qsizetype Length;
        qsizetype Tab; // position of the first TAB within the line, -1 without
    };
    QString fText;
    std::vector<TRange> fLines;
};

// One component line: number field Number, value Value. False (skip the
// line) for a negative or too large property-type ID or a line without
// "%COMPONENT=". Descent 0; changeable 1, or 0 with "%NOTRANS", plus 2 with "%OLD".
bool ParseItemLine(int Number, QStringView Value, TFullStructLine &Line);
// The component line as written: ID, TAB, quoted text or "%NOTRANS",
// "%COMPONENT=", "%OWNER=", "%ITEM=" (when not empty), "%OLD" (changeable bit 1).
QString FormatStructLine(const TFullStructLine &Line);

// Every line followed by CR LF, in the encoding, with its byte-order mark
// (none for ANSI, the legacy code page of the user's language).
QByteArray EncodeLanguageFile(const QStringList &Lines, TLFEncoding Encoding);

// Reads a whole file of at most MaxLanguageFileSize bytes; false when it
// cannot be opened or read or is larger.
bool ReadLanguageFileBytes(const QString &FileName, QByteArray &Bytes);
