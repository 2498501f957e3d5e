#include "glotta/engine/exchange/language_bundle.h"

#include <QtEndian>

namespace {
constexpr qsizetype CountSize = 4;

bool ReadCount(const QByteArray &Bytes, qsizetype Pos, qint32 &Count)
{
    if (Pos < 0 || Bytes.size() - Pos < CountSize)
        return false;
    Count = qFromLittleEndian<qint32>(Bytes.constData() + Pos);
    return true;
}
} // namespace

bool ReadPackedString(const QByteArray &Bytes, qsizetype &Pos, QString *Text)
{
    qint32 N = 0;
    if (!ReadCount(Bytes, Pos, N) || N < 0)
        return false;
    const qsizetype Start = Pos + CountSize;
    // Compared as a division so that no product can overflow.
    if (qsizetype(N) > (Bytes.size() - Start) / 2)
        return false;
    if (Text) {
        Text->resize(N);
        const uchar *Src = reinterpret_cast<const uchar *>(Bytes.constData() + Start);
        char16_t *Dst = reinterpret_cast<char16_t *>(Text->data());
        for (qint32 i = 0; i < N; ++i)
            Dst[i] = char16_t(Src[2 * i] | (Src[2 * i + 1] << 8));
    }
    Pos = Start + 2 * qsizetype(N);
    return true;
}

TBundleText ReadLanguageBundle(const QByteArray &Bytes, const std::function<bool(const QString &)> &IsTarget)
{
    TBundleText Result;
    qsizetype Pos = 0;
    qint32 Count = 0;
    if (!ReadPackedString(Bytes, Pos, nullptr) || !ReadCount(Bytes, Pos, Count))
        return Result;
    Pos += CountSize;
    if (Count == 0) {
        Result.Kind = TBundleText::Empty;
        return Result;
    }
    // Every entry takes at least 4 bytes or ends the walk, so a huge count
    // costs no more than the file is long.
    QString Identifier;
    for (qint32 i = 0; i < Count; ++i) {
        if (!ReadPackedString(Bytes, Pos, &Identifier))
            break;
        if (!IsTarget(Identifier)) {
            if (!ReadPackedString(Bytes, Pos, nullptr))
                break;
            continue;
        }
        QString Text;
        if (!ReadPackedString(Bytes, Pos, &Text))
            break;
        while (ReadPackedString(Bytes, Pos, nullptr)) {
        }
        if (Pos == Bytes.size()) {
            Result.Kind = Text.isEmpty() ? TBundleText::Empty : TBundleText::Found;
            Result.Text = std::move(Text);
        }
        break;
    }
    return Result;
}
