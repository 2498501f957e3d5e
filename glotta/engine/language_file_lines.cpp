#include "glotta/engine/language_file_lines.h"

#include "glotta/store/ansi_code_page.h"
#include "glotta/store/text_helpers.h"

#include <QSysInfo>

void TLanguageFileLines::SetBytes(const QByteArray &Bytes)
{
    // UTF-16 LE (the writer's default) on a little-endian machine is the
    // text as it lies in memory: the lines read it in the bytes themselves
    // (kept here) instead of a decoded copy, which would double the memory
    // a load needs. Decoding would change nothing: it copies every unit,
    // unpaired surrogates and inner byte-order marks included, and holds
    // back an odd last byte.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && Bytes.startsWith(QByteArrayView("\xFF\xFE", 2))) {
        fBytes = Bytes;
        fText = QString::fromRawData(reinterpret_cast<const QChar *>(fBytes.constData() + 2), (fBytes.size() - 2) / 2);
        SplitLines();
        return;
    }
    SetText(DecodeLanguageFileText(Bytes));
}

void TLanguageFileLines::SetText(const QString &Text)
{
    fText = Text;
    fBytes.clear();
    SplitLines();
}

void TLanguageFileLines::SplitLines()
{
    fLines.clear();
    const QChar *D = fText.constData();
    const qsizetype N = fText.size();
    qsizetype Start = 0;
    qsizetype Tab = -1;
    for (qsizetype i = 0; i < N; ++i) {
        const char16_t C = D[i].unicode();
        if (C == u'\t') {
            if (Tab < 0)
                Tab = i - Start;
        } else if (C == u'\r' || C == u'\n') {
            fLines.push_back({Start, i - Start, Tab});
            if (C == u'\r' && i + 1 < N && D[i + 1] == QLatin1Char('\n'))
                ++i;
            Start = i + 1;
            Tab = -1;
        }
    }
    if (Start < N)
        fLines.push_back({Start, N - Start, Tab});
}

QStringView TLanguageFileLines::Line(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QStringView();
    const TRange &R = fLines[size_t(Index)];
    return QStringView(fText).mid(R.Start, R.Length);
}

QStringView TLanguageFileLines::Value(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QStringView();
    const TRange &R = fLines[size_t(Index)];
    if (R.Tab < 0)
        return QStringView();
    return QStringView(fText).mid(R.Start + R.Tab + 1, R.Length - R.Tab - 1);
}

bool TLanguageFileLines::Number(int Index, int &N) const
{
    if (Index < 0 || Index >= Count())
        return false;
    const TRange &R = fLines[size_t(Index)];
    if (R.Tab <= 0)
        return false;
    return ParseDecimal(QStringView(fText).mid(R.Start, R.Tab), N);
}

QStringList TLanguageFileLines::Tail(int Index) const
{
    QStringList L;
    for (int i = qMax(Index, 0); i < Count(); ++i)
        L.append(Line(i).toString());
    return L;
}
