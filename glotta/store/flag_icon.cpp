#include "glotta/store/flag_icon.h"
#include "glotta/store/store_log.h"

#include "toolkit/core/string_list.h"

#include <new>

namespace {
int HexValue(QChar C)
{
    const ushort U = C.unicode();
    if (U >= '0' && U <= '9')
        return U - '0';
    if (U >= 'a' && U <= 'f')
        return U - 'a' + 10;
    if (U >= 'A' && U <= 'F')
        return U - 'A' + 10;
    return -1;
}

QString AfterFirstTab(const QString &Line)
{
    const qsizetype P = Line.indexOf(QLatin1Char('\t'));
    return P < 0 ? QString() : Line.mid(P + 1);
}

constexpr int BytesPerLine = 50;
constexpr int MaxBytesReadPerLine = 256;

template <typename Lines, typename CountFn, typename LineFn>
QByteArray FlagIconBytesOf(const Lines &L, int Index, CountFn Count, LineFn Line)
{
    try {
        QByteArray Bytes;
        quint8 Chunk[MaxBytesReadPerLine];
        for (int i = qMax(Index, 0); i < Count(L); ++i) {
            const int N = HexToBytes(AfterFirstTab(Line(L, i)), Chunk, MaxBytesReadPerLine);
            Bytes.append(reinterpret_cast<const char *>(Chunk), N);
        }
        return Bytes;
    } catch (const std::bad_alloc &) {
        qCWarning(lcGlottaStore) << "flag section refused: the picture does not fit into memory";
        return QByteArray();
    }
}

template <typename AddFn>
void WriteFlagIconLines(const QByteArray &Data, AddFn Add)
{
    Add(QStringLiteral("0\t%FLAG_ICON"));
    // size/50 + 1 data lines: the last one holds the remainder, which is
    // empty when the size is a multiple of 50 (an empty icon included).
    const qsizetype Lines = Data.size() / BytesPerLine + 1;
    for (qsizetype n = 0; n < Lines; ++n) {
        const QByteArray Part = Data.mid(n * BytesPerLine, BytesPerLine);
        Add(QString::number(n) + QLatin1Char('\t') + QString::fromLatin1(Part.toHex().toUpper()));
    }
}
} // namespace

QBuffer &FlagIconData()
{
    static QBuffer Buffer;
    if (!Buffer.isOpen())
        Buffer.open(QIODevice::ReadWrite);
    return Buffer;
}

void ClearFlagIcon()
{
    QBuffer &B = FlagIconData();
    B.buffer().clear();
    B.seek(0);
}

bool HasFlagIcon()
{
    return !FlagIconData().data().isEmpty();
}

QBuffer &FlagIconStream()
{
    QBuffer &B = FlagIconData();
    B.seek(0);
    return B;
}

void SetFlagIcon(const QByteArray &Bytes)
{
    QBuffer &B = FlagIconData();
    B.buffer() = Bytes;
    B.seek(0);
}

QByteArray FlagIconBytes(const TStringList &Lines, int Index)
{
    return FlagIconBytesOf(
        Lines, Index, [](const TStringList &L) { return L.Count(); },
        [](const TStringList &L, int i) -> const QString & { return L.Strings(i); });
}

QByteArray FlagIconBytes(const QStringList &Lines, int Index)
{
    return FlagIconBytesOf(
        Lines, Index, [](const QStringList &L) { return int(qMin<qsizetype>(L.size(), INT_MAX)); },
        [](const QStringList &L, int i) -> const QString & { return L.at(i); });
}

void ReadFlagIcon(const TStringList &Lines, int Index)
{
    SetFlagIcon(FlagIconBytes(Lines, Index));
}

void ReadFlagIcon(const QStringList &Lines, int Index)
{
    SetFlagIcon(FlagIconBytes(Lines, Index));
}

void WriteFlagIcon(const QByteArray &Data, QStringList &Lines)
{
    WriteFlagIconLines(Data, [&Lines](const QString &S) { Lines.append(S); });
}

void WriteFlagIcon(TStringList &Lines)
{
    WriteFlagIconLines(FlagIconData().data(), [&Lines](const QString &S) { Lines.Add(S); });
    FlagIconData().seek(0);
}

void WriteFlagIcon(QStringList &Lines)
{
    WriteFlagIcon(FlagIconData().data(), Lines);
    FlagIconData().seek(0);
}

int HexToBytes(const QString &S, quint8 *Buffer, int Max)
{
    int N = 0;
    for (qsizetype i = 0; N < Max && i + 1 < S.size(); i += 2) {
        const int Hi = HexValue(S.at(i));
        const int Lo = HexValue(S.at(i + 1));
        if (Hi < 0 || Lo < 0)
            break;
        Buffer[N++] = quint8(Hi * 16 + Lo);
    }
    return N;
}

int HexToBytes(const QString &S, QByteArray &Buffer, int Max)
{
    Buffer.resize(qMax(0, qMin<qsizetype>(Max, S.size() / 2)));
    const int N = HexToBytes(S, reinterpret_cast<quint8 *>(Buffer.data()), int(Buffer.size()));
    Buffer.resize(N);
    return N;
}
