// The engine's reading and writing of language files: the full read with the
// superior chain (LoadLanguage) and the writer (SaveLanguage).

#include "glotta/engine/glotta_core.h"

#include "glotta/store/component_structure.h"
#include "glotta/store/flag_icon.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/named_object_list.h"
#include "glotta/store/language_names.h"
#include "glotta/engine/spans.h"
#include "glotta/store/text_helpers.h"

#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <new>
#include <vector>

namespace {
bool IsMarker(QStringView Value, QStringView Marker)
{
    return !Value.startsWith(QLatin1Char('"')) && Value.contains(Marker);
}

// The quoted text of a value in the store's one-line form.
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

bool ChainHolds(const QString &Chain, const QString &Name)
{
    // Language names are matched ignoring letter case everywhere else, so a
    // loop written with another case is a loop as well.
    return Chain.contains(QLatin1Char('-') + Name + QLatin1Char('-'), Qt::CaseInsensitive);
}
} // namespace

bool TGlottaCore::ReadLanguageBytes(int Index, QByteArray &Bytes) const
{
    const QString Name = fData->GetFile(Index);
    // Only a full path names a file: a resource name must not pick up a file
    // of that name from the working directory.
    const QFileInfo Info(Name);
    if (Info.isAbsolute() && Info.isFile())
        return ReadLanguageFileBytes(Name, Bytes);
    if (fLangResources.contains(Name))
        return ReadLanguageResource(Name, Bytes);
    return false;
}

void TGlottaCore::ResetToDesignLanguage(int Flags)
{
    fData->Clear();
    ClearFlagIcon();
    if (Flags & 8)
        fData->CurrentSuperiorLang = TLangIDs{fDesignLanguage, fData->DesignLangISO};
    else {
        fCurrentLanguage = fDesignLanguage;
        fCurrentLangISO = fData->DesignLangISO;
    }
    if (fIncludeGlotta && !fLangFormLexicon->InternalLanguages(fDesignLanguage, fData->DesignLangISO, false))
        fLangFormLexicon->LoadLang(EnglishTexts());
}

bool TGlottaCore::LoadSuperiorLanguage(const QString &HeaderLine, const QString &LangName, int Flags,
                                       const QString &Chain)
{
    QString S = ExtractKeyValue(HeaderLine, u"%SUPERIOR_LANGUAGE=");
    if (S.isEmpty() || fData->Languages.IndexOf(S) < 0 || ChainHolds(Chain, S))
        S = fDesignLanguage;
    const QString Next = Chain.isEmpty() ? QLatin1Char('-') + LangName + QLatin1Char('-')
                                         : Chain + LangName + QLatin1Char('-');
    const bool Loaded = LoadLanguage(S, 8, Next);
    fData->NewLanguage();
    if (Chain.isEmpty() && (Flags & 1))
        fData->CompleteSourceData();
    return Loaded;
}

bool TGlottaCore::LoadLanguage(const QString &LangName, int Flags, const QString &Chain)
{
    ResetToDesignLanguage(Flags);
    const int Index = fData->Languages.IndexOf(LangName);
    if (Index == 0)
        return true;
    if (Index < 0)
        return false;
    TLangCoreData &D = *fData;
    try {
        QByteArray Bytes;
        if (!ReadLanguageBytes(Index, Bytes)) {
            ResetToDesignLanguage(Flags);
            return false;
        }
        TLanguageFileLines L;
        L.SetBytes(Bytes);
        Bytes = QByteArray();
        const int Count = L.Count();
        if (Count == 0)
            return false;
        const QString Sign = QLatin1Char('[') + fLangFileSign + QLatin1Char(']');
        if (TrimControls(L.Line(0).toString()) != Sign) {
            ResetToDesignLanguage(Flags);
            return false;
        }

        // Header. Every header line loads its superior chain, and every load
        // starts from an empty store, so only the chain of the last header
        // line read before the scan stops shapes the result: it is the one
        // loaded (a file of many headers costs one chain, not one per header).
        int i = 1;
        int LastHeader = -1;
        bool Matched = false;
        for (; i < Count; ++i) {
            const QStringView Line = L.Line(i);
            if (!Line.contains(u"%LANGUAGE_NAME="))
                continue;
            LastHeader = i;
            if (ExtractQuoted(Line) == LangName) {
                Matched = true;
                break;
            }
        }
        QString Code;
        if (LastHeader >= 0) {
            const QString Header = L.Line(LastHeader).toString();
            Code = ExtractKeyValue(Header, u"%CODE=");
            NormalizeISOCode(Code);
            LoadSuperiorLanguage(Header, LangName, Flags, Chain);
        }
        i = Matched ? i + 1 : Count;

        // Component section. Lines of the superior languages are merged by
        // index while nothing is added, and the language's new lines are
        // added together at the end: adding between searches would make the
        // structure sort itself once per line.
        TComponentStructure &Struct = *D.DataStruct;
        std::vector<TFullStructLine> NewLines;
        QHash<QString, int> NewIndex;
        TFullStructLine Line;
        int N = 0;
        for (; i < Count; ++i) {
            const QStringView Value = L.Value(i);
            if (IsMarker(Value, u"%LEXICON_STRINGS"))
                break;
            if (Value.size() < 3 || !L.Number(i, N) || !ParseItemLine(N, Value, Line))
                continue;
            if (!(Line.Changeable & 2) && (Flags & 2) && !D.SpanClients->IsRegistered(Line))
                Line.Changeable += 2;
            if (Flags & 1) {
                // For editing every line is added as read.
                NewLines.push_back(Line);
                continue;
            }
            const QString ID = TComponentStructure::MakeLineID(Line);
            const auto Known = NewIndex.constFind(ID);
            if (Known != NewIndex.constEnd()) {
                TFullStructLine &Earlier = NewLines[size_t(*Known)];
                if (Line.Changeable & 1)
                    Earlier.Translation = Line.Translation;
                Earlier.Changeable = Line.Changeable;
                continue;
            }
            const int Found = Struct.Find(ID);
            if (Found >= 0) {
                // A line inherited from a superior language: a line excluded
                // from translation keeps the inherited text.
                const QString Text = (Line.Changeable & 1) ? Line.Translation : Struct.GetTranslation(Found);
                Struct.SetupLine(Found, Text, 0, Line.Changeable);
            } else {
                NewIndex.insert(ID, int(NewLines.size()));
                NewLines.push_back(Line);
            }
        }
        for (const TFullStructLine &New : NewLines)
            Struct.AddLine(New);
        NewLines = std::vector<TFullStructLine>();
        NewIndex.clear();

        // Lexicon section.
        const QString LibraryPath = LibraryLexiconPath();
        QString Lexicon;
        for (++i; i < Count; ++i) {
            const QStringView Value = L.Value(i);
            if (IsMarker(Value, u"%SMART_STRINGS"))
                break;
            // Name lines are never quoted: a text that happens to hold
            // "%LEXICON_NAME=" stays an item.
            if (IsMarker(Value, u"%GLOTTA") || IsMarker(Value, u"%LEXICON_NAME=")) {
                Lexicon = Value.contains(u"%GLOTTA") ? LibraryPath : ExtractKeyValue(Value, u"%LEXICON_NAME=");
                if (Lexicon.isEmpty()) {
                    ResetToDesignLanguage(Flags);
                    return false;
                }
                D.DataLexicon->NewLexicon(Lexicon);
                continue;
            }
            // Item numbers are 16-bit; a larger one would wrap onto another item.
            if (Value.size() < 3 || !L.Number(i, N) || N < 0 || N > 0xFFFF || Lexicon.isEmpty())
                continue;
            const QString Text = QuotedText(Value);
            if (!Text.isEmpty())
                D.DataLexicon->WriteItem(Lexicon, N, Text, 0);
        }

        // Smart section: pairs of designed and translated text with one number.
        // The pairs are gathered and handed to the sorted lexicons in their
        // order (a stable sort keeps the file order of repeated texts), so
        // each lexicon grows by appending instead of inserting in the middle.
        Lexicon.clear();
        TSmartLexiconData &Smart = *D.SmartLexicon;
        struct TPair
        {
            QString Lexicon, Designed, Translated;
        };
        std::vector<TPair> Pairs;
        for (++i; i < Count;) {
            const QStringView Value = L.Value(i);
            if (IsMarker(Value, u"%FLAG_ICON"))
                break;
            if (IsMarker(Value, u"%LEXICON_NAME=")) {
                Lexicon = ExtractKeyValue(Value, u"%LEXICON_NAME=");
                if (Lexicon.isEmpty()) {
                    ResetToDesignLanguage(Flags);
                    return false;
                }
                Smart.NewLexicon(Lexicon);
                ++i;
                continue;
            }
            QString Designed;
            if (Value.size() < 3 || !L.Number(i, N) || (Designed = QuotedText(Value)).isEmpty()) {
                ++i;
                continue;
            }
            int j = i + 1;
            int M = 0;
            while (j < Count && !L.Number(j, M))
                ++j;
            if (j < Count && M == N && L.Value(j).size() >= 3) {
                const QString Translated = QuotedText(L.Value(j));
                if (!Translated.isEmpty()) {
                    Pairs.push_back({Lexicon, Designed, Translated});
                    i = j + 1;
                    continue;
                }
            }
            i = j; // read that line again as the first of a new pair
        }
        {
            static const TNamedObjectList Order;
            std::stable_sort(Pairs.begin(), Pairs.end(), [](const TPair &A, const TPair &B) {
                if (A.Lexicon != B.Lexicon)
                    return A.Lexicon < B.Lexicon;
                return Order.CompareStrings(A.Designed, B.Designed) < 0;
            });
            for (const TPair &P : Pairs) {
                if (P.Lexicon.isEmpty())
                    Smart.AddItem(P.Designed, P.Translated, 0);
                else
                    Smart.AddItem(P.Lexicon, P.Designed, P.Translated, 0);
            }
        }

        // Internal languages take the library's texts from the library itself.
        if (fLangFormLexicon->InternalLanguages(LangName, Code, fIncludeGlotta)) {
            D.DataLexicon->DeleteLexicon(LibraryPath);
            if (Code.isEmpty() && fIncludeGlotta)
                Code = fLangFormLexicon->InternalLanguage().Code;
        }

        if ((Flags & 4) && i < Count)
            ReadFlagIcon(L.Tail(i + 1), 0);
        if (Flags & 8)
            D.CurrentSuperiorLang = TLangIDs{LangName, Code};
        else {
            fCurrentLanguage = LangName;
            fCurrentLangISO = Code;
            if (D.CurrentSuperiorLang.Name.isEmpty())
                D.CurrentSuperiorLang = TLangIDs{fDesignLanguage, D.DesignLangISO};
        }
        return true;
    } catch (const std::exception &) {
        // Unreadable data, exhausted memory: the design language stays.
        ResetToDesignLanguage(Flags);
        return false;
    }
}

void TGlottaCore::SaveLanguage(const QString &LangName, const QString &SuperiorName, const QString &ISOCode,
                               const QString &FileName)
{
    EnsureLangsDir();
    if (LangName.isEmpty() || FileName.isEmpty())
        return;
    const TLangCoreData &D = *fData;
    QStringList Lines;
    Lines.reserve(D.DataStruct->Count() + 16);
    Lines.append(QLatin1Char('[') + fLangFileSign + QLatin1Char(']'));

    QString Header = QStringLiteral("0\t%LANGUAGE_NAME=\"") + LangName + QLatin1Char('"');
    QString Code = ISOCode;
    if (NormalizeISOCode(Code))
        Header += QStringLiteral("\t%CODE=") + Code + QLatin1Char(';');
    if (!SuperiorName.isEmpty())
        Header += QStringLiteral("\t%SUPERIOR_LANGUAGE=") + SuperiorName + QLatin1Char(';');
    Header += QStringLiteral("\t%FILEVER=THLF1;");
    Lines.append(Header);

    for (int n = 0; n < D.DataStruct->Count(); ++n)
        Lines.append(FormatStructLine(D.DataStruct->GetFull(n)));

    const QString LibraryPath = LibraryLexiconPath();
    Lines.append(QStringLiteral("0\t%LEXICON_STRINGS"));
    for (int x = 0; x < D.DataLexicon->LexiconCount(); ++x) {
        const QString Name = D.DataLexicon->LexiconName(x);
        QStringList Items;
        const int Max = D.DataLexicon->MaxItemNr(Name);
        for (int n = 0; n <= Max; ++n) {
            if (!D.DataLexicon->IsIncluded(Name, n))
                continue;
            const QString Text = D.DataLexicon->ReadItem(Name, n);
            if (!Text.isEmpty())
                Items.append(QString::number(n) + QStringLiteral("\t\"") + Text + QLatin1Char('"'));
        }
        if (Items.isEmpty())
            continue;
        QString NameLine = QStringLiteral("0\t%LEXICON_NAME=") + Name + QLatin1Char(';');
        if (Name.compare(LibraryPath, Qt::CaseInsensitive) == 0)
            NameLine += QStringLiteral("\t%GLOTTA");
        Lines.append(NameLine);
        Lines.append(Items);
    }

    Lines.append(QStringLiteral("0\t%SMART_STRINGS"));
    const TSmartLexiconData &Smart = *D.SmartLexicon;
    auto AddPairs = [&Lines](const TNamedItems &Items) {
        for (int n = 0; n < Items.Count(); ++n) {
            const QString Number = QString::number(n);
            Lines.append(Number + QStringLiteral("\t\"") + Items.GetLocStr(quint16(n)) + QLatin1Char('"'));
            Lines.append(Number + QStringLiteral("\t\"") + Items.Get(quint16(n)) + QLatin1Char('"'));
        }
    };
    AddPairs(Smart.GlobalLexicon());
    for (int x = 0; x < Smart.LexiconCount(); ++x) {
        const QString Name = Smart.LexiconName(x);
        if (Smart.ItemsCount(Name) == 0)
            continue;
        Lines.append(QStringLiteral("0\t%LEXICON_NAME=") + Name + QLatin1Char(';'));
        for (int n = 0; n < Smart.ItemsCount(Name); ++n) {
            const QString Number = QString::number(n);
            Lines.append(Number + QStringLiteral("\t\"") + Smart.GetLocStr(Name, n) + QLatin1Char('"'));
            Lines.append(Number + QStringLiteral("\t\"") + Smart.ReadItem(Name, n) + QLatin1Char('"'));
        }
    }

    if (HasFlagIcon())
        WriteFlagIcon(Lines);

    // Written whole to a temporary file and renamed over the target, so a
    // crash or a full disk never leaves a truncated language file.
    const QByteArray Bytes = EncodeLanguageFile(Lines, TLFEncoding(int(fLangFileEncoding)));
    QSaveFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        throw EOSError(quint32(File.error()), File.errorString());
    if (File.write(Bytes) != Bytes.size() || !File.commit())
        throw EOSError(quint32(File.error()), File.errorString());
}
