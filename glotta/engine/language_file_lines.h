#pragma once
// The lines of a language file (and of the exchange files, which share its
// line shapes): decoded once, split once, read as views.

#include "glotta/engine/glotta_engine_export.h"
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

// The lines of a language file's text: CR, LF or CR LF end a line, a final
// line end adds no empty line. Lines are views into the decoded text.
//
// A text is given whole (SetBytes, SetText) or read from a device as the
// lines are asked for (SetDevice). Read from a device, only the piece of
// text being read is held: asking whether a line past that piece exists
// (Has) reads on and forgets every line before it, so a full load never
// holds the whole file next to what it builds from it. The readers walk
// their lines forward only, which is all a device allows.
class GLOTTA_ENGINE_EXPORT TLanguageFileLines
{
public:
    TLanguageFileLines();
    ~TLanguageFileLines();

    // Decodes bytes by their byte-order mark, else in the ANSI code page.
    void SetBytes(const QByteArray &Bytes);
    void SetText(const QString &Text);
    // Reads Device (opened for reading) on demand, decoding as SetBytes
    // does, PieceBytes at a time. More than MaxBytes in all is a failure.
    void SetDevice(std::unique_ptr<QIODevice> Device, qint64 MaxBytes, qsizetype PieceBytes = 64 * 1024);

    // Whether line Index exists; reads on from the device as far as needed.
    // Views handed out before a call that reads on are no longer valid.
    bool Has(int Index);
    // The lines read so far: all of them for a text given whole.
    int Count() const { return fFirst + int(fLines.size()); }
    // A read error, or more bytes than allowed; the lines end there.
    bool Failed() const { return fFailed; }

    // Empty for a line not read yet or already forgotten.
    QStringView Line(int Index) const;
    // The text after the first TAB; empty without one.
    QStringView Value(int Index) const;
    // The number field (before the first TAB) as a plain, optionally signed
    // decimal integer; false without a TAB or when it is no integer.
    bool Number(int Index, int &N) const;
    // The lines from Index on as texts (for the flag section).
    QStringList Tail(int Index);

private:
    struct TRange
    {
        qsizetype Start;
        qsizetype Length;
        qsizetype Tab; // position of the first TAB within the line, -1 without
    };
    struct TSource;
    const TRange *RangeOf(int Index) const;
    // Splits fText from fOpen on; without AtEnd a line still open at the end
    // of the text (or a CR that an LF may follow) waits for more text.
    void SplitLines(bool AtEnd);
    void ReadOn();

    QByteArray fBytes; // what fText views, when it is a view of file bytes
    QString fText;
    std::vector<TRange> fLines;
    int fFirst = 0;       // index of the line fLines[0] holds
    qsizetype fOpen = 0;  // where in fText the line not yet ended starts
    std::unique_ptr<TSource> fSource;
    bool fFailed = false;
};
