#include "installer/platform/wine/download_response.h"

#include <optional>

namespace {

// Lengths longer than this many digits (after leading zeros) do not fit a
// qint64 safely and are far beyond any cap: treated as malformed, never as
// "unknown", which would let the body run on until the connection closes.
constexpr int MaxLengthDigits = 18;

std::optional<qint64> DecimalOf(QByteArray Text)
{
    Text = Text.trimmed();
    if (Text.isEmpty())
        return std::nullopt;
    qsizetype First = 0;
    while (First + 1 < Text.size() && Text[First] == '0')
        ++First;
    if (Text.size() - First > MaxLengthDigits)
        return std::nullopt;
    qint64 Value = 0;
    for (qsizetype I = First; I < Text.size(); ++I) {
        const char C = Text[I];
        if (C < '0' || C > '9')
            return std::nullopt;
        Value = Value * 10 + (C - '0');
    }
    return Value;
}

struct TContentRange
{
    qint64 First = 0;
    qint64 Last = 0;
    qint64 Total = -1; // "*": unknown
};

// "bytes First-Last/Total" with Total a number or "*".
std::optional<TContentRange> ContentRangeOf(const QByteArray &Value)
{
    const QByteArray Text = Value.trimmed();
    if (!Text.toLower().startsWith("bytes "))
        return std::nullopt;
    const QByteArray Spec = Text.mid(6).trimmed();
    const qsizetype Dash = Spec.indexOf('-');
    const qsizetype Slash = Spec.indexOf('/');
    if (Dash <= 0 || Slash <= Dash)
        return std::nullopt;
    const auto First = DecimalOf(Spec.left(Dash));
    const auto Last = DecimalOf(Spec.mid(Dash + 1, Slash - Dash - 1));
    if (!First || !Last || *Last < *First)
        return std::nullopt;
    TContentRange Range{*First, *Last, -1};
    const QByteArray TotalText = Spec.mid(Slash + 1).trimmed();
    if (TotalText != "*") {
        const auto Total = DecimalOf(TotalText);
        if (!Total || *Total <= *Last)
            return std::nullopt;
        Range.Total = *Total;
    }
    return Range;
}

bool IsHttpScheme(const QUrl &Url)
{
    const QString Scheme = Url.scheme().toLower();
    return Scheme == QLatin1String("http") || Scheme == QLatin1String("https");
}

TResponseVerdict Refuse(const QString &Reason)
{
    TResponseVerdict Verdict;
    Verdict.Action = TResponseAction::Refuse;
    Verdict.Reason = Reason;
    return Verdict;
}

TResponseVerdict JudgeRedirect(const TResponseHead &Head, const TResponseRequest &Request)
{
    const QList<QByteArray> Locations = HeaderValues(Head, "location");
    if (Locations.size() != 1 || Locations.first().trimmed().isEmpty())
        return Refuse(QStringLiteral("server answered %1").arg(Head.Status));
    const QUrl Location(QString::fromUtf8(Locations.first().trimmed()), QUrl::StrictMode);
    if (!Location.isValid())
        return Refuse(QStringLiteral("redirect to a malformed URL"));
    const QUrl Next = Request.Url.resolved(Location);
    if (!IsHttpScheme(Next) || Next.host().isEmpty())
        return Refuse(QStringLiteral("redirect to a non-http URL: %1").arg(Next.toString()));
    if (Request.Url.scheme().toLower() == QLatin1String("https") && Next.scheme().toLower() != QLatin1String("https"))
        return Refuse(QStringLiteral("redirect from https to http refused: %1").arg(Next.toString()));
    TResponseVerdict Verdict;
    Verdict.Action = TResponseAction::Redirect;
    Verdict.Location = Next;
    return Verdict;
}

} // namespace

QList<QByteArray> HeaderValues(const TResponseHead &Head, const QByteArray &Name)
{
    QList<QByteArray> Values;
    for (const auto &[Key, Value] : Head.Headers)
        if (Key.compare(Name, Qt::CaseInsensitive) == 0)
            Values.append(Value);
    return Values;
}

qint64 ContentLengthOf(const TResponseHead &Head)
{
    qint64 Length = -1;
    for (const QByteArray &Value : HeaderValues(Head, "content-length")) {
        // Copies joined with ", " by the network layer are split again: each
        // must be the same number, or the body's end is anybody's guess.
        for (const QByteArray &Part : Value.split(',')) {
            const auto Parsed = DecimalOf(Part);
            if (!Parsed || (Length >= 0 && *Parsed != Length))
                return -2;
            Length = *Parsed;
        }
    }
    return Length;
}

TResponseVerdict JudgeResponse(const TResponseHead &Head, const TResponseRequest &Request)
{
    const int Status = Head.Status;
    if (Status < 200 || Status > 599)
        return Refuse(QStringLiteral("unexpected status %1").arg(Status));
    if (Status >= 300 && Status < 400)
        return JudgeRedirect(Head, Request);
    if (Status >= 500) {
        TResponseVerdict Verdict;
        Verdict.Action = TResponseAction::Retry;
        Verdict.Reason = QStringLiteral("server answered %1").arg(Status);
        return Verdict;
    }
    if (Status == 416 && Request.Offset > 0) {
        TResponseVerdict Verdict;
        Verdict.Action = TResponseAction::Restart;
        Verdict.Reason = QStringLiteral("range not satisfiable");
        return Verdict;
    }
    if (Status >= 400)
        return Refuse(QStringLiteral("server answered %1").arg(Status));

    const qint64 Length = ContentLengthOf(Head);
    if (Length == -2) {
        QStringList Values;
        for (const QByteArray &Value : HeaderValues(Head, "content-length"))
            Values.append(QString::fromLatin1(Value.left(40)));
        return Refuse(QStringLiteral("malformed or conflicting Content-Length: %1").arg(Values.join(QStringLiteral(" | "))));
    }
    if (Length >= 0 && !HeaderValues(Head, "transfer-encoding").isEmpty())
        return Refuse(QStringLiteral("both Content-Length and Transfer-Encoding"));

    TResponseVerdict Verdict;
    Verdict.Length = Length;
    if (Status == 206) {
        if (Request.Offset <= 0)
            return Refuse(QStringLiteral("partial content that was not asked for"));
        const QList<QByteArray> Ranges = HeaderValues(Head, "content-range");
        const auto Range = Ranges.size() == 1 ? ContentRangeOf(Ranges.first()) : std::nullopt;
        // The rest of the same file, or nothing: anything else starts over.
        if (!Range || Range->First != Request.Offset || (Length >= 0 && Length != Range->Last - Range->First + 1)
            || (Range->Total >= 0 && Range->Last != Range->Total - 1)
            || (Request.Total >= 0 && Range->Total >= 0 && Range->Total != Request.Total)) {
            Verdict.Action = TResponseAction::Restart;
            Verdict.Reason = QStringLiteral("the range answered does not continue the file");
            return Verdict;
        }
        Verdict.Action = TResponseAction::Resume;
        Verdict.Length = Range->Last - Range->First + 1;
        Verdict.Total = Range->Total >= 0 ? Range->Total : Range->Last + 1;
    } else {
        Verdict.Action = TResponseAction::Body;
        Verdict.Total = Length;
    }
    if (Verdict.Total > Request.MaxBytes)
        return Refuse(QStringLiteral("the file's announced size of %1 bytes exceeds the limit of %2 bytes")
                          .arg(Verdict.Total)
                          .arg(Request.MaxBytes));
    return Verdict;
}
