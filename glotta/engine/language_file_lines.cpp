#include "glotta/engine/language_file_lines.h"

#include "glotta/store/ansi_code_page.h"
#include "glotta/store/text_helpers.h"

#include <QSysInfo>

// A device being read: its decoder is chosen once the first bytes (enough
// for the longest byte-order mark) have arrived.
//
// Bytes are decoded up to the last line feed read so far, and the rest waits
// for the next piece. The decoder then never stops in the middle of a
// character, so what it makes of broken sequences is what it makes of the
// bytes decoded whole. A line feed is one byte 0x0A in UTF-8 and in every
// ANSI page (the pages of two-byte characters never use it as a second
// byte), and the unit 0x000A in UTF-16.
struct TLanguageFileLines::TSource
{
    std::unique_ptr<QIODevice> Device;
    qint64 MaxBytes = 0;
    qint64 BytesRead = 0;
    QByteArray Piece;
    QByteArray Waiting; // read, not decoded yet
    std::unique_ptr<QStringDecoder> Decoder;
    int UnitBytes = 1;      // 2 for UTF-16
    int LineFeedByte = 0;   // which byte of a UTF-16 unit holds the 0x0A
    bool AtEnd = false;

    // The length of Waiting up to its last line feed; 0 without one. The
    // bytes before From were searched before (a file without line feeds
    // is searched once, not once per piece).
    qsizetype DecodableLength(qsizetype From) const
    {
        const char *D = Waiting.constData();
        const qsizetype First = From / UnitBytes * UnitBytes;
        for (qsizetype i = (Waiting.size() / UnitBytes - 1) * UnitBytes; i >= First; i -= UnitBytes) {
            if (D[i + LineFeedByte] == '\n' && (UnitBytes == 1 || D[i + 1 - LineFeedByte] == 0))
                return i + UnitBytes;
        }
        return 0;
    }
};

TLanguageFileLines::TLanguageFileLines() = default;
TLanguageFileLines::~TLanguageFileLines() = default;

void TLanguageFileLines::SetBytes(const QByteArray &Bytes)
{
    // UTF-16 LE (the writer's default) on a little-endian machine is the
    // text as it lies in memory: the lines read it in the bytes themselves
    // (kept here) instead of a decoded copy, which would double the memory
    // the text needs. Decoding would change nothing: it copies every unit,
    // unpaired surrogates and inner byte-order marks included, and holds
    // back an odd last byte.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && Bytes.startsWith(QByteArrayView("\xFF\xFE", 2))) {
        SetText(QString());
        fBytes = Bytes;
        fText = QString::fromRawData(reinterpret_cast<const QChar *>(fBytes.constData() + 2), (fBytes.size() - 2) / 2);
        SplitLines(true);
        return;
    }
    SetText(DecodeLanguageFileText(Bytes));
}

void TLanguageFileLines::SetText(const QString &Text)
{
    fSource.reset();
    fFailed = false;
    fBytes.clear();
    fText = Text;
    fLines.clear();
    fFirst = 0;
    fOpen = 0;
    SplitLines(true);
}

void TLanguageFileLines::SetDevice(std::unique_ptr<QIODevice> Device, qint64 MaxBytes, qsizetype PieceBytes)
{
    SetText(QString());
    fSource = std::make_unique<TSource>();
    fSource->Device = std::move(Device);
    fSource->MaxBytes = MaxBytes;
    fSource->Piece.resize(qMax<qsizetype>(PieceBytes, 1));
}

bool TLanguageFileLines::Has(int Index)
{
    while (Index >= Count() && fSource && !fSource->AtEnd)
        ReadOn();
    return Index < Count();
}

void TLanguageFileLines::ReadOn()
{
    TSource &S = *fSource;
    // The ended lines are forgotten; the line still open stays for the text
    // that ends it.
    fFirst += int(fLines.size());
    fLines.clear();
    fText.remove(0, fOpen);
    fOpen = 0;

    const qint64 Got = S.Device->read(S.Piece.data(), S.Piece.size());
    if (Got < 0 || S.BytesRead + Got > S.MaxBytes) {
        // What was read stays read; the failure tells the reader that the
        // rest is missing.
        fFailed = true;
        S.AtEnd = true;
        fText.clear();
        return;
    }
    S.BytesRead += Got;
    S.AtEnd = Got == 0;
    const qsizetype Searched = S.Decoder ? S.Waiting.size() : 0;
    S.Waiting.append(S.Piece.constData(), qsizetype(Got));
    if (!S.Decoder) {
        if (S.Waiting.size() < 3 && !S.AtEnd)
            return;
        qsizetype Mark = 0;
        S.Decoder = std::make_unique<QStringDecoder>(LanguageFileDecoder(S.Waiting, Mark));
        if (Mark == 2) {
            S.UnitBytes = 2;
            S.LineFeedByte = quint8(S.Waiting.at(0)) == 0xFF ? 0 : 1; // LE : BE
        }
        S.Waiting.remove(0, Mark);
    }
    const qsizetype Length = S.AtEnd ? S.Waiting.size() : S.DecodableLength(Searched);
    if (Length > 0) {
        fText.append(S.Decoder->decode(QByteArrayView(S.Waiting).first(Length)));
        S.Waiting.remove(0, Length);
    }
    SplitLines(S.AtEnd);
    if (S.AtEnd)
        fSource.reset();
}

void TLanguageFileLines::SplitLines(bool AtEnd)
{
    const QChar *D = fText.constData();
    const qsizetype N = fText.size();
    qsizetype Start = fOpen;
    qsizetype Tab = -1;
    for (qsizetype i = Start; i < N; ++i) {
        const char16_t C = D[i].unicode();
        // TAB, LF and CR are all below 14: one comparison passes over text.
        if (C > u'\r')
            continue;
        if (C == u'\t') {
            if (Tab < 0)
                Tab = i - Start;
        } else if (C == u'\r' || C == u'\n') {
            // A CR at the end of a piece may be the first half of a CR LF.
            if (C == u'\r' && i + 1 == N && !AtEnd)
                break;
            fLines.push_back({Start, i - Start, Tab});
            if (C == u'\r' && i + 1 < N && D[i + 1] == QLatin1Char('\n'))
                ++i;
            Start = i + 1;
            Tab = -1;
        }
    }
    if (AtEnd && Start < N) {
        fLines.push_back({Start, N - Start, Tab});
        Start = N;
    }
    fOpen = Start;
}

const TLanguageFileLines::TRange *TLanguageFileLines::RangeOf(int Index) const
{
    if (Index < fFirst || Index >= Count())
        return nullptr;
    return &fLines[size_t(Index - fFirst)];
}

QStringView TLanguageFileLines::Line(int Index) const
{
    const TRange *R = RangeOf(Index);
    if (!R)
        return QStringView();
    return QStringView(fText).mid(R->Start, R->Length);
}

QStringView TLanguageFileLines::Value(int Index) const
{
    const TRange *R = RangeOf(Index);
    if (!R || R->Tab < 0)
        return QStringView();
    return QStringView(fText).mid(R->Start + R->Tab + 1, R->Length - R->Tab - 1);
}

bool TLanguageFileLines::Number(int Index, int &N) const
{
    const TRange *R = RangeOf(Index);
    if (!R || R->Tab <= 0)
        return false;
    return ParseDecimal(QStringView(fText).mid(R->Start, R->Tab), N);
}

QStringList TLanguageFileLines::Tail(int Index)
{
    QStringList L;
    for (int i = qMax(Index, 0); Has(i); ++i)
        L.append(Line(i).toString());
    return L;
}
