#include "glotta/engine/exchange/lexicon_file.h"

#include "glotta/engine/file_fields.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_header.h"
#include "glotta/store/language_names.h"
#include "glotta/store/named_items.h"

QStringList FormatLexiconFile(const TLexiconFileContent &Content)
{
    QStringList Lines;
    Lines.append(LexiconFileSignature);
    QString Line = QStringLiteral("0\t%REF_LANG=\"") + Content.Reference.Name + QLatin1Char('"');
    if (!Content.Reference.Code.isEmpty())
        Line += QStringLiteral("\t%CODE=") + Content.Reference.Code + QLatin1Char(';');
    Lines.append(Line);

    Line = QStringLiteral("0\t%LANGUAGE_NAME=\"") + Content.Language.Name + QLatin1Char('"');
    QString Code = Content.Language.Code;
    if (NormalizeISOCode(Code))
        Line += QStringLiteral("\t%CODE=") + Code + QLatin1Char(';');
    Line += QStringLiteral("\t%FILEVER=") + ExchangeFileVersion + QLatin1Char(';');
    Lines.append(Line);

    Lines.append(QStringLiteral("0\t%LEXICON_STRINGS"));
    if (Content.WithLibrary) {
        Lines.append(QStringLiteral("0\t%GLOTTA"));
        for (const auto &[N, Text] : Content.LibraryItems)
            if (!Text.isEmpty())
                Lines.append(QString::number(N) + QStringLiteral("\t\"") + Text + QLatin1Char('"'));
    }
    Lines.append(QStringLiteral("0\t%SMART_STRINGS"));
    if (Content.Pairs)
        for (int n = 0; n < Content.Pairs->Count(); ++n)
            AddPair(Lines, n, Content.Pairs->GetLocStr(quint16(n)), Content.Pairs->Get(quint16(n)));
    if (!Content.Flag.isEmpty())
        WriteFlagIcon(Content.Flag, Lines);
    return Lines;
}

void TLexiconFileReader::SetText(const QString &Text)
{
    fLines.SetText(Text);
    fPos = 0;
}

std::vector<TExchangeHead> TLexiconFileReader::ReadHeads()
{
    std::vector<TExchangeHead> Heads;
    const int Count = fLines.Count();
    for (fPos = 0; fPos < Count; ++fPos) {
        const QStringView Line = fLines.Line(fPos);
        const bool Reference = Line.contains(u"%REF_LANG=");
        if (!Reference && !Line.contains(u"%LANGUAGE_NAME="))
            continue;
        TExchangeHead H;
        H.IsReference = Reference;
        H.Name = ExtractQuoted(Line);
        H.Code = ExtractKeyValue(Line, u"%CODE=");
        NormalizeISOCode(H.Code);
        H.FileVersion = ExtractKeyValue(Line, u"%FILEVER=");
        Heads.push_back(std::move(H));
        if (!Reference) {
            ++fPos;
            break;
        }
    }
    return Heads;
}

void TLexiconFileReader::ReadComponents(const std::function<void(const TFullStructLine &)> &OnLine)
{
    const int Count = fLines.Count();
    TFullStructLine Line;
    int N = 0;
    for (; fPos < Count; ++fPos) {
        const QStringView Value = fLines.Value(fPos);
        if (IsMarker(Value, u"%LEXICON_STRINGS"))
            break;
        if (Value.size() < 3 || !fLines.Number(fPos, N) || !ParseItemLine(N, Value, Line)
            || Line.Translation.isEmpty())
            continue;
        OnLine(Line);
    }
}

void TLexiconFileReader::ReadLexicons(const std::function<void(const TLexiconEntry &)> &OnEntry)
{
    const int Count = fLines.Count();
    TLexiconEntry Entry;
    for (++fPos; fPos < Count; ++fPos) {
        const QStringView Value = fLines.Value(fPos);
        if (IsMarker(Value, u"%SMART_STRINGS"))
            break;
        if (IsMarker(Value, u"%GLOTTA")) {
            Entry.Kind = TLexiconEntry::Library;
            Entry.Text.clear();
        } else if (IsMarker(Value, u"%LEXICON_NAME=")) {
            Entry.Kind = TLexiconEntry::Name;
            Entry.Text = ExtractKeyValue(Value, u"%LEXICON_NAME=");
        } else {
            // Item numbers are 16-bit; a larger one would wrap onto another item.
            if (Value.size() < 3 || !fLines.Number(fPos, Entry.Number) || Entry.Number < 0
                || Entry.Number > 0xFFFF)
                continue;
            Entry.Kind = TLexiconEntry::Item;
            Entry.Text = QuotedText(Value);
            if (Entry.Text.isEmpty())
                continue;
        }
        OnEntry(Entry);
    }
}

void TLexiconFileReader::ReadSmart(const std::function<void(const QString &)> &OnName,
                                   const std::function<void(const QString &, const QString &)> &OnPair)
{
    ReadSmartPairs(
        fLines, fPos,
        [&](const QString &Name) {
            OnName(Name);
            return true;
        },
        [&](QString &&Designed, QString &&Translated) { OnPair(Designed, Translated); });
}

std::optional<QByteArray> TLexiconFileReader::ReadFlag()
{
    if (fPos >= fLines.Count())
        return std::nullopt;
    return FlagIconBytes(fLines.Tail(fPos + 1), 0);
}
