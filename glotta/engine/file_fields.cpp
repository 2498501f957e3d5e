#include "glotta/engine/file_fields.h"

#include "glotta/engine/language_file_lines.h"
#include "glotta/store/language_header.h"
#include "glotta/store/text_helpers.h"

bool IsMarker(QStringView Value, QStringView Marker)
{
    return !Value.startsWith(QLatin1Char('"')) && Value.contains(Marker);
}

QString QuotedText(QStringView Value)
{
    QString S = ExtractQuoted(Value);
    for (QChar C : std::as_const(S))
        if (C.unicode() < 32) {
            EncodeControlChars(S);
            break;
        }
    return S;
}

QString LexiconNameLine(const QString &Name)
{
    return QStringLiteral("0\t%LEXICON_NAME=") + Name + QLatin1Char(';');
}

void AddPair(QStringList &Lines, int N, const QString &Designed, const QString &Translated)
{
    const QString Number = QString::number(N);
    Lines.append(Number + QStringLiteral("\t\"") + Designed + QLatin1Char('"'));
    Lines.append(Number + QStringLiteral("\t\"") + Translated + QLatin1Char('"'));
}

bool ReadSmartPairs(TLanguageFileLines &Lines, int &Pos, const std::function<bool(const QString &)> &OnName,
                    const std::function<void(QString &&, QString &&)> &OnPair)
{
    int N = 0;
    int &i = Pos;
    for (++i; Lines.Has(i);) {
        const QStringView Value = Lines.Value(i);
        if (IsMarker(Value, u"%FLAG_ICON"))
            break;
        if (IsMarker(Value, u"%LEXICON_NAME=")) {
            if (!OnName(ExtractKeyValue(Value, u"%LEXICON_NAME=")))
                return false;
            ++i;
            continue;
        }
        QString Designed;
        if (Value.size() < 3 || !Lines.Number(i, N) || (Designed = QuotedText(Value)).isEmpty()) {
            ++i;
            continue;
        }
        // The translation is the next numbered line when its number is the
        // same; otherwise that line is read again as the first of a new pair.
        int j = i + 1;
        int M = 0;
        while (Lines.Has(j) && !Lines.Number(j, M))
            ++j;
        if (Lines.Has(j) && M == N && Lines.Value(j).size() >= 3) {
            QString Translated = QuotedText(Lines.Value(j));
            if (!Translated.isEmpty()) {
                OnPair(std::move(Designed), std::move(Translated));
                i = j + 1;
                continue;
            }
        }
        i = j;
    }
    return true;
}
