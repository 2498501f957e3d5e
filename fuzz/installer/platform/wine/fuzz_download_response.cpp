// The fuzz bytes are an HTTP answer's head as it comes off the wire: a
// status line and header lines. It is split the way the network layer
// splits it and judged as the answer to a fresh http request, to a resumed
// https request and under a tiny size cap; whatever the head says, the
// verdict must keep the downloader's promises.

#include "installer/platform/wine/download_response.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

TResponseHead ParseHead(const QByteArray &Bytes)
{
    TResponseHead Head;
    const QList<QByteArray> Lines = Bytes.split('\n');
    if (Lines.isEmpty())
        return Head;
    const QList<QByteArray> Status = Lines.first().trimmed().split(' ');
    if (Status.size() >= 2)
        Head.Status = Status[1].toInt();
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        const QByteArray Line = Lines[I].trimmed();
        if (Line.isEmpty())
            break;
        const qsizetype Colon = Line.indexOf(':');
        if (Colon <= 0)
            continue;
        Head.Headers.append({Line.left(Colon).trimmed(), Line.mid(Colon + 1).trimmed()});
    }
    return Head;
}

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

void Judge(const TResponseHead &Head, const TResponseRequest &Request)
{
    const TResponseVerdict V = JudgeResponse(Head, Request);
    const qint64 Length = ContentLengthOf(Head);
    switch (V.Action) {
    case TResponseAction::Body:
        // Never more than the cap, and a length only when every copy agreed.
        Check(V.Total <= Request.MaxBytes && V.Total == V.Length && Length >= -1);
        Check(Head.Status >= 200 && Head.Status < 300 && Head.Status != 206);
        break;
    case TResponseAction::Resume:
        // Only the asked rest of the same file.
        Check(Request.Offset > 0 && Head.Status == 206);
        Check(V.Total > Request.Offset && V.Total <= Request.MaxBytes);
        Check(V.Length == V.Total - Request.Offset);
        Check(Request.Total < 0 || V.Total == Request.Total);
        break;
    case TResponseAction::Redirect: {
        const QString Scheme = V.Location.scheme();
        Check(V.Location.isValid() && !V.Location.host().isEmpty());
        Check(Scheme == QLatin1String("https") || (Scheme == QLatin1String("http") && Request.Url.scheme() == QLatin1String("http")));
        break;
    }
    case TResponseAction::Retry:
        Check(Head.Status >= 500 && Head.Status <= 599);
        break;
    case TResponseAction::Restart:
        Check(Request.Offset > 0);
        break;
    case TResponseAction::Refuse:
        Check(!V.Reason.isEmpty());
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const TResponseHead Head = ParseHead(QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size)));
    Judge(Head, {QUrl(QStringLiteral("http://127.0.0.1:8088/data/f.bin")), 0, -1, qint64(4) << 30});
    Judge(Head, {QUrl(QStringLiteral("https://example.org/data/f.bin")), 100, 1000, qint64(4) << 30});
    Judge(Head, {QUrl(QStringLiteral("https://example.org/data/f.bin")), 0, -1, 10});
    return 0;
}
