#include "glotta/store/byte_text_decoder.h"

#include <algorithm>
#include <cstring>

namespace {
// The output with its write position and the placeholder byte M: bytes equal
// to M are positions reserved by an interleaved run but not yet written.
class TDecoder
{
public:
    explicit TDecoder(const QString &S)
        : fS(S), fLimit(DecodedBytesLimitFor(S.size())), fStepsLimit(16 * qint64(fLimit))
    {
    }

    QByteArray Run()
    {
        while (fI < fS.size() && !fFull) {
            const ushort C = Low(fS.at(fI++).unicode());
            quint8 B;
            if (C == 32) {
                B = 32;
            } else if (C >= 38) {
                B = ByteFrom(C);
            } else if (C >= 33 && C <= 37) {
                B = ReadRun(C - 32);
            } else {
                continue; // never produced by the encoder: a control character stands for nothing
            }
            if (fFull)
                break;
            Write(B);
        }
        return fOut;
    }

private:
    static ushort Low(ushort C) { return C & 0xFF; }

    // The next character as a whole 16-bit value; 0 beyond the end of S
    // (nothing beyond S is read).
    ushort NextWhole()
    {
        if (fI < fS.size())
            return fS.at(fI++).unicode();
        return 0;
    }
    ushort Next() { return Low(NextWhole()); }

    // Rule A: one byte from C, and from the character after it when C is a
    // hex-like digit "'" .. "7".
    quint8 ByteFrom(ushort C)
    {
        if (C == 32 || C >= 56)
            return quint8(C);
        if (C == '&')
            return 0;
        const ushort C2 = Next();
        return quint8((int(C) - 40) * 16 + (int(C2) - 40));
    }

    qint64 Size() const { return fOut.size(); }

    // Counts Steps output positions walked or rewritten; past the limit
    // decoding stops as it does at the output limit.
    void Spend(qint64 Steps)
    {
        fSteps += Steps;
        if (fSteps > fStepsLimit)
            fFull = true;
    }

    void SkipFilled()
    {
        if (fP >= Size())
            return;
        const qint64 From = fP;
        const char *Data = fOut.constData();
        const void *Hit = std::memchr(Data + fP, fM, size_t(Size() - fP));
        fP = Hit ? qint64(static_cast<const char *>(Hit) - Data) : Size();
        Spend(fP - From);
    }

    // Writes at the write position (appending at the end, overwriting inside,
    // filling a gap with zeros beyond the end) and skips filled bytes.
    void Write(quint8 B)
    {
        if (fFull)
            return;
        Spend(1);
        if (fP >= Size()) {
            if (fP >= fLimit) {
                fFull = true;
                return;
            }
            if (fP > Size())
                fOut.append(qsizetype(fP - Size()), '\0');
            fOut.append(char(B));
        } else {
            fOut[qsizetype(fP)] = char(B);
        }
        ++fP;
        SkipFilled();
    }

    // Appends Pattern Times times at the end; the position stays at the end.
    void AppendRepeated(const QByteArray &Pattern, qint64 Times)
    {
        const qint64 Room = (fLimit - Size()) / Pattern.size();
        if (Times > Room) {
            Times = Room;
            fFull = true;
        }
        fOut.reserve(qsizetype(Size() + Times * Pattern.size()));
        for (qint64 t = 0; t < Times; ++t)
            fOut.append(Pattern);
        fP = Size();
    }

    // Rule B: a run with step K (1..5). Answers the value byte, which the
    // main loop writes once more at the run's start.
    quint8 ReadRun(int K)
    {
        // Count: one character above 39, or a digit count and base-88 digits.
        const ushort X = NextWhole();
        qint64 N;
        if (X > 39) {
            N = X - 39;
        } else {
            const int Digits = X <= 33 ? 1 : X - 32;
            N = 87;
            qint64 Number = 0;
            for (int d = 0; d < Digits; ++d) {
                const ushort Y = Next();
                Number = Number * 88 + (Y == '&' ? 0 : (int(Y) - 39) & 0xFF);
            }
            N += Number;
        }
        const quint8 Value = ByteFrom(Next());

        if (K == 1) {
            for (qint64 t = 0; t < N && !fFull; ++t) {
                if (fP == Size()) {
                    AppendRepeated(QByteArray(1, char(Value)), N - t);
                    break;
                }
                Write(Value);
            }
            return Value;
        }

        // Interleaved run: the placeholder must differ from the value byte.
        const qint64 P0 = fP;
        if (fM == Value) {
            const quint8 OldM = fM;
            ++fM;
            if (Size() - P0 >= 2) {
                const qint64 Last = qMin<qint64>(P0 + 3, Size() - 1);
                auto Taken = [&] {
                    for (qint64 q = P0 + 1; q <= Last; ++q)
                        if (quint8(fOut.at(qsizetype(q))) == fM)
                            return true;
                    return false;
                };
                while (Taken())
                    ++fM;
                // Local copies: the bytes written may not alias the members,
                // so the pass runs at memory speed.
                char *Data = fOut.data();
                std::replace(Data + P0 + 1, Data + Size(), char(OldM), char(fM));
                Spend(Size() - P0 - 1);
            }
        }
        const qint64 P1 = fP;
        fP = P1 + 1;
        SkipFilled();
        for (qint64 t = 0; t < N && !fFull; ++t) {
            if (fP == Size()) {
                // From here on everything is appended: K - 1 reserved places, then the value.
                QByteArray Pattern(K - 1, char(fM));
                Pattern.append(char(Value));
                AppendRepeated(Pattern, N - t);
                break;
            }
            for (int s = 0; s < K - 1 && !fFull; ++s) {
                if (fP < Size() - 1) {
                    ++fP;
                    SkipFilled();
                } else {
                    Write(fM);
                }
            }
            Write(Value);
        }
        fP = P1;
        return Value;
    }

    const QString &fS;
    const qsizetype fLimit;    // the output's limit for this text
    const qint64 fStepsLimit;  // the work's limit for this text
    qsizetype fI = 0;
    QByteArray fOut;
    qint64 fP = 0;
    quint8 fM = 95;
    bool fFull = false;
    qint64 fSteps = 0;
};
} // namespace

qsizetype DecodedBytesLimitFor(qsizetype Length)
{
    if (Length >= DecodedBytesLimit / DecodedBytesPerChar)
        return DecodedBytesLimit;
    return Length * DecodedBytesPerChar;
}

QByteArray DecodeTextToBytes(const QString &S)
{
    return TDecoder(S).Run();
}

void DecodeTextToStream(QBuffer &Stream, const QString &S)
{
    const QByteArray Bytes = DecodeTextToBytes(S);
    Stream.close();
    Stream.setData(Bytes);
    Stream.open(QIODevice::ReadWrite);
    Stream.seek(0);
}
