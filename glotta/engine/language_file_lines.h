#pragma once
// The lines of a language file (and of the exchange files, which share its
// line shapes): decoded once, split once, read as views.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

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
    void SplitLines();

    QByteArray fBytes; // what fText views, when it is a view of file bytes
    QString fText;
    std::vector<TRange> fLines;
};
