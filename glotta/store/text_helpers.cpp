#include "glotta/store/text_helpers.h"

#include <climits>

namespace {
bool IsDigit(QChar C)
{
    return C.unicode() >= '0' && C.unicode() <= '9';
}

// Appends Code as '#nn'; when the next source character is a "#" that a
// decoder would take for the continuation of this group (a "#" and a digit),
// that "#" is written as '#35' too. Answers how many source characters beyond
// the current one were consumed (0 or 1).
int AppendCode(QString &Out, const QString &S, qsizetype Pos, int Code)
{
    Out += CharCode(Code);
    const qsizetype Next = Pos + 1;
    if (Next + 1 < S.size() && S.at(Next) == QLatin1Char('#') && IsDigit(S.at(Next + 1))) {
        Out += CharCode('#');
        return 1;
    }
    return 0;
}
} // namespace

QString CharCode(int Code)
{
    return QLatin1String("'#") + QString::number(Code) + QLatin1Char('\'');
}

bool EncodeControlChars(QString &S)
{
    qsizetype First = 0;
    while (First < S.size() && S.at(First).unicode() >= 32)
        ++First;
    if (First == S.size())
        return false;
    // Character 0 is dropped first, so that "what follows a code" is judged
    // on the text as it will be written.
    QString Src = S;
    Src.remove(QChar(u'\0'));
    QString Out = Src.left(First);
    Out.reserve(Src.size() + 16);
    for (qsizetype i = First; i < Src.size(); ++i) {
        const ushort C = Src.at(i).unicode();
        if (C < 32)
            i += AppendCode(Out, Src, i, C);
        else
            Out += Src.at(i);
    }
    S = Out;
    return true;
}

bool EncodeChar(QString &S, QChar Ch)
{
    const qsizetype First = S.indexOf(Ch);
    if (First < 0)
        return false;
    QString Out = S.left(First);
    for (qsizetype i = First; i < S.size(); ++i) {
        if (S.at(i) == Ch)
            i += AppendCode(Out, S, i, Ch.unicode());
        else
            Out += S.at(i);
    }
    S = Out;
    return true;
}

void DecodeCharCodes(QString &S)
{
    const qsizetype Len = S.size();
    qsizetype i = 0;
    qsizetype Start = 0;
    QString Result;
    bool Emitted = false;
    while (i < Len) {
        // Most texts hold no code at all: the search for the apostrophe is
        // the whole cost of reading them, so it runs as Qt's vector search.
        i = S.indexOf(QLatin1Char('\''), i);
        if (i < 0)
            break;
        // A group: apostrophe, optional space, then "#digits" codes, each
        // optionally followed by a space and an apostrophe.
        QStringView Plain = QStringView(S).mid(Start, i - Start);
        ++i;
        if (i < Len && S.at(i) == QLatin1Char(' '))
            ++i;
        while (i < Len && S.at(i) == QLatin1Char('#')) {
            if (i == Len - 1)
                break;
            ++i;
            if (!IsDigit(S.at(i)))
                break;
            quint32 D = 0;
            while (i < Len && IsDigit(S.at(i))) {
                D = D * 10 + (S.at(i).unicode() - '0');
                ++i;
                if (D > 65535)
                    break;
            }
            if (i < Len) {
                if (S.at(i) == QLatin1Char(' '))
                    ++i;
                if (i < Len && S.at(i) == QLatin1Char('\''))
                    ++i;
            }
            if (D > 65535)
                break;
            Result += Plain;
            Result += QChar(char16_t(D));
            Emitted = true;
            Start = i;
            Plain = QStringView();
        }
    }
    if (Emitted) {
        Result += QStringView(S).mid(Start);
        S = Result;
    }
}

QString SingleLineText(const QString &S, bool Encode)
{
    if (S.isEmpty())
        return QString();
    // Leading blanks and controls: drop through the last control character.
    qsizetype Begin = 0;
    for (qsizetype i = 0; i < S.size() && S.at(i).unicode() <= 32; ++i)
        if (S.at(i).unicode() < 32)
            Begin = i + 1;
    // Trailing blanks and controls: drop from the first control character.
    qsizetype End = S.size();
    for (qsizetype i = S.size() - 1; i >= Begin && S.at(i).unicode() <= 32; --i)
        if (S.at(i).unicode() < 32)
            End = i;
    QString R = S.mid(Begin, End - Begin);
    if (Encode) {
        EncodeControlChars(R);
    } else {
        R.replace(QLatin1Char('\r'), QLatin1Char(' '));
        R.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return R;
}

bool HasLetters(const QString &S)
{
    for (QChar C : S)
        if (C.unicode() >= 65)
            return true;
    return false;
}

void ReplaceChar(QString &S, QChar Old, QChar New)
{
    S.replace(Old, New);
}

QString AsciiLowerCase(const QString &S)
{
    QString R = S;
    for (QChar &C : R)
        if (C.unicode() >= 'A' && C.unicode() <= 'Z')
            C = QChar(char16_t(C.unicode() + 32));
    return R;
}

QString TrimControls(const QString &S)
{
    qsizetype B = 0;
    qsizetype E = S.size();
    while (B < E && S.at(B).unicode() <= 32)
        ++B;
    while (E > B && S.at(E - 1).unicode() <= 32)
        --E;
    return S.mid(B, E - B);
}

bool ParseDecimal(QStringView S, int &Value)
{
    qsizetype i = 0;
    bool Negative = false;
    if (i < S.size() && (S[i] == QLatin1Char('-') || S[i] == QLatin1Char('+'))) {
        Negative = S[i] == QLatin1Char('-');
        ++i;
    }
    if (i == S.size())
        return false;
    qint64 V = 0;
    for (; i < S.size(); ++i) {
        const char16_t C = S[i].unicode();
        if (C < u'0' || C > u'9')
            return false;
        V = V * 10 + (C - u'0');
        if (V > qint64(INT_MAX) + 1)
            return false;
    }
    if (Negative)
        V = -V;
    if (V < INT_MIN || V > INT_MAX)
        return false;
    Value = int(V);
    return true;
}

bool HasCodeLikeApostrophe(QStringView S)
{
    for (qsizetype i = 0; i < S.size(); ++i) {
        if (S.at(i) != QLatin1Char('\''))
            continue;
        qsizetype j = i + 1;
        if (j < S.size() && S.at(j) == QLatin1Char(' '))
            ++j;
        if (j + 1 < S.size() && S.at(j) == QLatin1Char('#') && S.at(j + 1).unicode() >= '0'
            && S.at(j + 1).unicode() <= '9')
            return true;
    }
    return false;
}

QString StripAccelerators(const QString &Caption)
{
    QString S;
    S.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < Caption.size() && Caption.at(i + 1) == QLatin1Char('&'))
                S += QLatin1Char('&'), ++i;
            continue;
        }
        S += Caption.at(i);
    }
    return S;
}
