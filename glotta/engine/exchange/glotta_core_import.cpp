// The engine's import of exchange files: which kind a file is, which
// language it goes into, and which of its entries are taken over. The
// formats themselves are read by exchange/.

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/engine_log.h"

#include "glotta/engine/exchange/dictionary.h"
#include "glotta/engine/exchange/import_refusal.h"
#include "glotta/engine/exchange/language_bundle.h"
#include "glotta/engine/exchange/lexicon_file.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/spans.h"
#include "glotta/store/ansi_code_page.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_header.h"
#include "glotta/store/language_names.h"

#include <QFileInfo>

namespace {
// The kind of a text is told by its first lines: a TAB in one of them makes
// it a lexicon or language file, otherwise it is a dictionary.
constexpr int KindLines = 4;

bool IsOwn(quint16 Descent)
{
    return (Descent & 0xFF) == 0;
}

// The global lexicon holds a translation of Designed of the language itself.
bool HasOwnGlobal(const TSmartLexiconData &Smart, const QString &Designed)
{
    quint16 Descent = DescentNone;
    Smart.ReadItem(Designed, Descent);
    return Smart.IsIncluded(Designed) && IsOwn(Descent);
}

QString FormatReason(QString Text, int Reason)
{
    // The built-in texts hold no placeholder; a translated one may show the reason.
    for (const QLatin1String Placeholder : {QLatin1String("%d"), QLatin1String("%s")}) {
        const qsizetype At = Text.indexOf(Placeholder);
        if (At >= 0)
            return Text.replace(At, Placeholder.size(), QString::number(Reason));
    }
    return Text;
}

// The reason in words, for the log; the user sees the library's text.
const char *RefusalText(TImportRefusal Reason)
{
    switch (Reason) {
    case irFileMissing: return "the file does not exist";
    case irDesignLanguageCurrent: return "the design language is current";
    case irTooFewLines: return "too few lines";
    case irReferenceCode: return "the reference language's code differs";
    case irReferenceName: return "the reference language's name differs";
    case irFileVersion: return "an unknown file version";
    case irOtherLanguage: return "it holds another language";
    case irTargetNotLoaded: return "the target language cannot be loaded";
    case irNoHeader: return "no language header";
    case irLibraryUnnamed: return "the library's texts are unnamed";
    case irLexiconUnnamed: return "a lexicon is unnamed";
    case irSmartLexiconUnnamed: return "a smart lexicon is unnamed";
    case irDictionaryUnlabelled: return "the dictionary names no languages";
    }
    return "an unknown reason";
}
} // namespace

class TGlottaCore::TImport
{
public:
    TImport(TGlottaCore &Engine, const QString &FileName, bool ToCurrent)
        : E(Engine), D(*Engine.fData), FileName(FileName), ToCurrent(ToCurrent)
    {
    }

    int Run(const QString &Text)
    {
        Reader.SetText(Text);
        if (Reader.LineCount() == 0)
            return 0;
        if (IsLexiconOrLanguageFile())
            ImportLexiconFile();
        else
            ImportDictionary();
        return Count;
    }

    [[noreturn]] void Refuse(TImportRefusal Reason) const
    {
        qCWarning(lcGlottaEngine).noquote() << QStringLiteral("import of %1 refused: %2 (reason %3)")
                                                   .arg(FileName, QLatin1String(RefusalText(Reason)))
                                                   .arg(int(Reason));
        throw EImportExport(FormatReason(E.fLangFormLexicon->GetItem(liCannotImport), Reason));
    }

    bool Selected = false;
    TLangIDs Target;
    QString TargetFile;

private:
    bool IsLexiconOrLanguageFile() const
    {
        for (int i = qMin(Reader.LineCount(), KindLines) - 1; i >= 0; --i)
            if (Reader.Lines().Line(i).contains(QLatin1Char('\t')))
                return true;
        return false;
    }

    int CurrentIndex() const { return D.Languages.IndexOf(E.fCurrentLanguage); }

    // A language of the list by its code, else (no valid code, or none
    // listed with it) by its name.
    int FindLanguage(const TLangIDs &IDs) const
    {
        int i = IDs.Code.isEmpty() ? -1 : D.LangCodes.IndexOf(IDs.Code);
        if (i < 0 && !IDs.Name.isEmpty())
            i = D.Languages.IndexOf(IDs.Name);
        return i;
    }

    // Into the current language only that language's texts are taken.
    void CheckCurrent(const TLangIDs &File, int Index) const
    {
        if (ToCurrent && File.Code != E.fCurrentLangISO && (Index < 0 || Index != CurrentIndex()))
            Refuse(irOtherLanguage);
    }

    void Select(int Index)
    {
        // An import into the current language goes there whatever the file
        // calls its language (it passed the check above).
        TargetFile = E.SelectImportTarget(ToCurrent ? CurrentIndex() : Index, Target, FileName);
        Selected = true;
    }

    void ImportDictionary()
    {
        bool Overwrite = false;
        bool HasReference = false;
        bool HasTarget = false;
        int Index = -1;
        for (const TDictionaryOption &Option : DictionaryOptions(Reader.Lines())) {
            switch (Option.Kind) {
            case TDictionaryOption::Overwrite:
                Overwrite = OptionIsTrue(Option.Value);
                break;
            case TDictionaryOption::Original:
                E.CheckReferenceLanguage(DictionaryLanguage(Option.Value));
                HasReference = true;
                break;
            case TDictionaryOption::Translation:
                Target = DictionaryLanguage(Option.Value);
                HasTarget = !Target.Name.isEmpty() || !Target.Code.isEmpty();
                Index = FindLanguage(Target);
                CheckCurrent(Target, Index);
                break;
            }
        }
        if (!ToCurrent && (!HasTarget || !HasReference))
            Refuse(irDictionaryUnlabelled);
        Select(Index);
        for (const TDictionaryEntry &Entry : DictionaryEntries(Reader.Lines()))
            Count += D.AddTranslate(Entry.Designed, Entry.Translated, Overwrite);
    }

    void ImportLexiconFile()
    {
        if (Reader.LineCount() < KindLines)
            Refuse(irTooFewLines);
        bool HasHeader = false;
        for (const TExchangeHead &Head : Reader.ReadHeads()) {
            if (Head.IsReference) {
                E.CheckReferenceLanguage(TLangIDs{Head.Name, Head.Code});
                continue;
            }
            if (Head.FileVersion != ExchangeFileVersion)
                Refuse(irFileVersion);
            Target = TLangIDs{Head.Name, Head.Code};
            const int Index = FindLanguage(Target);
            CheckCurrent(Target, Index);
            if (Reader.HeaderIsLast())
                Refuse(irNoHeader);
            // A new language needs a name (its own, or its code's).
            if (Index < 0 && Target.Name.isEmpty() && LanguageNameOfISO(Target.Code).isEmpty())
                Refuse(irNoHeader);
            Select(Index);
            HasHeader = true;
        }
        if (!HasHeader)
            Refuse(irNoHeader);
        Reader.ReadComponents([this](const TFullStructLine &Line) { TakeComponentLine(Line); });
        Reader.ReadLexicons([this](const TLexiconEntry &Entry) { TakeLexiconEntry(Entry); });
        Reader.ReadSmart([this](const QString &Name) { SelectSmartLexicon(Name); },
                         [this](const QString &Designed, const QString &Translated) {
                             TakeSmartPair(Designed, Translated);
                         });
        const QString LibraryPath = E.LibraryLexiconPath();
        if (E.fLangFormLexicon->InternalLanguages(Target.Name, Target.Code, E.fIncludeGlotta)) {
            // Internal languages take the library's texts from the library itself.
            D.DataLexicon->DeleteLexicon(LibraryPath);
            Count -= LibraryTaken;
        }
        if (!HasFlagIcon()) {
            const std::optional<QByteArray> Flag = Reader.ReadFlag();
            if (Flag && !Flag->isEmpty()) {
                SetFlagIcon(*Flag);
                ++Count;
            }
        }
    }

    void TakeComponentLine(const TFullStructLine &Line)
    {
        auto *Client = dynamic_cast<TGlottaCPC *>(D.SpanClients->GetClientByStructLine(Line));
        if (!Client)
            return;
        TComponentStructure &Store = *D.DataStruct;
        const int Found = Store.Find(Line);
        if (Found >= 0 && IsOwn(Store.GetDescent(Found)))
            return;
        if (Client->GlobalLexicon()) {
            const QString Designed =
                Client->DesignStruct().GetString(Line.CompName, Line.OwnerName, Line.PropertyID, Line.ItemAddr);
            if (HasOwnGlobal(*D.SmartLexicon, Designed))
                return;
        }
        Store.AddLine(Line);
        ++Count;
    }

    void TakeLexiconEntry(const TLexiconEntry &Entry)
    {
        switch (Entry.Kind) {
        case TLexiconEntry::Library:
            List = nullptr;
            ListName.clear();
            if (!E.fIncludeGlotta)
                return;
            ListName = E.LibraryLexiconPath();
            if (ListName.isEmpty())
                Refuse(irLibraryUnnamed);
            List = dynamic_cast<TLMList *>(E.fLangFormLexicon.get());
            D.DataLexicon->NewLexicon(ListName);
            return;
        case TLexiconEntry::Name: {
            if (Entry.Text.isEmpty())
                Refuse(irLexiconUnnamed);
            List = dynamic_cast<TLMList *>(D.SpanClients->GetListByName(Entry.Text));
            if (List && (List->KeepsSmartLexicon()
                         || (!E.fIncludeGlotta && dynamic_cast<TLibraryTexts *>(List))))
                List = nullptr;
            ListName = List ? Entry.Text : QString();
            if (List)
                D.DataLexicon->NewLexicon(ListName);
            return;
        }
        case TLexiconEntry::Item:
            break;
        }
        if (!List || !List->IsDefined(Entry.Number))
            return;
        quint16 Descent = DescentNone;
        if (!D.DataLexicon->ReadItem(ListName, Entry.Number, Descent).isEmpty() && IsOwn(Descent))
            return;
        if (List->GlobalLexicon() && HasOwnGlobal(*D.SmartLexicon, List->GetLocStr(Entry.Number)))
            return;
        D.DataLexicon->WriteItem(ListName, Entry.Number, Entry.Text, 0);
        ++Count;
        if (ListName == E.LibraryLexiconPath())
            ++LibraryTaken;
    }

    void SelectSmartLexicon(const QString &Name)
    {
        if (Name.isEmpty())
            Refuse(irSmartLexiconUnnamed);
        InGlobalPart = false;
        Translator = dynamic_cast<TLMList *>(D.SpanClients->GetListByName(Name));
        if (Translator && !Translator->KeepsSmartLexicon())
            Translator = nullptr;
        TranslatorName = Translator ? Name : QString();
        if (Translator)
            D.SmartLexicon->NewLexicon(TranslatorName);
    }

    void TakeSmartPair(const QString &Designed, const QString &Translated)
    {
        if (InGlobalPart) {
            Count += D.AddTranslate(Designed, Translated, false);
            return;
        }
        if (!Translator || !Translator->IsDefined(Designed))
            return;
        quint16 Descent = DescentNone;
        D.SmartLexicon->ReadItem(TranslatorName, Designed, Descent);
        if (D.SmartLexicon->IsIncluded(TranslatorName, Designed) && IsOwn(Descent))
            return;
        if (Translator->GlobalLexicon() && HasOwnGlobal(*D.SmartLexicon, Designed))
            return;
        D.SmartLexicon->WriteItem(TranslatorName, Designed, Translated, 0);
        ++Count;
    }

    TGlottaCore &E;
    TLangCoreData &D;
    const QString FileName;
    const bool ToCurrent;
    TLexiconFileReader Reader;
    int Count = 0;
    // Library items taken over, taken back for an internal language.
    int LibraryTaken = 0;
    // The indexed lexicon the lexicon section writes to.
    TLMList *List = nullptr;
    QString ListName;
    // The smart section's pairs go to the global rule until a name line.
    bool InGlobalPart = true;
    TLMList *Translator = nullptr;
    QString TranslatorName;
};

void TGlottaCore::CheckReferenceLanguage(const TLangIDs &Reference) const
{
    QString Code = Reference.Code;
    const int Reason = NormalizeISOCode(Code) && !fData->DesignLangISO.isEmpty()
                           ? (Code == fData->DesignLangISO ? 0 : irReferenceCode)
                           : (Reference.Name == fDesignLanguage ? 0 : irReferenceName);
    if (Reason != 0) {
        qCWarning(lcGlottaEngine).noquote()
            << QStringLiteral("import refused: %1 (reason %2)")
                   .arg(QLatin1String(RefusalText(TImportRefusal(Reason))))
                   .arg(Reason);
        throw EImportExport(FormatReason(fLangFormLexicon->GetItem(liCannotImport), Reason));
    }
}

QString TGlottaCore::SelectImportTarget(int Index, TLangIDs &Target, const QString &ImportedFile)
{
    TLangCoreData &D = *fData;
    const auto Refuse = [this, &ImportedFile] {
        qCWarning(lcGlottaEngine).noquote() << QStringLiteral("import of %1 refused: %2 (reason %3)")
                                                   .arg(ImportedFile, QLatin1String(RefusalText(irTargetNotLoaded)))
                                                   .arg(int(irTargetNotLoaded));
        throw EImportExport(FormatReason(fLangFormLexicon->GetItem(liCannotImport), irTargetNotLoaded));
    };
    if (Index < 0) {
        if (!LoadLanguage(fDesignLanguage, TLoadFlag::AsSuperior))
            Refuse();
        D.NewLanguage();
        if (Target.Name.isEmpty())
            Target.Name = LanguageNameOfISO(Target.Code);
        fCurrentLanguage = Target.Name;
        fCurrentLangISO = Target.Code;
        return UniqueLangFileName(QFileInfo(ImportedFile).completeBaseName());
    }
    const QString Name = D.Languages.Strings(Index);
    if (Index != D.Languages.IndexOf(fCurrentLanguage)) {
        if (!LoadLanguage(Name, TLoadFlag::ReadFlag))
            Refuse();
    } else {
        // The store holds the language already; its flag comes from the list,
        // so that a flag it has is not replaced by the file's.
        SetFlagIcon(LanguageFlag(Index));
    }
    if (fCurrentLangISO.isEmpty())
        fCurrentLangISO = Target.Code;
    Target = TLangIDs{Name, fCurrentLangISO};
    const QString File = D.GetFile(Index);
    const QFileInfo Info(File);
    return Info.isAbsolute() && Info.isFile() ? File : UniqueLangFileName(File);
}

int TGlottaCore::ImportFromFile(const QString &FileName, bool ToCurrentLanguage)
{
    TImport Import(*this, FileName, ToCurrentLanguage);
    if (!QFileInfo::exists(FileName))
        Import.Refuse(irFileMissing);
    TLangCoreData &D = *fData;
    const int Current = D.Languages.IndexOf(fCurrentLanguage);
    if (ToCurrentLanguage && Current == 0)
        Import.Refuse(irDesignLanguageCurrent);
    QByteArray Bytes;
    if (!ReadLanguageFileBytes(FileName, Bytes)) {
        qCWarning(lcGlottaEngine).noquote() << QStringLiteral("import of %1 failed: it cannot be read").arg(FileName);
        throw EOSError(quint32(QFileDevice::ReadError), FileName);
    }

    QString Text;
    bool HasText = false;
    const bool EditorOpen = D.EditorOpened();
    if (ToCurrentLanguage && EditorOpen) {
        const TBundleText Bundle = ReadLanguageBundle(Bytes, [&](const QString &Identifier) {
            QString Code = Identifier;
            int i = NormalizeISOCode(Code) ? D.LangCodes.IndexOf(Code) : -1;
            if (i < 0)
                i = D.Languages.IndexOf(Identifier);
            return i == Current;
        });
        if (Bundle.Kind == TBundleText::Empty)
            return 0;
        HasText = Bundle.Kind == TBundleText::Found;
        Text = Bundle.Text;
    }
    if (!HasText)
        Text = DecodeLanguageFileText(Bytes);
    Bytes.clear();

    // The editor takes the merged store over; outside it the import becomes
    // the language's file, and a refusal or a failed save brings the language
    // that was current back, so nothing half-imported stays behind.
    // The import changes the store in place: it is no longer the result of
    // a plain switch, which a later switch could take back from the cache.
    fStoreKeepable = false;
    const QString Previous = fCurrentLanguage;
    const QByteArray PreviousFlag = FlagIconStream().data();
    try {
        const int Count = Import.Run(Text);
        if (!EditorOpen && Import.Selected) {
            SaveLanguage(Import.Target.Name, D.CurrentSuperiorLang.Name, Import.Target.Code, Import.TargetFile);
            RescanLanguages();
            Translate(Import.Target.Name);
        }
        return Count;
    } catch (const std::exception &Failure) {
        // A refusal has been logged where it was decided; anything else is logged here.
        if (!dynamic_cast<const EImportExport *>(&Failure))
            qCWarning(lcGlottaEngine).noquote()
                << QStringLiteral("import of %1 failed: %2").arg(FileName, QString::fromLocal8Bit(Failure.what()));
        if (!EditorOpen && Import.Selected) {
            LoadLanguage(Previous, TLoadFlags());
            UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, false);
            SetFlagIcon(PreviousFlag);
        }
        throw;
    }
}
