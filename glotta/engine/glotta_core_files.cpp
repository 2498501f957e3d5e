// The engine's side of language files: which file or resource to read, the
// superior chain, the current language and the library's internal languages
// around a full read (LoadLanguage), and where and how a language is saved
// (SaveLanguage). The format itself is language_file's.

#include "glotta/engine/glotta_core.h"

#include "glotta/store/flag_icon.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/engine/spans.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <optional>
#include <utility>

namespace {
// The deepest superior chain loaded. Each level is a nested load, and a
// chain of thousands of files would exhaust the stack; real chains are a
// few levels deep. A language this many levels down takes the design
// language as its superior, as a loop or an unknown superior does.
constexpr int MaxSuperiorDepth = 64;

bool ChainHolds(const QString &Chain, const QString &Name)
{
    // Language names are matched ignoring letter case everywhere else, so a
    // loop written with another case is a loop as well.
    return Chain.contains(QLatin1Char('-') + Name + QLatin1Char('-'), Qt::CaseInsensitive);
}
} // namespace

std::unique_ptr<QIODevice> TGlottaCore::OpenLanguageSource(int Index) const
{
    const QString Name = fData->GetFile(Index);
    // Only a full path names a file: a resource name must not pick up a file
    // of that name from the working directory.
    const QFileInfo Info(Name);
    if (Info.isAbsolute() && Info.isFile()) {
        // Stamped before reading: a file that changes meanwhile is read again next time.
        if (fChainSources)
            fChainSources->append(TSourceStamp::OfFile(Name));
        // The file is read as the load goes on, never held whole.
        auto File = std::make_unique<QFile>();
        if (!OpenLanguageFile(Name, *File))
            return nullptr;
        return File;
    }
    if (fLangResources.contains(Name)) {
        QByteArray Bytes;
        if (!ReadLanguageResource(Name, Bytes))
            return nullptr;
        if (fChainSources)
            fChainSources->append(TSourceStamp::OfResource(Name, Bytes.size()));
        auto Buffer = std::make_unique<QBuffer>();
        Buffer->setData(Bytes);
        Buffer->open(QIODevice::ReadOnly);
        return Buffer;
    }
    return nullptr;
}

void TGlottaCore::KeepStoreLanguage()
{
    if (!fStoreKeepable)
        return;
    fStoreKeepable = false;
    TParsedLanguage Parsed;
    Parsed.Language = fStoreOrigin.Language;
    Parsed.Code = fStoreOrigin.Code;
    Parsed.Superior = fStoreOrigin.Superior;
    Parsed.Sources = fStoreOrigin.Sources;
    Parsed.Struct = std::exchange(fData->DataStruct, std::make_unique<TComponentStructure>());
    Parsed.Lexicons = std::exchange(fData->DataLexicon, std::make_unique<TLexiconData>());
    Parsed.Smart = std::exchange(fData->SmartLexicon, std::make_unique<TSmartLexiconData>());
    fParsed.Keep(std::move(Parsed));
}

bool TGlottaCore::RestoreParsedLanguage(const QString &LangName)
{
    TParsedLanguage Parsed;
    if (!fParsed.Take(LangName, Parsed))
        return false;
    fData->DataStruct = std::move(Parsed.Struct);
    fData->DataLexicon = std::move(Parsed.Lexicons);
    fData->SmartLexicon = std::move(Parsed.Smart);
    fData->CurrentSuperiorLang = Parsed.Superior;
    fCurrentLanguage = Parsed.Language;
    fCurrentLangISO = Parsed.Code;
    fStoreOrigin = std::move(Parsed);
    fStoreKeepable = true;
    return true;
}

void TGlottaCore::ResetToDesignLanguage(TLoadFlags Flags)
{
    fData->Clear();
    ClearFlagIcon();
    if (Flags.testFlag(TLoadFlag::AsSuperior))
        fData->CurrentSuperiorLang = TLangIDs{fDesignLanguage, fData->DesignLangISO};
    else {
        fCurrentLanguage = fDesignLanguage;
        fCurrentLangISO = fData->DesignLangISO;
    }
    if (fIncludeGlotta && !fLangFormLexicon->InternalLanguages(fDesignLanguage, fData->DesignLangISO, false))
        fLangFormLexicon->LoadLang(EnglishTexts());
}

bool TGlottaCore::LoadSuperiorLanguage(const QString &Superior, const QString &LangName, TLoadFlags Flags,
                                       const QString &Chain)
{
    // The outermost load starts the count, whatever an earlier one left.
    if (Chain.isEmpty())
        fSuperiorDepth = 0;
    QString S = Superior;
    if (S.isEmpty() || fSuperiorDepth >= MaxSuperiorDepth || fData->Languages.IndexOf(S) < 0
        || ChainHolds(Chain, S))
        S = fDesignLanguage;
    const QString Next = Chain.isEmpty() ? QLatin1Char('-') + LangName + QLatin1Char('-')
                                         : Chain + LangName + QLatin1Char('-');
    struct TDepthStep
    {
        int &Depth;
        explicit TDepthStep(int &D) : Depth(D) { ++Depth; }
        ~TDepthStep() { --Depth; }
    } Step(fSuperiorDepth);
    const bool Loaded = LoadLanguage(S, TLoadFlag::AsSuperior, Next);
    fData->NewLanguage();
    if (Chain.isEmpty() && Flags.testFlag(TLoadFlag::ForEditing))
        fData->CompleteSourceData();
    return Loaded;
}

bool TGlottaCore::LoadLanguage(const QString &LangName, TLoadFlags Flags, const QString &Chain)
{
    const bool Outermost = Chain.isEmpty();
    const bool PlainSwitch = Outermost && !Flags && !fIncludeGlotta;
    // Whatever comes next replaces the store: a plain switch's result is kept.
    if (Outermost)
        KeepStoreLanguage();
    ResetToDesignLanguage(Flags);
    const int Index = fData->Languages.IndexOf(LangName);
    if (Index == 0)
        return true;
    if (Index < 0)
        return false;
    if (!PlainSwitch)
        return LoadLanguageFile(LangName, Index, Flags, Chain);
    if (RestoreParsedLanguage(LangName))
        return true;
    QList<TSourceStamp> Sources;
    fChainSources = &Sources;
    const bool Loaded = LoadLanguageFile(LangName, Index, Flags, Chain);
    fChainSources = nullptr;
    if (Loaded) {
        fStoreOrigin = TParsedLanguage();
        fStoreOrigin.Language = fCurrentLanguage;
        fStoreOrigin.Code = fCurrentLangISO;
        fStoreOrigin.Superior = fData->CurrentSuperiorLang;
        fStoreOrigin.Sources = std::move(Sources);
        fStoreKeepable = true;
    }
    return Loaded;
}

bool TGlottaCore::LoadLanguageFile(const QString &LangName, int Index, TLoadFlags Flags, const QString &Chain)
{
    TLangCoreData &D = *fData;
    try {
        TLanguageFileReader Reader;
        std::unique_ptr<QIODevice> Source = OpenLanguageSource(Index);
        if (!Source) {
            ResetToDesignLanguage(Flags);
            return false;
        }
        Reader.SetDevice(std::move(Source));
        if (Reader.IsEmpty()) {
            // Reading failed at the very start, or the file is empty.
            if (Reader.Failed())
                ResetToDesignLanguage(Flags);
            return false;
        }
        if (!Reader.ReadSignature(fLangFileSign)) {
            ResetToDesignLanguage(Flags);
            return false;
        }

        // Every load starts from an empty store, so the superior chain goes
        // in between the header and the sections, which are merged over it.
        // Of several header lines only the one the reader settles on shapes
        // the result, so only its chain is loaded (a file of many headers
        // costs one chain, not one per header).
        std::optional<TLanguageFileHeader> Header = Reader.ReadHeader(LangName);
        QString Code;
        if (Header) {
            Code = Header->Code;
            LoadSuperiorLanguage(Header->Superior, LangName, Flags, Chain);
        }

        TLanguageFileReader::TLineOwned IsOwned;
        if (Flags.testFlag(TLoadFlag::MarkOrphans))
            IsOwned = [&D](const TFullStructLine &Line) { return D.SpanClients->IsRegistered(Line); };
        Reader.ReadComponents(*D.DataStruct, Flags.testFlag(TLoadFlag::ForEditing), IsOwned);
        const QString LibraryPath = LibraryLexiconPath();
        if (!Reader.ReadLexicons(*D.DataLexicon, LibraryPath) || !Reader.ReadSmartLexicons(*D.SmartLexicon)
            || Reader.Failed()) {
            // A file that could not be read to its end is not loaded in part.
            ResetToDesignLanguage(Flags);
            return false;
        }

        // Internal languages take the library's texts from the library itself.
        if (fLangFormLexicon->InternalLanguages(LangName, Code, fIncludeGlotta)) {
            D.DataLexicon->DeleteLexicon(LibraryPath);
            if (Code.isEmpty() && fIncludeGlotta)
                Code = fLangFormLexicon->InternalLanguage().Code;
        }

        // The editor shows and saves the flag through the process-wide buffer.
        if (Flags.testFlag(TLoadFlag::ReadFlag) && Header && Reader.ReadFlag(*Header))
            SetFlagIcon(Header->Flag);
        if (Flags.testFlag(TLoadFlag::AsSuperior))
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
    TLanguageFileHeader Header;
    Header.Name = LangName;
    Header.Code = ISOCode;
    Header.Superior = SuperiorName;
    if (HasFlagIcon())
        Header.Flag = FlagIconStream().data();
    const QStringList Lines = FormatLanguageFile(fLangFileSign, Header, *D.DataStruct, *D.DataLexicon,
                                                 *D.SmartLexicon, LibraryLexiconPath());
    const QByteArray Bytes = EncodeLanguageFile(Lines, fLangFileEncoding);
    // A language parsed from this file before is stale now, and the store is
    // no longer what a switch loaded.
    fParsed.Forget(FileName);
    fStoreKeepable = false;
    QFileDevice::FileError Error = QFileDevice::NoError;
    QString ErrorText;
    if (!WriteLanguageFileBytes(FileName, Bytes, Error, ErrorText))
        throw EOSError(quint32(Error), ErrorText);
}
