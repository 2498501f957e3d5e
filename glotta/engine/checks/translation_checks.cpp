#include "glotta/engine/checks/translation_checks.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The placeholders of one text, by how a translation may treat them: keyed
// ones (Qt's %1..%99 and %n, printf's positional %1$s, {name}) may move and
// repeat, so only their presence counts; printf's plain conversions (%s,
// %5.2f) are taken in order, so their sequence counts.
struct TPlaceholders
{
    QSet<QString> Keyed;
    QStringList Ordered;
};

const QString LengthModifier = QStringLiteral("(?:hh|h|ll|l|L|q|j|z|t)?");
const QString Conversion = QStringLiteral("[diouxXeEfFgGaAcsp]");

// No space flag: "100 % done" would otherwise read as a "% d" conversion, and
// a real printf format with a space flag is rare in user-facing texts.
const QRegularExpression &PositionalPrintf()
{
    static const QRegularExpression R(QStringLiteral("%([1-9][0-9]?)\\$[-+#0']*(?:[0-9]+)?(?:\\.[0-9]+)?")
                                      + LengthModifier + QStringLiteral("(") + Conversion + QStringLiteral(")"));
    return R;
}

const QRegularExpression &QtNumbered()
{
    static const QRegularExpression R(QStringLiteral("%L?([1-9][0-9]?)"));
    return R;
}

const QRegularExpression &QtPlural()
{
    static const QRegularExpression R(QStringLiteral("%L?n"));
    return R;
}

// "%5" is Qt's fifth argument, so a width alone does not make a printf form;
// flags, a precision or a "*" width do ("%5.2f", "%-10s", "%05d").
const QRegularExpression &ExplicitPrintf()
{
    static const QRegularExpression R(
        QStringLiteral("%(?:[-+#0']+(?:[0-9]+|\\*)?(?:\\.(?:[0-9]+|\\*))?|(?:[0-9]+|\\*)?\\.(?:[0-9]+|\\*)|\\*)")
        + LengthModifier + Conversion);
    return R;
}

const QRegularExpression &SequentialPrintf()
{
    static const QRegularExpression R(QStringLiteral("%") + LengthModifier + Conversion);
    return R;
}

const QRegularExpression &Named()
{
    static const QRegularExpression R(QStringLiteral("\\{(?:[A-Za-z_][A-Za-z0-9_]*|[0-9]+)\\}"));
    return R;
}

QRegularExpressionMatch MatchAt(const QRegularExpression &R, const QString &Text, qsizetype At)
{
    return R.match(Text, At, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
}

TPlaceholders PlaceholdersOf(const QString &Text)
{
    TPlaceholders P;
    qsizetype i = 0;
    while (i < Text.size()) {
        const QChar C = Text.at(i);
        if (C == QLatin1Char('%')) {
            if (i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('%')) {
                i += 2; // a literal percent sign
                continue;
            }
            QRegularExpressionMatch M = MatchAt(PositionalPrintf(), Text, i);
            if (M.hasMatch()) {
                P.Keyed.insert(QLatin1Char('%') + M.captured(1) + QLatin1Char('$') + M.captured(2));
                i = M.capturedEnd();
                continue;
            }
            M = MatchAt(ExplicitPrintf(), Text, i);
            if (M.hasMatch()) {
                P.Ordered << M.captured(0);
                i = M.capturedEnd();
                continue;
            }
            M = MatchAt(QtNumbered(), Text, i);
            if (M.hasMatch()) {
                // %L1 is %1 in the locale's digits: the same value either way.
                P.Keyed.insert(QLatin1Char('%') + M.captured(1));
                i = M.capturedEnd();
                continue;
            }
            M = MatchAt(QtPlural(), Text, i);
            if (M.hasMatch()) {
                P.Keyed.insert(QStringLiteral("%n"));
                i = M.capturedEnd();
                continue;
            }
            M = MatchAt(SequentialPrintf(), Text, i);
            if (M.hasMatch()) {
                P.Ordered << M.captured(0);
                i = M.capturedEnd();
                continue;
            }
        } else if (C == QLatin1Char('{')) {
            const QRegularExpressionMatch M = MatchAt(Named(), Text, i);
            if (M.hasMatch()) {
                P.Keyed.insert(M.captured(0));
                i = M.capturedEnd();
                continue;
            }
        }
        ++i;
    }
    return P;
}

QString Listed(QStringList Items)
{
    return Items.join(QStringLiteral(", "));
}

QStringList Sorted(QSet<QString> Items)
{
    QStringList L(Items.begin(), Items.end());
    std::sort(L.begin(), L.end());
    return L;
}

// Items of A not matched one for one in B, in A's order.
QStringList Unmatched(const QStringList &A, const QStringList &B)
{
    QStringList Rest = B;
    QStringList Out;
    for (const QString &S : A) {
        const qsizetype k = Rest.indexOf(S);
        if (k < 0)
            Out << S;
        else
            Rest.removeAt(k);
    }
    return Out;
}

void CheckPlaceholders(const QString &Design, const QString &Translation, QList<TCheckFinding> &Out)
{
    const TPlaceholders D = PlaceholdersOf(Design);
    const TPlaceholders T = PlaceholdersOf(Translation);
    QStringList Missing = Sorted(D.Keyed - T.Keyed);
    QStringList Added = Sorted(T.Keyed - D.Keyed);
    Missing << Unmatched(D.Ordered, T.Ordered);
    Added << Unmatched(T.Ordered, D.Ordered);
    if (!Missing.isEmpty())
        Out << TCheckFinding{TCheckRule::Placeholders,
                             QStringLiteral("The translation lacks the placeholder%1 %2 of the design text.")
                                 .arg(Missing.size() > 1 ? QStringLiteral("s") : QString(), Listed(Missing))};
    if (!Added.isEmpty())
        Out << TCheckFinding{TCheckRule::Placeholders,
                             QStringLiteral("The translation adds the placeholder%1 %2, which the design text does not have.")
                                 .arg(Added.size() > 1 ? QStringLiteral("s") : QString(), Listed(Added))};
    if (Missing.isEmpty() && Added.isEmpty() && D.Ordered != T.Ordered)
        Out << TCheckFinding{TCheckRule::Placeholders,
                             QStringLiteral("The translation has the placeholders %1 in another order than the design text (%2); "
                                            "without a position they are filled in order.")
                                 .arg(Listed(T.Ordered), Listed(D.Ordered))};
}

// Accelerator markers: "&" before any character but another "&" ("&&" shows
// one ampersand); a "&" at the very end marks nothing.
int AcceleratorCount(const QString &Text, QChar *First = nullptr)
{
    int Count = 0;
    for (qsizetype i = 0; i + 1 < Text.size(); ++i) {
        if (Text.at(i) != QLatin1Char('&'))
            continue;
        if (Text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (Count == 0 && First)
            *First = Text.at(i + 1);
        ++Count;
        ++i;
    }
    return Count;
}

void CheckAccelerator(const QString &Design, const QString &Translation, QList<TCheckFinding> &Out)
{
    const int D = AcceleratorCount(Design);
    const int T = AcceleratorCount(Translation);
    if (D > 0 && T == 0)
        Out << TCheckFinding{TCheckRule::Accelerator,
                             QStringLiteral("The translation has lost the accelerator (&) the design text has.")};
    else if (T > 1 && T > D)
        Out << TCheckFinding{TCheckRule::Accelerator,
                             QStringLiteral("The translation has %1 accelerator markers (&) where a text shows one; "
                                            "write && for an ampersand.")
                                 .arg(T)};
}

bool IsLineBreak(QChar C)
{
    return C == QLatin1Char('\n') || C == QLatin1Char('\r');
}

// The blanks (spaces, tabs, no-break spaces; not line breaks) of the white
// space at one end of a text.
QString EndBlanks(const QString &Text, bool AtStart)
{
    QString Run;
    if (AtStart) {
        for (qsizetype i = 0; i < Text.size() && Text.at(i).isSpace(); ++i)
            if (!IsLineBreak(Text.at(i)))
                Run += Text.at(i);
    } else {
        for (qsizetype i = Text.size() - 1; i >= 0 && Text.at(i).isSpace(); --i)
            if (!IsLineBreak(Text.at(i)))
                Run.prepend(Text.at(i));
    }
    return Run;
}

QString BlanksWord(qsizetype N)
{
    if (N == 0)
        return QStringLiteral("no blank");
    return N == 1 ? QStringLiteral("1 blank") : QStringLiteral("%1 blanks").arg(N);
}

void CheckBlanks(const QString &Design, const QString &Translation, QList<TCheckFinding> &Out)
{
    for (bool AtStart : {true, false}) {
        const QString D = EndBlanks(Design, AtStart);
        const QString T = EndBlanks(Translation, AtStart);
        if (D == T)
            continue;
        const QString Verb = AtStart ? QStringLiteral("begins") : QStringLiteral("ends");
        if (D.size() == T.size())
            Out << TCheckFinding{TCheckRule::Blanks,
                                 QStringLiteral("The translation %1 with other blanks than the design text.").arg(Verb)};
        else
            Out << TCheckFinding{TCheckRule::Blanks, QStringLiteral("The translation %1 with %2, the design text with %3.")
                                                          .arg(Verb, BlanksWord(T.size()), BlanksWord(D.size()))};
    }
}

// CR LF, CR alone and LF alone each end one line.
int LineBreakCount(const QString &Text)
{
    int Count = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text.at(i) == QLatin1Char('\r')) {
            ++Count;
            if (i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (Text.at(i) == QLatin1Char('\n')) {
            ++Count;
        }
    }
    return Count;
}

QString BreaksWord(int N)
{
    if (N == 0)
        return QStringLiteral("no line break");
    return N == 1 ? QStringLiteral("1 line break") : QStringLiteral("%1 line breaks").arg(N);
}

void CheckLineBreaks(const QString &Design, const QString &Translation, QList<TCheckFinding> &Out)
{
    const int D = LineBreakCount(Design);
    const int T = LineBreakCount(Translation);
    if (D != T)
        Out << TCheckFinding{TCheckRule::LineBreaks,
                             QStringLiteral("The translation has %1, the design text %2.").arg(BreaksWord(T), BreaksWord(D))};
}

} // namespace

QString CheckRuleName(TCheckRule Rule)
{
    switch (Rule) {
    case TCheckRule::Placeholders: return QStringLiteral("placeholders");
    case TCheckRule::Accelerator: return QStringLiteral("accelerator");
    case TCheckRule::AcceleratorClash: return QStringLiteral("accelerator-clash");
    case TCheckRule::Blanks: return QStringLiteral("blanks");
    case TCheckRule::LineBreaks: return QStringLiteral("line-breaks");
    case TCheckRule::EmptyOwn: return QStringLiteral("empty-own");
    case TCheckRule::Obsolete: return QStringLiteral("obsolete");
    }
    return QString();
}

bool CheckRuleOfName(const QString &Name, TCheckRule &Rule)
{
    for (TCheckRule R : {TCheckRule::Placeholders, TCheckRule::Accelerator, TCheckRule::AcceleratorClash,
                         TCheckRule::Blanks, TCheckRule::LineBreaks, TCheckRule::EmptyOwn, TCheckRule::Obsolete}) {
        if (CheckRuleName(R) == Name) {
            Rule = R;
            return true;
        }
    }
    return false;
}

QList<TCheckFinding> CheckTranslation(const QString &DesignText, const QString &Translation)
{
    QList<TCheckFinding> Out;
    if (Translation.isEmpty())
        return Out;
    CheckPlaceholders(DesignText, Translation, Out);
    CheckAccelerator(DesignText, Translation, Out);
    CheckBlanks(DesignText, Translation, Out);
    CheckLineBreaks(DesignText, Translation, Out);
    return Out;
}

QList<TCheckFinding> CheckTranslation(const QString &DesignText, const QString &Translation, bool MarkedOwn)
{
    if (MarkedOwn && Translation.isEmpty() && !DesignText.isEmpty())
        return {TCheckFinding{TCheckRule::EmptyOwn,
                              QStringLiteral("The line is marked as the language's own translation, but its translation is empty.")}};
    return CheckTranslation(DesignText, Translation);
}

QChar AcceleratorOf(const QString &Text)
{
    QChar First;
    if (AcceleratorCount(Text, &First) == 0)
        return QChar();
    return First.toCaseFolded();
}

QList<TCheckGroupFinding> CheckAcceleratorClashes(const QList<TCheckGroupItem> &Items)
{
    // Letter -> the items showing it, in item order.
    QMap<QChar, QList<qsizetype>> ByLetter;
    for (qsizetype i = 0; i < Items.size(); ++i) {
        const TCheckGroupItem &It = Items.at(i);
        const QChar L = AcceleratorOf(It.Translation.isEmpty() ? It.DesignText : It.Translation);
        if (!L.isNull())
            ByLetter[L] << i;
    }
    QMap<qsizetype, TCheckGroupFinding> Found; // by item index, so the result keeps item order
    for (auto Entry = ByLetter.cbegin(); Entry != ByLetter.cend(); ++Entry) {
        const QList<qsizetype> &Sharing = Entry.value();
        if (Sharing.size() < 2)
            continue;
        const QChar DesignLetter = AcceleratorOf(Items.at(Sharing.first()).DesignText);
        const bool DesignClashes = !DesignLetter.isNull()
            && std::all_of(Sharing.begin(), Sharing.end(),
                           [&](qsizetype k) { return AcceleratorOf(Items.at(k).DesignText) == DesignLetter; });
        if (DesignClashes)
            continue;
        for (qsizetype k : Sharing) {
            QStringList Others;
            for (qsizetype j : Sharing)
                if (j != k)
                    Others << Items.at(j).Id;
            Found.insert(k, TCheckGroupFinding{
                Items.at(k).Id,
                TCheckFinding{TCheckRule::AcceleratorClash,
                              QStringLiteral("The accelerator letter \"%1\" is also the accelerator of %2 in the same window or menu.")
                                  .arg(QString(Entry.key()), Listed(Others))}});
        }
    }
    return Found.values();
}

QList<TCheckGroupFinding> CheckObsoleteLines(const QStringList &LineIds, const QSet<QString> &TemplateIds)
{
    QList<TCheckGroupFinding> Out;
    for (const QString &Id : LineIds)
        if (!TemplateIds.contains(Id))
            Out << TCheckGroupFinding{
                Id, TCheckFinding{TCheckRule::Obsolete,
                                  QStringLiteral("The template no longer has this line; it belongs to no control of the program.")}};
    return Out;
}
