#include "installer/platform/wine/http_response_head.h"

#include <cstring>

namespace {

// Hex digits of a chunk size past leading zeros: 15 fit a qint64 with room.
constexpr int MaxChunkSizeDigits = 15;

// "HTTP/1.x NNN[ reason]": the status, or -1.
int StatusOf(const QByteArray &Line)
{
    if (Line.size() < 12 || !Line.startsWith("HTTP/1.") || Line[7] < '0' || Line[7] > '9' || Line[8] != ' ')
        return -1;
    int Status = 0;
    for (int I = 9; I < 12; ++I) {
        if (Line[I] < '0' || Line[I] > '9')
            return -1;
        Status = Status * 10 + (Line[I] - '0');
    }
    if (Line.size() > 12 && Line[12] != ' ')
        return -1;
    return Status;
}

int HexDigit(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

bool IsToken(const QByteArray &Name)
{
    if (Name.isEmpty())
        return false;
    for (const char C : Name)
        if (C <= ' ' || C >= 127 || std::strchr("\"(),/:;<=>?@[\\]{}", C))
            return false;
    return true;
}

} // namespace

qsizetype THttpResponseHead::Feed(const char *Data, qsizetype Size)
{
    qsizetype Taken = 0;
    while (Taken < Size && fState == TState::Reading) {
        const char *Start = Data + Taken;
        const auto *End = static_cast<const char *>(std::memchr(Start, '\n', size_t(Size - Taken)));
        const qsizetype Piece = End ? End - Start + 1 : Size - Taken;
        // Counted as the bytes come, not when a line ends: a line that never
        // ends is refused as soon as it passes the bound.
        if (fHeadBytes + Piece > MaxHeadBytes) {
            Taken += MaxHeadBytes - fHeadBytes;
            fHeadBytes = MaxHeadBytes;
            Fail(QStringLiteral("the answer's head is longer than %1 bytes").arg(MaxHeadBytes));
            break;
        }
        fHeadBytes += Piece;
        fLine.append(Start, End ? Piece - 1 : Piece);
        Taken += Piece;
        if (End) {
            if (fLine.endsWith('\r'))
                fLine.chop(1);
            const bool Going = EndLine();
            fLine.clear();
            if (!Going)
                break;
        }
    }
    return Taken;
}

bool THttpResponseHead::EndLine()
{
    if (fAtStatusLine) {
        const int Status = StatusOf(fLine);
        if (Status < 0) {
            Fail(QStringLiteral("malformed status line: %1").arg(QString::fromLatin1(fLine.left(40))));
            return false;
        }
        fHead = TResponseHead();
        fHead.Status = Status;
        fAtStatusLine = false;
        return true;
    }
    if (fLine.isEmpty()) {
        // An interim answer (100 Continue, 103 Early Hints) precedes the
        // real one; 101 is not asked for and is left to the judge.
        if (fHead.Status >= 100 && fHead.Status < 200 && fHead.Status != 101) {
            fAtStatusLine = true;
            return true;
        }
        fState = TState::Complete;
        return false;
    }
    if (++fHeaderLines > MaxHeaderLines) {
        Fail(QStringLiteral("the answer's head has more than %1 header lines").arg(MaxHeaderLines));
        return false;
    }
    if (fLine[0] == ' ' || fLine[0] == '\t') {
        // An old-style continuation of the previous header's value.
        if (fHead.Headers.isEmpty()) {
            Fail(QStringLiteral("malformed head: a continuation line without a header"));
            return false;
        }
        QByteArray &Value = fHead.Headers.last().second;
        Value += (Value.isEmpty() ? "" : " ") + fLine.trimmed();
        return true;
    }
    const qsizetype Colon = fLine.indexOf(':');
    const QByteArray Name = Colon > 0 ? fLine.left(Colon).trimmed() : QByteArray();
    // A line that is no header is passed over, as browsers do.
    if (IsToken(Name))
        fHead.Headers.append({Name, fLine.mid(Colon + 1).trimmed()});
    return true;
}

void THttpResponseHead::Fail(const QString &Reason)
{
    fState = TState::Malformed;
    fError = Reason;
    fLine.clear();
}

THttpBodyReader THttpBodyReader::ForHead(const TResponseHead &Head)
{
    if (Head.Status == 204 || Head.Status == 304 || (Head.Status >= 100 && Head.Status < 200))
        return THttpBodyReader(TFraming::Length, 0);
    const QList<QByteArray> Encodings = HeaderValues(Head, "transfer-encoding");
    if (!Encodings.isEmpty()) {
        for (const QByteArray &Value : Encodings)
            for (const QByteArray &Coding : Value.split(','))
                if (Coding.trimmed().toLower() == "chunked")
                    return THttpBodyReader(TFraming::Chunked, 0);
        return THttpBodyReader(TFraming::UntilClose, 0);
    }
    const qint64 Length = ContentLengthOf(Head);
    if (Length >= 0)
        return THttpBodyReader(TFraming::Length, Length);
    return THttpBodyReader(TFraming::UntilClose, 0);
}

THttpBodyReader::THttpBodyReader(TFraming Framing, qint64 Length) : fFraming(Framing), fRemaining(Length)
{
    if (Framing == TFraming::Length && Length <= 0)
        fState = TState::Complete;
}

qint64 THttpBodyReader::Decode(char *Data, qint64 Size)
{
    if (fState != TState::Reading || Size <= 0)
        return 0;
    if (fFraming == TFraming::UntilClose) {
        fBodyBytes += Size;
        return Size;
    }
    if (fFraming == TFraming::Length) {
        const qint64 Taken = qMin(Size, fRemaining);
        fRemaining -= Taken;
        fBodyBytes += Taken;
        if (fRemaining == 0)
            fState = TState::Complete;
        return Taken;
    }
    // Chunked: the data of each chunk moves forward over the chunk lines
    // already read, so the body ends up at Data's start.
    qint64 Out = 0;
    qint64 In = 0;
    while (In < Size && fState == TState::Reading) {
        if (fStep == TStep::Data) {
            const qint64 Taken = qMin(fRemaining, Size - In);
            if (Out != In)
                std::memmove(Data + Out, Data + In, size_t(Taken));
            Out += Taken;
            In += Taken;
            fRemaining -= Taken;
            fBodyBytes += Taken;
            if (fRemaining == 0)
                fStep = TStep::DataEnd;
            continue;
        }
        const char *Start = Data + In;
        const auto *End = static_cast<const char *>(std::memchr(Start, '\n', size_t(Size - In)));
        const qint64 Piece = End ? End - Start + 1 : Size - In;
        if (fStep == TStep::Trailer) {
            fTrailerBytes += Piece;
            if (fTrailerBytes > THttpResponseHead::MaxHeadBytes) {
                Fail(QStringLiteral("the chunked body's trailer is longer than %1 bytes").arg(THttpResponseHead::MaxHeadBytes));
                break;
            }
        } else if (fLine.size() + Piece > MaxChunkLineBytes) {
            Fail(QStringLiteral("a chunk-size line longer than %1 bytes").arg(MaxChunkLineBytes));
            break;
        }
        In += Piece;
        fLine.append(Start, End ? Piece - 1 : Piece);
        if (End) {
            if (fLine.endsWith('\r'))
                fLine.chop(1);
            const bool Going = EndChunkLine();
            fLine.clear();
            if (!Going)
                break;
        }
    }
    return Out;
}

bool THttpBodyReader::EndChunkLine()
{
    switch (fStep) {
    case TStep::Size: {
        QByteArray Text = fLine;
        const qsizetype Semicolon = Text.indexOf(';');
        if (Semicolon >= 0)
            Text.truncate(Semicolon);
        Text = Text.trimmed();
        qsizetype First = 0;
        while (First + 1 < Text.size() && Text[First] == '0')
            ++First;
        if (Text.isEmpty() || Text.size() - First > MaxChunkSizeDigits) {
            Fail(QStringLiteral("malformed chunk size: %1").arg(QString::fromLatin1(fLine.left(40))));
            return false;
        }
        qint64 Value = 0;
        for (qsizetype I = First; I < Text.size(); ++I) {
            const int Digit = HexDigit(Text[I]);
            if (Digit < 0) {
                Fail(QStringLiteral("malformed chunk size: %1").arg(QString::fromLatin1(fLine.left(40))));
                return false;
            }
            Value = Value * 16 + Digit;
        }
        fRemaining = Value;
        fStep = Value == 0 ? TStep::Trailer : TStep::Data;
        return true;
    }
    case TStep::DataEnd:
        if (!fLine.isEmpty()) {
            Fail(QStringLiteral("a chunk longer than its size"));
            return false;
        }
        fStep = TStep::Size;
        return true;
    case TStep::Trailer:
        if (fLine.isEmpty()) {
            fState = TState::Complete;
            return false;
        }
        if (++fTrailerLines > THttpResponseHead::MaxHeaderLines) {
            Fail(QStringLiteral("the chunked body's trailer has more than %1 lines").arg(THttpResponseHead::MaxHeaderLines));
            return false;
        }
        return true;
    case TStep::Data:
        break;
    }
    return true;
}

void THttpBodyReader::Closed()
{
    if (fState == TState::Reading && fFraming == TFraming::UntilClose)
        fState = TState::Complete;
}

void THttpBodyReader::Fail(const QString &Reason)
{
    fState = TState::Malformed;
    fError = Reason;
    fLine.clear();
}
