#include "glotta/engine/lexicon.h"

#include "glotta/store/component_names.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/store/text_helpers.h"

#include <limits>

namespace {
const QChar LinkOpen = QChar(0x00AB);  // «
const QChar LinkClose = QChar(0x00BB); // »
const QChar LinkItem = QLatin1Char('#');
const QChar LinkQuote = QLatin1Char('"');
const QChar LinkEnd = QLatin1Char(';');
// A marker needs its kind character and at least two more after the "«".
constexpr int MarkerMinTail = 3;
const QString UndefinedLink = QStringLiteral("???");
} // namespace

QString TLMList::ListPath() const
{
    return fPath.Path(this);
}

QString TLexicon::GetLink(int Index) const
{
    return QString(LinkOpen) + LinkItem + QString::number(Index) + LinkEnd;
}

QString TLexicon::CompleteString(const QString &Str)
{
    QString Result;
    Result.reserve(Str.size());
    const qsizetype Len = Str.size();
    qsizetype i = 0;
    while (i < Len) {
        const QChar C = Str[i];
        if (C != LinkOpen || Len - i - 1 < MarkerMinTail) {
            Result += C;
            ++i;
            continue;
        }
        const QChar Kind = Str[i + 1];
        if (Kind == LinkItem) {
            qsizetype j = i + 2;
            qint64 N = 0;
            bool Overflow = false;
            while (j < Len && Str[j] >= QLatin1Char('0') && Str[j] <= QLatin1Char('9')) {
                N = N * 10 + (Str[j].unicode() - '0');
                if (N > std::numeric_limits<int>::max()) {
                    Overflow = true;
                    N = std::numeric_limits<int>::max();
                }
                ++j;
            }
            if (j < Len && Str[j] == LinkEnd) {
                // "«#;" names no item: it is a broken link like one to an
                // undefined item, not text to keep.
                const bool HasNumber = j > i + 2;
                if (HasNumber && !Overflow && N <= MaxItemIndex() && IsDefined(int(N)))
                    Result += GetItem(int(N));
                else
                    Result += UndefinedLink;
                i = j + 1;
            } else {
                // Not a link: the "«" stays and the "#" is read as text.
                Result += C;
                ++i;
            }
            continue;
        }
        if (Kind == LinkQuote) {
            qsizetype j = i + 2;
            while (j + 1 < Len && !(Str[j] == LinkQuote && Str[j + 1] == LinkClose))
                ++j;
            if (j + 1 >= Len)
                break; // unterminated: the rest from the "«" on is dropped
            const QString T = Str.mid(i + 2, j - i - 2);
            if (T.isEmpty()) {
                // «""»: the "«" and the opening quote go; the closing pair stays.
                i = j;
                continue;
            }
            if (fGlottaEngine)
                Result += fGlottaEngine->TranslateString(T, this, -1);
            else {
                QString D = T;
                DecodeCharCodes(D);
                Result += D;
            }
            i = j + 2;
            continue;
        }
        Result += C;
        ++i;
    }
    return Result;
}

TCustomDesignedLexicon::TCustomDesignedLexicon(QObject *Owner) : TLexicon(Owner) {}

QString TCustomDesignedLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    if (fGlottaEngine)
        return fGlottaEngine->TranslateString(fItems.Strings(Index), this, Index);
    QString S = fItems.Strings(Index);
    DecodeCharCodes(S);
    return S;
}

bool TCustomDesignedLexicon::IsDefined(int Index) const
{
    // A negative Index reaches the list and raises its index error.
    return Index < fItems.Count() && !fItems.Strings(Index).isEmpty();
}

bool TCustomDesignedLexicon::IsDefined(const QString &LocStr) const
{
    // An empty line is no defined item, so the empty text names none.
    return !LocStr.isEmpty() && fItems.IndexOf(LocStr) >= 0;
}

QString TCustomDesignedLexicon::GetLocStr(int Index) const
{
    return Index < fItems.Count() ? fItems.Strings(Index) : QString();
}

int TCustomDesignedLexicon::CreateItem(const QString &Text)
{
    QString S = Text;
    EncodeControlChars(S);
    return fItems.Add(S);
}
