#include "tools/glotta/tool_files.h"

#include "glotta/engine/language_file.h"
#include "glotta/engine/language_file_lines.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/language_header.h"
#include "glotta/store/text_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
bool IsMarker(QStringView Value, QLatin1StringView Marker)
{
    return !Value.startsWith(QLatin1Char('"')) && Value.contains(Marker);
}

// The line of every entry, walking the lines the way the reader's sections
// lie: component lines after the first header, lexicon items after
// "%LEXICON_STRINGS", pairs after "%SMART_STRINGS". Only positions are
// taken here; what the lines hold comes from the engine's reader.
void IndexLines(TLanguageFileLines &Lines, TToolLanguage &L)
{
    enum { BeforeHeader, Components, Lexicons, Smart, Flag } Section = BeforeHeader;
    QString Lexicon;
    bool HaveLexicon = false;
    int PendingNumber = -1; // the first line of a smart pair
    QString PendingText;
    for (int i = 1; Lines.Has(i) && Section != Flag; ++i) {
        const QStringView Value = Lines.Value(i);
        int N = 0;
        const bool Numbered = Lines.Number(i, N);
        if (Section == BeforeHeader) {
            if (Value.contains(QLatin1StringView("%LANGUAGE_NAME="))) {
                Section = Components;
                L.HeaderLine = i + 1;
            }
            continue;
        }
        if (IsMarker(Value, QLatin1StringView("%LEXICON_STRINGS")) && Section == Components) {
            Section = Lexicons;
            continue;
        }
        if (IsMarker(Value, QLatin1StringView("%SMART_STRINGS")) && Section <= Lexicons) {
            Section = Smart;
            Lexicon.clear();
            continue;
        }
        if (IsMarker(Value, QLatin1StringView("%FLAG_ICON"))) {
            Section = Flag;
            continue;
        }
        if (!Numbered || Value.size() < 3)
            continue;
        TCatalogEntry E;
        if (Section == Components) {
            if (!ParseItemLine(N, Value, E.Line))
                continue;
            E.Kind = TCatalogKind::Component;
        } else if (Section == Lexicons) {
            const QString V = Value.toString();
            if (V.contains(QLatin1StringView("%GLOTTA")) && !V.startsWith(QLatin1Char('"'))) {
                Lexicon = L.Stores.LibraryPath;
                HaveLexicon = true;
                continue;
            }
            if (V.contains(QLatin1StringView("%LEXICON_NAME=")) && !V.startsWith(QLatin1Char('"'))) {
                Lexicon = ExtractKeyValue(V, QStringLiteral("%LEXICON_NAME="));
                HaveLexicon = true;
                continue;
            }
            if (!HaveLexicon || N < 0)
                continue;
            E.Kind = TCatalogKind::LexiconItem;
            E.Lexicon = Lexicon;
            E.Number = N;
            E.Library = !L.Stores.LibraryPath.isEmpty() && Lexicon.compare(L.Stores.LibraryPath, Qt::CaseInsensitive) == 0;
        } else {
            const QString V = Value.toString();
            if (V.contains(QLatin1StringView("%LEXICON_NAME=")) && !V.startsWith(QLatin1Char('"'))) {
                Lexicon = ExtractKeyValue(V, QStringLiteral("%LEXICON_NAME="));
                PendingNumber = -1;
                continue;
            }
            const QString Text = ExtractQuotedText(V);
            if (PendingNumber == N && !Text.isEmpty()) {
                E.Kind = TCatalogKind::SmartPair;
                E.Lexicon = Lexicon;
                E.Source = PendingText;
                L.LineOf.insert(CatalogEntryId(E), i); // the pair's first line
                PendingNumber = -1;
                continue;
            }
            PendingNumber = Text.isEmpty() ? -1 : N;
            PendingText = Text;
            continue;
        }
        L.LineOf.insert(CatalogEntryId(E), i + 1);
    }
}
} // namespace

int TToolLanguage::LineOfEntry(const TCatalogEntry &Entry) const
{
    return LineOf.value(CatalogEntryId(Entry), 0);
}

bool ReadToolLanguage(const QString &File, TToolLanguage &Language, QString &Error, int &ErrorLine)
{
    Language.File = File; // Language is fresh: its stores cannot be reset by assignment
    Language.LineOf.clear();
    ErrorLine = 0;
    QByteArray Bytes;
    if (!QFileInfo(File).isFile()) {
        Error = QStringLiteral("no such file");
        return false;
    }
    if (!ReadLanguageFileBytes(File, Bytes)) {
        Error = QStringLiteral("cannot be read (or is larger than %1 MB)").arg(MaxLanguageFileSize / (1024 * 1024));
        return false;
    }
    if (!ReadLanguageStores(Bytes, Language.Stores, Error)) {
        ErrorLine = 1;
        return false;
    }
    TLanguageFileLines Lines;
    Lines.SetBytes(Bytes);
    IndexLines(Lines, Language);
    return true;
}

bool ReadToolHeader(const QString &File, TToolHeader &Header)
{
    Header = TToolHeader{File, {}, {}, {}};
    auto Device = std::make_unique<QFile>(File);
    if (!Device->open(QIODevice::ReadOnly))
        return false;
    TLanguageFileLines Lines;
    Lines.SetDevice(std::move(Device), MaxLanguageFileSize);
    if (!Lines.Has(2) || TrimControls(Lines.Line(0).toString()) != QLatin1String("[LANGUAGE_FILE]"))
        return false;
    for (int i = 1; Lines.Has(i); ++i) {
        const QString Line = Lines.Line(i).toString();
        if (!Line.contains(QLatin1StringView("%LANGUAGE_NAME=")))
            continue;
        Header.Name = ExtractQuoted(Line);
        Header.Code = ExtractKeyValue(Line, QStringLiteral("%CODE="));
        Header.Superior = ExtractKeyValue(Line, QStringLiteral("%SUPERIOR_LANGUAGE="));
        return !Header.Name.isEmpty();
    }
    return false;
}

bool LanguageFilesOf(const QStringList &Paths, QStringList &Files, QString &Bad)
{
    for (const QString &P : Paths) {
        const QFileInfo Info(P);
        if (Info.isDir()) {
            const QDir Dir(P);
            for (const QString &Name : Dir.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name))
                Files << Dir.filePath(Name);
        } else if (Info.isFile()) {
            Files << P;
        } else {
            Bad = P;
            return false;
        }
    }
    return true;
}

const TToolHeader *FindHeader(const QString &Name, const QList<TToolHeader> &Known)
{
    for (const TToolHeader &H : Known)
        if (H.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &H;
    return nullptr;
}

QStringList SuperiorChain(const TToolHeader &Header, const QList<TToolHeader> &Known)
{
    QStringList Chain;
    QStringList Seen{Header.Name.toLower()};
    QString Next = Header.Superior;
    while (!Next.isEmpty() && !Seen.contains(Next.toLower())) {
        Chain << Next;
        Seen << Next.toLower();
        const TToolHeader *H = FindHeader(Next, Known);
        if (!H)
            break;
        Next = H->Superior;
    }
    return Chain;
}

bool SaveFileAtomically(const QString &File, const QByteArray &Bytes, QString &Error)
{
    QSaveFile F(File);
    if (!F.open(QIODevice::WriteOnly) || F.write(Bytes) != Bytes.size() || !F.commit()) {
        Error = F.errorString();
        return false;
    }
    return true;
}

QString Decoded(const QString &OneLine)
{
    QString S = OneLine;
    DecodeCharCodes(S);
    return S;
}
