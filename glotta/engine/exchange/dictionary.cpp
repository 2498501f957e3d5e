#include "glotta/engine/exchange/dictionary.h"

#include "glotta/engine/language_file.h"
#include "glotta/store/language_names.h"
#include "glotta/store/named_items.h"
#include "glotta/store/text_helpers.h"

namespace {
const QString OverwriteOption = QStringLiteral("$overwrite_existing");
const QString OriginalOption = QStringLiteral("$original");
const QString TranslationOption = QStringLiteral("$translation");
constexpr int OptionLines = 4;

// "cs - Czech", or the name alone when the code is not valid.
QString LanguageValue(const TLangIDs &IDs)
{
    QString Code = IDs.Code;
    if (NormalizeISOCode(Code))
        return Code + QStringLiteral(" - ") + IDs.Name;
    return IDs.Name;
}
} // namespace

QString StripComment(const QString &Value)
{
    const qsizetype Comment = Value.indexOf(QStringLiteral("//"));
    return (Comment < 0 ? Value : Value.left(Comment)).trimmed();
}

bool OptionIsTrue(const QString &Value)
{
    static const QStringList Yes = {QStringLiteral("true"),   QStringLiteral("1"),     QStringLiteral("yes"),
                                    QStringLiteral("enable"), QStringLiteral("allow"), QStringLiteral("permit")};
    return Yes.contains(Value.trimmed().toLower());
}

TLangIDs DictionaryLanguage(const QString &Value)
{
    TLangIDs IDs;
    const QString Separator = QStringLiteral(" - ");
    const qsizetype Hyphen = Value.indexOf(Separator);
    if (Hyphen < 0) {
        IDs.Name = Value.trimmed();
        IDs.Code = IDs.Name;
    } else {
        IDs.Code = Value.left(Hyphen);
        IDs.Name = Value.mid(Hyphen + Separator.size()).trimmed();
    }
    if (!NormalizeISOCode(IDs.Code))
        IDs.Code.clear();
    return IDs;
}

std::vector<TDictionaryOption> DictionaryOptions(const TLanguageFileLines &Lines)
{
    std::vector<TDictionaryOption> Options;
    for (int i = qMin(Lines.Count(), OptionLines) - 1; i >= 0; --i) {
        const QString Line = Lines.Line(i).toString();
        const qsizetype Eq = Line.indexOf(QLatin1Char('='));
        if (Eq < 0)
            continue;
        const QString Name = Line.left(Eq).trimmed().toLower();
        const QString Value = StripComment(Line.mid(Eq + 1));
        if (Name == OverwriteOption)
            Options.push_back({TDictionaryOption::Overwrite, Value});
        else if (Name == OriginalOption)
            Options.push_back({TDictionaryOption::Original, Value});
        else if (Name == TranslationOption)
            Options.push_back({TDictionaryOption::Translation, Value});
    }
    return Options;
}

std::vector<TDictionaryEntry> DictionaryEntries(const TLanguageFileLines &Lines)
{
    std::vector<TDictionaryEntry> Entries;
    for (int i = 0; i < Lines.Count(); ++i) {
        const QStringView Line = Lines.Line(i);
        const qsizetype Eq = Line.indexOf(QLatin1Char('='));
        if (Eq <= 0)
            continue;
        Entries.push_back({Line.left(Eq).toString(), Line.mid(Eq + 1).toString()});
    }
    return Entries;
}

QStringList FormatDictionary(const TDictionaryContent &Content)
{
    QStringList Lines;
    Lines.append(TranslationOption + QLatin1Char('=') + LanguageValue(Content.Language));
    Lines.append(OriginalOption + QLatin1Char('=') + LanguageValue(Content.Reference));
    Lines.append(OverwriteOption + QStringLiteral("=false"));
    Lines.append(QString(50, QLatin1Char('-')));
    // A designed text keeps its "=" as a code, so the line splits at the
    // "=" between the texts.
    const auto Entry = [&Lines](QString Designed, const QString &Translated) {
        EncodeChar(Designed, QLatin1Char('='));
        Lines.append(Designed + QLatin1Char('=') + Translated);
    };
    if (!Content.LibraryItems.empty()) {
        for (const TDictionaryEntry &E : Content.LibraryItems)
            Entry(E.Designed, E.Translated);
        Lines.append(QString(10, QLatin1Char('-')));
    }
    if (Content.Entries)
        for (int n = 0; n < Content.Entries->Count(); ++n)
            Entry(Content.Entries->GetLocStr(quint16(n)), Content.Entries->Get(quint16(n)));
    return Lines;
}
