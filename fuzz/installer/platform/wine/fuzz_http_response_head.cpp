// The fuzz bytes are an HTTP answer as it comes off the wire, head and body.
// The first byte picks the size of the pieces the rest arrives in. The
// answer is read once whole and once in those pieces: both must agree, and
// the head and the chunk lines must stay within their bounds whatever the
// bytes say.

#include "installer/platform/wine/http_response_head.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

struct TRead
{
    THttpResponseHead Head;
    THttpBodyReader Body;
    QByteArray Decoded;
    bool InBody = false;
};

TRead Read(const QByteArray &Answer, qsizetype Piece)
{
    TRead R;
    for (qsizetype At = 0; At < Answer.size(); At += Piece) {
        QByteArray Bytes = Answer.mid(At, Piece);
        if (!R.InBody) {
            const THttpResponseHead::TState Before = R.Head.State();
            const qsizetype Taken = R.Head.Feed(Bytes.constData(), Bytes.size());
            Check(Taken >= 0 && Taken <= Bytes.size());
            Check(Before == THttpResponseHead::TState::Reading || Taken == 0);
            Check(R.Head.HeadBytes() <= THttpResponseHead::MaxHeadBytes);
            Check(R.Head.Head().Headers.size() <= THttpResponseHead::MaxHeaderLines);
            if (R.Head.State() != THttpResponseHead::TState::Complete)
                continue;
            R.Body = THttpBodyReader::ForHead(R.Head.Head());
            R.InBody = true;
            Bytes.remove(0, Taken);
        }
        const qint64 Got = R.Body.Decode(Bytes.data(), Bytes.size());
        Check(Got >= 0 && Got <= Bytes.size());
        R.Decoded += Bytes.left(Got);
    }
    if (R.InBody)
        R.Body.Closed();
    return R;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size == 0)
        return 0;
    const qsizetype Piece = 1 + Data[0] % 64;
    const QByteArray Answer(reinterpret_cast<const char *>(Data + 1), qsizetype(Size - 1));
    const TRead Whole = Read(Answer, qMax<qsizetype>(1, Answer.size()));
    const TRead Pieces = Read(Answer, Piece);
    Check(Whole.Head.State() == Pieces.Head.State());
    Check(Whole.Head.Error() == Pieces.Head.Error());
    Check(Whole.Head.Head().Status == Pieces.Head.Head().Status);
    Check(Whole.Head.Head().Headers == Pieces.Head.Head().Headers);
    Check(Whole.InBody == Pieces.InBody);
    if (Whole.InBody) {
        Check(Whole.Decoded == Pieces.Decoded);
        Check(Whole.Body.State() == Pieces.Body.State());
        Check(Whole.Body.BodyBytes() == Whole.Decoded.size());
        if (Whole.Body.Framing() == THttpBodyReader::TFraming::Length)
            Check(Whole.Decoded.size() <= qMax<qint64>(0, ContentLengthOf(Whole.Head.Head())));
    }
    return 0;
}
