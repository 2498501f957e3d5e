#include "glotta/engine/exchange/catalog_language_file.h"

#include "glotta/engine/language_file_lines.h"
#include "glotta/store/language_header.h"
#include "glotta/store/named_items.h"
#include "glotta/store/text_helpers.h"

#include <QHash>
#include <QSet>

namespace {
TLFEncoding EncodingOfBytes(const QByteArray &Bytes)
{
    if (Bytes.startsWith("\xFF\xFE"))
        return TLFEncoding::Unicode;
    if (Bytes.startsWith("\xFE\xFF"))
        return TLFEncoding::BigEndianUnicode;
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        return TLFEncoding::UTF8;
    return TLFEncoding::ANSI;
}

// The name of the first header and the name written on the "%GLOTTA"
// lexicon line (the reader selects the library lexicon by that mark, not by
// the name, so the name is taken here to be written back the same).
void ScanFile(const QByteArray &Bytes, QString &Signature, QString &Name, QString &LibraryPath)
{
    TLanguageFileLines Lines;
    Lines.SetBytes(Bytes);
    if (Lines.Has(0))
        Signature = TrimControls(Lines.Line(0).toString());
    bool HaveName = false;
    for (int i = 1; Lines.Has(i); ++i) {
        const QStringView Line = Lines.Line(i);
        if (!HaveName && Line.contains(u"%LANGUAGE_NAME=")) {
            Name = ExtractQuoted(Line);
            HaveName = true;
        }
        const QStringView Value = Lines.Value(i);
        if (LibraryPath.isEmpty() && !Value.startsWith(u'"') && Value.contains(u"%GLOTTA")
            && Value.contains(u"%LEXICON_NAME="))
            LibraryPath = ExtractKeyValue(Value, u"%LEXICON_NAME=");
    }
}

QString ReportName(const TCatalogEntry &E)
{
    const QString Key = CatalogKey(E);
    if (E.Kind != TCatalogKind::SmartPair)
        return Key;
    return Key.isEmpty() ? E.Source : Key + QLatin1Char(' ') + E.Source;
}

// What the merged entry asks of the language: nothing, or a text with a
// changeable word (bit 0 translatable, bit 1 obsolete).
struct TWanted
{
    bool Set = false;
    QString Text;
    quint16 Changeable = 1;
};

TWanted Wanted(const TCatalogEntry &E)
{
    TWanted W;
    const quint16 Old = E.Obsolete ? 2 : 0;
    if (E.Status == TCatalogStatus::Excluded) {
        W.Set = true;
        W.Changeable = Old;
    } else if (!E.Translation.isEmpty()) {
        if (E.Status == TCatalogStatus::Inherited && E.Translation == E.Inherited)
            return W;
        W.Set = true;
        W.Text = E.Translation;
        W.Changeable = 1 | Old;
    } else if (E.Status == TCatalogStatus::Empty) {
        W.Set = true;
        W.Changeable = 1 | Old;
    }
    return W;
}

enum class TOutcome { Added, Changed, Unchanged };

// A component line's marks and fields are found anywhere in its line, the
// translation included: such a text would come back as another status.
bool HoldsLineMark(const QString &Text)
{
    for (const char *Mark : {"%NOTRANS", "%OLD", "%COMPONENT=", "%OWNER=", "%ITEM="})
        if (Text.contains(QLatin1String(Mark)))
            return true;
    return false;
}

TOutcome MergeComponent(const TCatalogEntry &E, const TWanted &W, TComponentStructure &Struct)
{
    const int i = Struct.Find(TComponentStructure::MakeLineID(E.Line));
    if (i < 0) {
        TFullStructLine Line = E.Line;
        Line.Translation = W.Text;
        Line.Descent = 0;
        Line.Changeable = W.Changeable;
        Struct.AddLine(Line);
        return TOutcome::Added;
    }
    if (Struct.GetTranslation(i) == W.Text && Struct.GetChangeable(i) == W.Changeable)
        return TOutcome::Unchanged;
    Struct.SetupLine(i, W.Text, 0, W.Changeable);
    return TOutcome::Changed;
}

TOutcome MergeItem(const QString &Lexicon, int Number, const QString &Text, TLexiconData &Lexicons)
{
    if (!Lexicons.LexiconExists(Lexicon))
        Lexicons.NewLexicon(Lexicon);
    const bool Had = Lexicons.IsIncluded(Lexicon, Number) && !Lexicons.ReadItem(Lexicon, Number).isEmpty();
    if (Had && Lexicons.ReadItem(Lexicon, Number) == Text)
        return TOutcome::Unchanged;
    Lexicons.WriteItem(Lexicon, Number, Text, 0);
    return Had ? TOutcome::Changed : TOutcome::Added;
}

TOutcome MergePair(const QString &Lexicon, const QString &Designed, const QString &Text, TSmartLexiconData &Smart)
{
    if (!Lexicon.isEmpty() && !Smart.LexiconExists(Lexicon))
        Smart.NewLexicon(Lexicon);
    const bool Had = Lexicon.isEmpty() ? Smart.IsIncluded(Designed) : Smart.IsIncluded(Lexicon, Designed);
    const QString Old = Lexicon.isEmpty() ? Smart.ReadItem(Designed) : Smart.ReadItem(Lexicon, Designed);
    if (Had && Old == Text)
        return TOutcome::Unchanged;
    if (Lexicon.isEmpty())
        Smart.WriteItem(Designed, Text, 0);
    else
        Smart.WriteItem(Lexicon, Designed, Text, 0);
    return Had ? TOutcome::Changed : TOutcome::Added;
}

QString InheritedText(const TCatalogEntry &E, const TLanguageStores &S)
{
    switch (E.Kind) {
    case TCatalogKind::Component: {
        const int i = const_cast<TComponentStructure &>(S.Struct).Find(TComponentStructure::MakeLineID(E.Line));
        return i >= 0 && (S.Struct.GetChangeable(i) & 1) ? S.Struct.GetTranslation(i) : QString();
    }
    case TCatalogKind::LexiconItem: {
        const QString Name = E.Library ? S.LibraryPath : E.Lexicon;
        return S.Lexicons.IsIncluded(Name, E.Number) ? S.Lexicons.ReadItem(Name, E.Number) : QString();
    }
    case TCatalogKind::SmartPair:
        return E.Lexicon.isEmpty() ? S.Smart.ReadItem(E.Source) : S.Smart.ReadItem(E.Lexicon, E.Source);
    }
    return QString();
}
} // namespace

bool ReadLanguageStores(const QByteArray &Bytes, TLanguageStores &Stores, QString &Error)
{
    QString Line0, Name, LibraryPath;
    ScanFile(Bytes, Line0, Name, LibraryPath);
    if (Line0.size() < 2 || !Line0.startsWith(u'[') || !Line0.endsWith(u']')) {
        Error = QStringLiteral("not a language file: the first line is no signature");
        return false;
    }
    Stores.Signature = Line0.mid(1, Line0.size() - 2);
    Stores.Encoding = EncodingOfBytes(Bytes);
    Stores.LibraryPath = LibraryPath.isEmpty() ? QStringLiteral("Glotta") : LibraryPath;
    TLanguageFileReader Reader;
    Reader.SetBytes(Bytes);
    std::optional<TLanguageFileHeader> Header;
    if (Reader.ReadSignature(Stores.Signature))
        Header = Reader.ReadHeader(Name);
    if (!Header || Header->Name.isEmpty()) {
        Error = QStringLiteral("not a language file: no language header");
        return false;
    }
    Stores.Header = *Header;
    Reader.ReadComponents(Stores.Struct, true, {});
    if (!Reader.ReadLexicons(Stores.Lexicons, Stores.LibraryPath) || !Reader.ReadSmartLexicons(Stores.Smart)) {
        Error = QStringLiteral("broken language file: a lexicon without a name");
        return false;
    }
    Reader.ReadFlag(Stores.Header);
    if (LibraryPath.isEmpty())
        Stores.LibraryPath.clear();
    return true;
}

QByteArray WriteLanguageStores(const TLanguageStores &Stores)
{
    return EncodeLanguageFile(FormatLanguageFile(Stores.Signature, Stores.Header, Stores.Struct, Stores.Lexicons,
                                                 Stores.Smart, Stores.LibraryPath),
                              Stores.Encoding);
}

void CatalogFromStores(const TLanguageStores &Stores, const TCatalogTemplate *Template,
                       const std::vector<const TLanguageStores *> &Superiors, TTranslationCatalog &Catalog)
{
    Catalog = TTranslationCatalog();
    Catalog.Language = {Stores.Header.Name, Stores.Header.Code};
    Catalog.Superior = Stores.Header.Superior;
    if (Template)
        Catalog.Design = Template->Design;
    Catalog.Signature = Stores.Signature;
    Catalog.Encoding = Stores.Encoding;
    Catalog.Flag = Stores.Header.Flag;

    QHash<QString, QString> Sources;
    if (Template)
        for (const TCatalogEntry &T : Template->Entries)
            Sources.insert(CatalogEntryId(T), T.Source);
    QSet<QString> Present;
    auto Add = [&](TCatalogEntry &&E) {
        const QString Id = CatalogEntryId(E);
        if (E.Kind != TCatalogKind::SmartPair)
            E.Source = Sources.value(Id);
        Present.insert(Id);
        Catalog.Entries.push_back(std::move(E));
    };

    for (int i = 0; i < Stores.Struct.Count(); ++i) {
        TCatalogEntry E;
        E.Kind = TCatalogKind::Component;
        E.Line = Stores.Struct.GetFull(i);
        E.Translation = E.Line.Translation;
        E.Status = !(E.Line.Changeable & 1)     ? TCatalogStatus::Excluded
                   : E.Translation.isEmpty()   ? TCatalogStatus::Empty
                                               : TCatalogStatus::Translated;
        E.Obsolete = E.Line.Changeable & 2;
        E.Line.Translation.clear();
        E.Line.Changeable = 0;
        E.Line.Descent = 0;
        Add(std::move(E));
    }
    for (int x = 0; x < Stores.Lexicons.LexiconCount(); ++x) {
        const QString Name = Stores.Lexicons.LexiconName(x);
        for (int n = 0; n <= Stores.Lexicons.MaxItemNr(Name); ++n) {
            if (!Stores.Lexicons.IsIncluded(Name, n))
                continue;
            TCatalogEntry E;
            E.Kind = TCatalogKind::LexiconItem;
            E.Lexicon = Name;
            E.Number = n;
            E.Library = !Stores.LibraryPath.isEmpty() && Name.compare(Stores.LibraryPath, Qt::CaseInsensitive) == 0;
            E.Translation = Stores.Lexicons.ReadItem(Name, n);
            if (!E.Translation.isEmpty())
                Add(std::move(E));
        }
    }
    auto AddPairs = [&](const QString &Name, int Count) {
        for (int n = 0; n < Count; ++n) {
            TCatalogEntry E;
            E.Kind = TCatalogKind::SmartPair;
            E.Lexicon = Name;
            E.Source = Name.isEmpty() ? Stores.Smart.GetLocStr(n) : Stores.Smart.GetLocStr(Name, n);
            E.Translation = Name.isEmpty() ? Stores.Smart.ReadItem(n) : Stores.Smart.ReadItem(Name, n);
            if (!E.Source.isEmpty())
                Add(std::move(E));
        }
    };
    AddPairs(QString(), Stores.Smart.ItemsCount());
    for (int x = 0; x < Stores.Smart.LexiconCount(); ++x) {
        const QString Name = Stores.Smart.LexiconName(x);
        AddPairs(Name, Stores.Smart.ItemsCount(Name));
    }

    if (!Template)
        return;
    for (const TCatalogEntry &T : Template->Entries) {
        if (Present.contains(CatalogEntryId(T)))
            continue;
        TCatalogEntry E = T;
        E.Translation.clear();
        E.Comment.clear();
        E.Obsolete = false;
        E.Fuzzy = false;
        E.Status = TCatalogStatus::Untranslated;
        for (const TLanguageStores *S : Superiors) {
            E.Inherited = InheritedText(E, *S);
            if (!E.Inherited.isEmpty()) {
                E.Status = TCatalogStatus::Inherited;
                break;
            }
        }
        Present.insert(CatalogEntryId(E));
        Catalog.Entries.push_back(std::move(E));
    }
}

void StoresFromCatalogHeader(const TTranslationCatalog &Catalog, TLanguageStores &Stores)
{
    Stores.Signature = Catalog.Signature.isEmpty() ? QStringLiteral("LANGUAGE_FILE") : Catalog.Signature;
    Stores.Header.Name = Catalog.Language.Name;
    Stores.Header.Code = Catalog.Language.Code;
    Stores.Header.Superior = Catalog.Superior;
    Stores.Header.Flag = Catalog.Flag;
    Stores.Encoding = Catalog.Encoding;
}

void MergeCatalog(const TTranslationCatalog &Catalog, const TCatalogTemplate *Template, TLanguageStores &Stores,
                  TCatalogImportReport &Report)
{
    QHash<QString, QString> Sources;
    if (Template)
        for (const TCatalogEntry &T : Template->Entries)
            Sources.insert(CatalogEntryId(T), T.Source);
    auto Refuse = [&Report](const TCatalogEntry &E, const QString &Reason) {
        Report.RefusedEntries.push_back({ReportName(E), Reason});
    };

    for (const TCatalogEntry &E : Catalog.Entries) {
        if (Template && E.Kind != TCatalogKind::SmartPair && !E.Source.isEmpty()) {
            const auto It = Sources.constFind(CatalogEntryId(E));
            if (It != Sources.constEnd() && !It->isEmpty() && *It != E.Source) {
                Refuse(E, QStringLiteral("its designed text differs from the program's"));
                continue;
            }
        }
        if (E.Fuzzy && !E.Translation.isEmpty()) {
            Refuse(E, QStringLiteral("marked fuzzy: a translation to review, not taken"));
            continue;
        }
        if (E.Status == TCatalogStatus::Excluded && !E.Translation.isEmpty()) {
            Refuse(E, QStringLiteral("excluded from translation: its text is not taken"));
            continue;
        }
        const TWanted W = Wanted(E);
        if (!W.Set) {
            Report.Unchanged.append(ReportName(E));
            continue;
        }
        TOutcome Outcome = TOutcome::Unchanged;
        switch (E.Kind) {
        case TCatalogKind::Component:
            if (HoldsLineMark(W.Text)) {
                Refuse(E, QStringLiteral("a language file would read the text back as a mark of the line"));
                continue;
            }
            Outcome = MergeComponent(E, W, Stores.Struct);
            break;
        case TCatalogKind::LexiconItem: {
            // A lexicon keeps no empty, excluded or obsolete items.
            if (W.Text.isEmpty() || W.Changeable != 1) {
                Refuse(E, QStringLiteral("a lexicon item is only ever translated"));
                continue;
            }
            QString Name = E.Lexicon;
            if (E.Library) {
                if (Stores.LibraryPath.isEmpty())
                    Stores.LibraryPath = E.Lexicon;
                Name = Stores.LibraryPath;
            }
            Outcome = MergeItem(Name, E.Number, W.Text, Stores.Lexicons);
            break;
        }
        case TCatalogKind::SmartPair:
            if (E.Source.isEmpty() || W.Text.isEmpty() || W.Changeable != 1) {
                Refuse(E, QStringLiteral("a pair needs a designed text and a translation"));
                continue;
            }
            Outcome = MergePair(E.Lexicon, E.Source, W.Text, Stores.Smart);
            break;
        }
        (Outcome == TOutcome::Added     ? Report.Added
         : Outcome == TOutcome::Changed ? Report.Changed
                                        : Report.Unchanged)
            .append(ReportName(E));
    }
}
