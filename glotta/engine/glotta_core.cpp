#include "glotta/engine/glotta_core.h"
#include "glotta/glotta_version.h"
#include "glotta/engine/engine_log.h"

#include "glotta/store/component_names.h"
#include "glotta/store/flag_icon.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/language_names.h"
#include "glotta/engine/span_client.h"
#include "glotta/engine/spans.h"
#include "toolkit/core/string_list.h"
#include "glotta/store/text_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <optional>

namespace {
const QString DesignLanguageDefault = QStringLiteral("Design language");

TLangCoreData *MakeCoreData(TGlottaCore *Engine)
{
    return new TLangCoreData(Engine);
}

QString Normalized(QString Code)
{
    NormalizeISOCode(Code);
    return Code;
}
} // namespace

TStringList &RegisteredEngines()
{
    static TStringList Keys; // plain list: insertion order, case-insensitive lookups
    return Keys;
}

TGlottaCore::TGlottaCore(QObject *Owner) : QObject(Owner)
{
    Construct(&MakeCoreData);
}

TGlottaCore::TGlottaCore(QObject *Owner, TDataFactory MakeData) : QObject(Owner)
{
    Construct(MakeData ? MakeData : &MakeCoreData);
}

void TGlottaCore::Construct(TDataFactory MakeData)
{
    fData = MakeData(this);
    LastAutoLangName = DesignLanguageDefault;
    fIsInitialized = false;
    fIsFullyCreated = false;
    fLangMenuFlags = true;
    fHideCopyright = false;
    fDesignLanguage = DesignLanguageDefault;
    fCurrentLanguage = fDesignLanguage;
    fLangFormLexicon = CreateLibraryLexicon(this);
    fIsMultiEngine = true;
    if (fData->Languages.Count() == 0) {
        fDesignLangISOCode.clear();
        fData->DesignLangISO.clear();
        fDesignLanguage = DesignLanguageDefault;
    }
    fLangSubdir.clear();
    fLangFileExt = QStringLiteral(".lng");
    fLangFileSign = QStringLiteral("LANGUAGE_FILE");
    fLangCreatorVisible = true;
    fLangEditorVisible = true;
    fIncludeGlotta = false;
    fLangFileEncoding = TLFEncoding::Unicode;
    fAllowEditInternalLangs = false;
    connect(this, &QObject::objectNameChanged, this, [this] { NameChanged(); });
    fIsFullyCreated = true;
    // An engine the design reader creates is loading already; Loaded() does
    // this once every property of the design is set.
    if (IsReady()) {
        UpdateLibraryLanguage(fDesignLanguage, fData->DesignLangISO, false);
        RescanLanguages();
    }
}

TGlottaCore::~TGlottaCore()
{
    fLangFormLexicon.reset();
    // Components still attached hear of the engine's end by free notification
    // once QObject's destructor runs; the registry must not outlive it.
    delete fData;
    fData = nullptr;
}

QString TGlottaCore::AboutGlotta() const
{
    return QStringLiteral("Glotta " GLOTTA_VERSION_STRING);
}

bool TGlottaCore::IsReady() const
{
    return fIsFullyCreated && !IsLoading();
}

QString TGlottaCore::EngineKey() const
{
    QString Key = objectName();
    if (QObject *Owner = ComponentOwner(this))
        Key += QLatin1Char('&') + Owner->objectName();
    return Key;
}

void TGlottaCore::NameChanged()
{
    // The first engine of a name on an owner of a name offers the editor;
    // any further one (a second instance of the same form) is a multi-engine.
    QObject *Owner = ComponentOwner(this);
    if (!Owner || objectName().isEmpty() || Owner->objectName().isEmpty()) {
        fKeyPending = true;
        return;
    }
    fKeyPending = false;
    const QString Key = objectName() + QLatin1Char('&') + Owner->objectName();
    if (RegisteredEngines().IndexOf(Key) < 0 && !ForcedMultiEngine()) {
        RegisteredEngines().Add(Key);
        fIsMultiEngine = false;
        RescanLanguages();
    }
}

void TGlottaCore::SetCookieName(const QString &Value)
{
    const QString New = Value == EngineKey() ? QString() : Value;
    if (New == fCookieName)
        return;
    fCookieName = New;
    CookieNameChanged();
}

void TGlottaCore::Loaded()
{
    // Registered while still loading, so that the rescan registering asks
    // for is the single one below.
    if (fKeyPending)
        NameChanged();
    TComponentHooks::Loaded();
    const bool Force = fCurrentLangISO == fData->DesignLangISO || fCurrentLanguage == fDesignLanguage;
    UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, Force);
    RescanLanguages();
}

// ---- published setters ----

void TGlottaCore::SetDesignLangISOCode(const QString &Value)
{
    const QString Old = fDesignLangISOCode;
    const QString Code = Normalized(Value);
    fData->DesignLangISO = Code;
    // Kept as the design gives it ("cs - Czech"), so a stored design reads
    // back what it wrote; everything else uses the normalised DesignLangISO.
    fDesignLangISOCode = Value;
    if (fData->LangCodes.Count() > 0)
        fData->LangCodes.Put(0, Code);
    if (fCurrentLanguage == fDesignLanguage)
        fCurrentLangISO = Code;
    if (Value.size() > 3 && fDesignLanguage == LastAutoLangName) {
        const QString Name = ExtractISOName(Value);
        if (!Name.isEmpty()) {
            LastAutoLangName = Name;
            SetDesignLanguageName(Name);
        }
    }
    if (Old != fDesignLangISOCode) {
        UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, true);
        if (fIsInitialized && (LangCreatorVisible() || LangEditorVisible()))
            RebuildLangMenu();
    }
}

void TGlottaCore::SetDesignLanguageName(const QString &Value)
{
    const QString Name = Value.isEmpty() ? DesignLanguageDefault : Value;
    const QString Old = fDesignLanguage;
    if (fCurrentLanguage == Old) {
        fCurrentLanguage = Name;
        fCurrentLangISO = fData->DesignLangISO;
    }
    if (fDefaultLanguage == Old)
        fDefaultLanguage = Name;
    fDesignLanguage = Name;
    if (Old != Name) {
        UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, true);
        RescanLanguages();
    }
}

void TGlottaCore::SetDefaultLanguage(const QString &Value)
{
    if (Value == fDefaultLanguage)
        return;
    const QString Old = fDefaultLanguage;
    if (fIsInitialized && !Old.isEmpty()
        && (fCurrentLanguage == Old || (!fCurrentLangISO.isEmpty() && fCurrentLangISO == Old))) {
        fDefaultLanguage = Value;
        Translate(Value);
        return;
    }
    fDefaultLanguage = Value;
}

void TGlottaCore::SetLangSubdirectory(const QString &Value)
{
    if (Value == fLangSubdir)
        return;
    fLangSubdir = Value.trimmed();
    RescanLanguages();
}

void TGlottaCore::SetLangFileExtension(const QString &Value)
{
    const QString Ext = Value.isEmpty() || Value.startsWith(QLatin1Char('.')) ? Value : QLatin1Char('.') + Value;
    if (Ext == fLangFileExt)
        return;
    fLangFileExt = Ext;
    RescanLanguages();
}

void TGlottaCore::SetLangFileSignature(const QString &Value)
{
    if (Value == fLangFileSign)
        return;
    fLangFileSign = Value;
    RescanLanguages();
}

bool TGlottaCore::LangCreatorVisible() const
{
    return !GetIsMultiEngine() && fLangCreatorVisible;
}

void TGlottaCore::SetLangCreatorVisible(bool Value)
{
    if (Value == fLangCreatorVisible)
        return;
    fLangCreatorVisible = Value;
    if (!GetIsMultiEngine())
        RebuildLangMenu();
}

bool TGlottaCore::LangEditorVisible() const
{
    return !GetIsMultiEngine() && fLangEditorVisible;
}

void TGlottaCore::SetLangEditorVisible(bool Value)
{
    if (Value == fLangEditorVisible)
        return;
    fLangEditorVisible = Value;
    if (!GetIsMultiEngine())
        RebuildLangMenu();
}

void TGlottaCore::SetLangResources(const QStringList &Value)
{
    fLangResources = Value;
    RescanLanguages();
}

void TGlottaCore::SetLangResourcesAllowEdit(bool Value)
{
    if (Value == fAllowEditInternalLangs)
        return;
    fAllowEditInternalLangs = Value;
    if (!IsReady())
        return;
    const QString OldFile = fData->GetFile(fData->Languages.IndexOf(fCurrentLanguage));
    RescanLanguages();
    const int i = fData->Languages.IndexOf(fCurrentLanguage);
    // A file now overrides the current resource language, or no longer does.
    if (fIsInitialized && i > 0 && fData->FileNames.Strings(i) != OldFile)
        Translate(fCurrentLanguage);
}

void TGlottaCore::SetCurrentLanguage(const QString &Value)
{
    if (Value == fCurrentLangISO || Value == fCurrentLanguage)
        return;
    Translate(Value);
}

QString TGlottaCore::CurrentLanguageISO() const
{
    return Normalized(fCurrentLangISO);
}

// ---- the language list ----

bool TGlottaCore::ReadLanguageResource(const QString &Name, QByteArray &Bytes) const
{
    Bytes.clear();
    if (Name.isEmpty() || Name.contains(QLatin1Char('/')))
        return false;
    return ReadLanguageFileBytes(QStringLiteral(":/lang/") + Name, Bytes);
}

TLanguageSources TGlottaCore::LanguageSources()
{
    TLanguageSources S;
    S.DesignName = fDesignLanguage;
    S.DesignCode = fData->DesignLangISO;
    S.Resources = &fLangResources;
    S.ResourcesEditable = fAllowEditInternalLangs;
    S.Dir = GetLangsDir();
    S.Extension = fLangFileExt;
    S.SignatureLine = QLatin1Char('[') + fLangFileSign + QLatin1Char(']');
    S.ReadResource = [this](const QString &Name, QByteArray &Bytes) { return ReadLanguageResource(Name, Bytes); };
    S.InternalFlag = [this](QBuffer &Stream, TInternalFlag Kind) { GetInternalFlag(Stream, Kind); };
    return S;
}

void TGlottaCore::RescanLanguages()
{
    // During construction and while a design loads, the setters' rescans
    // are left out: Loaded() scans once, when every property is known.
    if (!IsReady())
        return;
    // A changed list can resolve a superior chain differently.
    fParsed.Clear();
    fStoreKeepable = false;
    fData->Rescan(LanguageSources());
    RebuildLangMenu();
}

QStringList TGlottaCore::LanguageMenuEntries() const
{
    return fData ? fData->LangMenu.ToStringList() : QStringList();
}

bool TGlottaCore::RebuildLangMenu()
{
    if (!IsReady())
        return false;
    QList<TMenuCommand> Commands;
    if (fIsInitialized) {
        if (LangCreatorVisible())
            Commands.append({fLangFormLexicon->GetItem(liCreateLanguage), ifCreateEntry});
        if (LangEditorVisible() && EditorCanBeShown())
            Commands.append({fLangFormLexicon->GetItem(liEditLanguage), ifEditEntry});
    }
    fData->RebuildMenu(Commands, LanguageSources());
    return true;
}

void TGlottaCore::UpdateLangControl(QObject *Control, int LanguageIndex)
{
    Q_UNUSED(Control);
    Q_UNUSED(LanguageIndex);
}

void TGlottaCore::RefreshLangControls()
{
    const int Index = fData->Languages.IndexOf(fCurrentLanguage);
    // Filling one control raises its signals, whose handlers may destroy
    // another: every control is held through a guarded pointer.
    QList<QPointer<QObject>> Controls;
    for (QObject *C : fData->SpanClients->Components())
        Controls.append(C);
    for (const QPointer<QObject> &C : std::as_const(Controls)) {
        if (!C)
            continue;
        auto *Hooks = dynamic_cast<TComponentHooks *>(C.data());
        if (!Hooks || !Hooks->IsLoading())
            UpdateLangControl(C, Index);
    }
}

void TGlottaCore::RefreshLangControl(QObject *GlottaGUIControl)
{
    if (GlottaGUIControl)
        UpdateLangControl(GlottaGUIControl, fData->Languages.IndexOf(fCurrentLanguage));
}

void TGlottaCore::GetInternalFlag(QBuffer &Stream, TInternalFlag Kind)
{
    Q_UNUSED(Kind);
    Stream.buffer().clear();
    Stream.seek(0);
}

// ---- switching language ----

QString TGlottaCore::Translate(const QString &ISOorLangName, bool *Switched)
{
    if (Switched)
        *Switched = false;
    bool Continue = true;
    if (OnChangeLangQuery)
        OnChangeLangQuery(this, Continue);
    if (!Continue) {
        RebuildLangMenu();
        return fCurrentLanguage;
    }
    InitEngine(false);
    const QString Name = ResolveLanguageRequest(ISOorLangName);
    if (fData->Languages.IndexOf(Name) < 0) {
        RebuildLangMenu();
        return fCurrentLanguage;
    }
    LoadLanguage(Name, TLoadFlags());
    UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, false);
    fData->SpanClients->CallClientProcs();
    LanguageChosen(fCurrentLanguage);
    if (Switched)
        *Switched = true;
    if (OnChangeLanguage)
        OnChangeLanguage(this);
    RebuildLangMenu();
    return fCurrentLanguage;
}

QString TGlottaCore::ResolveLanguageRequest(const QString &Request)
{
    std::optional<TEditorRequest> Mode;
    if (!GetIsMultiEngine()) {
        if (Request == fLangFormLexicon->GetItem(liCreateLanguage) && EnsureLangsDir())
            Mode = erCreateLanguage;
        else if (Request == fLangFormLexicon->GetItem(liEditLanguage) && EditorCanBeShown())
            Mode = erEditLanguage;
    }
    TLangCoreData &D = *fData;
    if (!Mode) {
        const int i = Request.isEmpty() ? -1 : D.LangCodes.IndexOf(Request);
        if (i >= 0)
            return D.Languages.Strings(i);
        if (Request == QLatin1String(">") && D.Languages.Count() > 0) {
            const int Current = D.Languages.IndexOf(fCurrentLanguage);
            return D.Languages.Strings((Current + 1) % D.Languages.Count());
        }
        return Request;
    }
    const QString Remembered = fCurrentLanguage;
    if (OnBeforeEdit)
        OnBeforeEdit(this);
    QString Name = D.EditorExecute(*Mode);
    RescanLanguages();
    if (D.Languages.IndexOf(Name) < 0)
        Name = Remembered;
    if (OnAfterEdit)
        OnAfterEdit(this);
    return Name;
}

bool TGlottaCore::InitEngine(bool AutoLanguage)
{
    bool Result = false;
    if (!fData || !fData->SpanClients)
        return false;
    if (fIsInitialized)
        fData->SpanClients->InitClients();
    else {
        fIsInitialized = true;
        fData->SpanClients->InitClients();
        if (AutoLanguage) {
            const QString L = GetAutoLanguage();
            if (L != fDesignLanguage && L != fData->DesignLangISO) {
                Translate(L);
                Result = true;
            }
        }
        if (!Result && (LangCreatorVisible() || LangEditorVisible()))
            RebuildLangMenu();
    }
    fData->SpanClients->InitToLanguage(fCurrentLanguage, fCurrentLanguage == fDesignLanguage);
    return Result;
}

bool TGlottaCore::UpdateLibraryLanguage(QString LangName, QString LangISO, bool Force)
{
    if (!IsReady() || !fLangFormLexicon)
        return false;
    if (!Force && fIncludeGlotta)
        return false;
    if (LangName.isEmpty()) {
        LangName = fCurrentLanguage;
        LangISO = fCurrentLangISO;
    }
    TLibraryTexts &Lex = *fLangFormLexicon;
    if (Lex.InternalLanguages(LangName, LangISO, true))
        return true;
    if (!fDefaultLanguage.isEmpty() && fDefaultLanguage != LangName
        && Lex.InternalLanguages(fDefaultLanguage, fDefaultLanguage, true))
        return false;
    if (LangName == fDesignLanguage) {
        if (!Lex.InternalLanguages(fDesignLanguage, fData->DesignLangISO, false))
            Lex.LoadLang(EnglishTexts());
        else {
            Lex.InternalLanguages(fDesignLanguage, fData->DesignLangISO, true);
            // The design code becomes the internal language's code unless it
            // already is (a design that stores "cs - Czech" keeps it).
            const QString Code = Lex.InternalLanguage().Code;
            if (Normalized(fDesignLangISOCode) != Code) {
                fDesignLangISOCode = Code;
                fData->DesignLangISO = Code;
                if (fData->LangCodes.Count() > 0)
                    fData->LangCodes.Put(0, Code);
                if (fCurrentLanguage == fDesignLanguage)
                    fCurrentLangISO = Code;
            }
        }
    } else
        Lex.LoadLang(EnglishTexts());
    return false;
}

// ---- strings ----

QString TGlottaCore::TranslateString(const QString &Str, const TSpanClient *Lexicon, int ItemNr)
{
    if (!fIsInitialized)
        InitEngine(true);
    TLangCoreData &D = *fData;
    QString Result;
    if (Lexicon) {
        const QString Path = Lexicon->ListPath();
        quint16 Descent = DescentNone;
        if (ItemNr < 0)
            Result = D.SmartLexicon->ReadItem(Path, Str, Descent);
        else if (ItemNr <= 0xFFFF)
            Result = D.DataLexicon->ReadItem(Path, ItemNr, Descent);
        if (Descent != 0 && Lexicon->GlobalLexicon()) {
            const int G = D.SmartLexicon->FindTranslate(Str, quint16(Descent & 0xFF));
            if (G >= 0)
                Result = D.SmartLexicon->ReadItem(G);
        }
    } else
        Result = D.SmartLexicon->ReadItem(Str);
    if (Result.isEmpty())
        Result = Str;
    DecodeCharCodes(Result);
    return Result;
}

QString TGlottaCore::GlobalToOriginal(const QString &GlobalStr) const
{
    const TNamedItems &G = fData->SmartLexicon->GlobalLexicon();
    for (int i = 0; i < G.Items().Count(); ++i)
        if (G.Items().GetTranslation(i) == GlobalStr)
            return G.Items().Strings(i);
    return GlobalStr;
}

QString TGlottaCore::GlobalToLink(const QString &GlobalStr) const
{
    if (GlobalStr.isEmpty())
        return QString();
    return QStringLiteral("«\"") + GlobalToOriginal(GlobalStr) + QStringLiteral("\"»");
}

void TGlottaCore::TranslateGlottaToDesignLang(const TInternalLangDefs &GlottaDesignLang)
{
    // The set's code is a two-letter code as it stands; DesignLangISO is the
    // design code normalised ("cs - Czech" is kept as set in fDesignLangISOCode).
    if (GlottaDesignLang[0] != fDesignLanguage && GlottaDesignLang[1] != fData->DesignLangISO)
        return;
    fLangFormLexicon->SetCustomInternallyLang(GlottaDesignLang);
    if (IsReady() && fCurrentLanguage == fDesignLanguage)
        fLangFormLexicon->LoadLang(GlottaDesignLang);
}

// ---- queries ----

void TGlottaCore::AssignLanguagesList(QStringList *TargetList) const
{
    if (TargetList)
        *TargetList = fData->Languages.ToStringList();
}

QString TGlottaCore::GetLanguageFile(const QString &ISOorLangName) const
{
    return fData->GetFile(ISOorLangName);
}

QString TGlottaCore::GetLanguageFile(int LanguageIndex) const
{
    return fData->GetFile(LanguageIndex);
}

QString TGlottaCore::GetISOCode(const QString &LanguageName) const
{
    return fData->GetCode(LanguageName);
}

QString TGlottaCore::GetISOCode(int LanguageIndex) const
{
    return fData->GetCode(LanguageIndex);
}

bool TGlottaCore::LangExists(const QString &ISOorLangName) const
{
    return fData->Exists(ISOorLangName);
}

QBuffer *TGlottaCore::FlagImage(const QString &ISOorLangName)
{
    return fData->Flag(ISOorLangName);
}

QBuffer *TGlottaCore::FlagImage(int LanguageIndex)
{
    return fData->Flag(LanguageIndex);
}

bool TGlottaCore::EditorCanBeShown() const
{
    return fData->EditableLangs.Count() > 0;
}

void TGlottaCore::ShowLangEditor()
{
    Translate(fLangFormLexicon->GetItem(liEditLanguage));
}

void TGlottaCore::ShowLangCreator()
{
    Translate(fLangFormLexicon->GetItem(liCreateLanguage));
}

QString TGlottaCore::LibraryLexiconPath() const
{
    return fLangFormLexicon->ListPath();
}

// ---- clients ----

void TGlottaCore::ConnectClient(QObject *Client, TGlottaCore *&EngineRef)
{
    if (EngineRef == this)
        return;
    if (EngineRef)
        EngineRef->DisconnectClient(Client);
    EngineRef = this;
    fData->SpanClients->RegisterClient(Client);
}

void TGlottaCore::DisconnectClient(QObject *Client)
{
    // A component may go while the engine itself is being destroyed, after
    // its data holder (and with it the registry) is gone.
    if (fData)
        fData->SpanClients->UnregisterClient(Client);
}

// ---- editor bridge ----

bool TGlottaCore::EnsureLangsDir()
{
    const QString Dir = GetLangsDir();
    if (Dir.isEmpty() || QFileInfo(Dir).isDir())
        return true;
    if (!QDir().mkpath(Dir))
        throw ELangDirError(fLangFormLexicon->GetItem(liWrongLangPath));
    return true;
}

QString TGlottaCore::UniqueLangFileName(const QString &Base) const
{
    return TLanguageList::UniqueFileName(GetLangsDir(), Base, fLangFileExt);
}

bool TGlottaCore::ExtractResourceLanguage(int Index)
{
    try {
        const QString Name = fData->GetFile(Index);
        if (fLangResources.isEmpty() || Index <= 0 || !fLangResources.contains(Name))
            return false;
        if (!EnsureLangsDir())
            return false;
        if (fData->ExtractResource(Index, LanguageSources()))
            return true;
        qCWarning(lcGlottaEngine).noquote()
            << QStringLiteral("language resource %1 not copied into %2").arg(Name, GetLangsDir());
        return false;
    } catch (const std::exception &E) {
        qCWarning(lcGlottaEngine).noquote()
            << QStringLiteral("language resource %1 not copied: %2").arg(fData->GetFile(Index), QString::fromLocal8Bit(E.what()));
        return false;
    }
}

bool TGlottaCore::EditorAction(TEditorActions Act, const QString &Param)
{
    switch (Act) {
    case TEditorActions::eaLoadLangForEdit: {
        const int i = fData->Languages.IndexOf(Param);
        if (i >= 0 && !QFileInfo(fData->FileNames.Strings(i)).isFile() && !ExtractResourceLanguage(i))
            return false;
        return LoadLanguage(Param, LoadToEdit);
    }
    case TEditorActions::eaLoadLangForCreate:
        return LoadLanguage(Param, TLoadFlag::AsSuperior);
    case TEditorActions::eaCreateLang:
        fCurrentLanguage = fData->EditorLang;
        fCurrentLangISO = Normalized(fData->EditorISO);
        return true;
    case TEditorActions::eaSaveLang:
        // Without a name or a file the writer writes nothing: not a success.
        if (fData->EditorLang.isEmpty() || Param.isEmpty())
            return false;
        SaveLanguage(fData->EditorLang, fData->CurrentSuperiorLang.Name, fData->EditorISO, Param);
        return true;
    }
    return false;
}
