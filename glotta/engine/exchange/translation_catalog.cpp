#include "glotta/engine/exchange/translation_catalog.h"

#include "glotta/store/component_structure.h"
#include "glotta/store/text_helpers.h"

namespace {
const QLatin1String LexiconPrefix("lexicon:");
const QLatin1String LibraryPrefix("library:");
const QLatin1String SmartPrefix("smart:");
const QLatin1String CrLfCodes("'#13''#10'");
const QLatin1String TabCode("'#9'");

// "path#number" with a number of decimal digits only.
bool ParseNumbered(QStringView Rest, TCatalogEntry &Entry)
{
    const qsizetype Hash = Rest.lastIndexOf(u'#');
    if (Hash <= 0)
        return false;
    const QStringView Digits = Rest.mid(Hash + 1);
    if (Digits.isEmpty() || Digits.size() > 9)
        return false;
    for (QChar C : Digits)
        if (C < u'0' || C > u'9')
            return false;
    Entry.Lexicon = Rest.left(Hash).toString();
    Entry.Number = Digits.toInt();
    return true;
}
// The language file ends a name field at ";" and finds keys, marks and
// quotes anywhere in a line: a name holding one of them would be read back
// as something else (a lexicon named "x%SMART_STRINGS" would end a section).
bool WritableName(const QString &Name)
{
    return !Name.contains(u';') && !Name.contains(u'%') && !Name.contains(u'"');
}
} // namespace

QString CatalogKey(const TCatalogEntry &Entry)
{
    switch (Entry.Kind) {
    case TCatalogKind::Component:
        return TComponentStructure::MakeLineID(Entry.Line);
    case TCatalogKind::LexiconItem:
        return (Entry.Library ? LibraryPrefix : LexiconPrefix) + Entry.Lexicon + QLatin1Char('#')
               + QString::number(Entry.Number);
    case TCatalogKind::SmartPair:
        return Entry.Lexicon.isEmpty() ? QString() : SmartPrefix + Entry.Lexicon;
    }
    return QString();
}

bool ParseCatalogKey(const QString &Key, TCatalogEntry &Entry)
{
    Entry.Line = TFullStructLine();
    Entry.Lexicon.clear();
    Entry.Number = 0;
    Entry.Library = false;
    if (Key.isEmpty()) {
        Entry.Kind = TCatalogKind::SmartPair;
        return true;
    }
    // Names are one line of the language file.
    for (QChar C : Key)
        if (C.unicode() < 32)
            return false;
    if (Key.startsWith(SmartPrefix)) {
        Entry.Kind = TCatalogKind::SmartPair;
        Entry.Lexicon = Key.mid(SmartPrefix.size());
        return !Entry.Lexicon.isEmpty() && WritableName(Entry.Lexicon);
    }
    if (Key.startsWith(LexiconPrefix) || Key.startsWith(LibraryPrefix)) {
        Entry.Kind = TCatalogKind::LexiconItem;
        Entry.Library = Key.startsWith(LibraryPrefix);
        return ParseNumbered(QStringView(Key).mid(Entry.Library ? LibraryPrefix.size() : LexiconPrefix.size()),
                             Entry)
               && WritableName(Entry.Lexicon);
    }
    // A line ID: component "@" owner "#" property-type ID "[" item path.
    Entry.Kind = TCatalogKind::Component;
    const qsizetype At = Key.indexOf(u'@');
    const qsizetype Hash = At < 0 ? -1 : Key.indexOf(u'#', At + 1);
    const qsizetype Bracket = Hash < 0 ? -1 : Key.indexOf(u'[', Hash + 1);
    if (At <= 0 || Bracket < 0)
        return false;
    const QStringView Id = QStringView(Key).mid(Hash + 1, Bracket - Hash - 1);
    if (Id.isEmpty() || Id.size() > 5)
        return false;
    for (QChar C : Id)
        if (C < u'0' || C > u'9')
            return false;
    const int Number = Id.toInt();
    if (Number > 0xFFFF)
        return false;
    Entry.Line.CompName = Key.left(At);
    Entry.Line.OwnerName = Key.mid(At + 1, Hash - At - 1);
    Entry.Line.PropertyID = quint16(Number);
    Entry.Line.ItemAddr = Key.mid(Bracket + 1);
    return WritableName(Entry.Line.CompName) && WritableName(Entry.Line.OwnerName)
           && WritableName(Entry.Line.ItemAddr);
}

QString CatalogEntryId(const TCatalogEntry &Entry)
{
    QString Id = CatalogKey(Entry);
    if (Entry.Kind == TCatalogKind::SmartPair)
        Id += QChar(4) + Entry.Source;
    return Id;
}

QString CatalogGroup(const TCatalogEntry &Entry)
{
    switch (Entry.Kind) {
    case TCatalogKind::Component:
        return Entry.Line.OwnerName.isEmpty() ? Entry.Line.CompName : Entry.Line.OwnerName;
    case TCatalogKind::LexiconItem:
    case TCatalogKind::SmartPair:
        return Entry.Lexicon;
    }
    return QString();
}

QString ToToolText(const QString &OneLine)
{
    if (!OneLine.contains(u'\''))
        return OneLine;
    QString S = OneLine;
    S.replace(CrLfCodes, QLatin1String("\n"));
    S.replace(TabCode, QLatin1String("\t"));
    return S;
}

QString FromToolText(const QString &ToolText)
{
    QString S;
    S.reserve(ToolText.size());
    for (QChar C : ToolText) {
        if (C == u'\n')
            S += CrLfCodes;
        else if (C == u'\t')
            S += TabCode;
        else if (C.unicode() == 0)
            continue;
        else if (C.unicode() < 32)
            S += CharCode(C.unicode());
        else
            S += C;
    }
    return S;
}

QString CatalogStatusWord(TCatalogStatus Status)
{
    switch (Status) {
    case TCatalogStatus::Translated:
        return QStringLiteral("translated");
    case TCatalogStatus::Empty:
        return QStringLiteral("empty");
    case TCatalogStatus::Untranslated:
        return QStringLiteral("untranslated");
    case TCatalogStatus::Inherited:
        return QStringLiteral("inherited");
    case TCatalogStatus::Excluded:
        return QStringLiteral("excluded");
    }
    return QString();
}

TCatalogStatus CatalogStatusOfWord(const QString &Word)
{
    for (TCatalogStatus S : {TCatalogStatus::Empty, TCatalogStatus::Untranslated, TCatalogStatus::Inherited,
                             TCatalogStatus::Excluded})
        if (Word == CatalogStatusWord(S))
            return S;
    return TCatalogStatus::Translated;
}
