#include "glotta_core.h"

#include "component_names.h"
#include "flag_icon.h"
#include "form_lexicon.h"
#include "lang_core_data.h"
#include "language_file.h"
#include "language_header.h"
#include "language_names.h"
#include "lexicon.h"
#include "spans.h"
#include "string_list.h"
#include "text_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    LData = MakeData(this);
    LastAutoLangName = DesignLanguageDefault;
    IsInitialized = false;
    IsFullyCreated = false;
    fLangMenuFlags = true;
    fHideCopyright = false;
    fDesignLanguage = DesignLanguageDefault;
    fCurrentLanguage = fDesignLanguage;
    fLangFormLexicon.reset(new TLangFormLexicon(this));
    IsMultiEngine = true;
    if (LData->Languages.Count() == 0) {
        fDesignLangISOCode.clear();
        LData->DesignLangISO.clear();
        fDesignLanguage = DesignLanguageDefault;
    }
    fLangSubdir.clear();
    fLangFileExt = QStringLiteral(".lng");
    fLangFileSign = QStringLiteral("LANGUAGE_FILE");
    fLangCreatorVisible = true;
    fLangEditorVisible = true;
    fIncludeGlotta = false;
    fCookieEnabled = true;
    fCookieLifeDays = 0;
    fLangFileEncoding = Unicode;
    fAllowEditInternalLangs = false;
    connect(this, &QObject::objectNameChanged, this, [this] { NameChanged(); });
    IsFullyCreated = true;
    if (IsReady()) {
        UpdateLibraryLanguage(fDesignLanguage, LData->DesignLangISO, false);
        RescanLanguages();
    }
}

TGlottaCore::~TGlottaCore()
{
    fLangFormLexicon.reset();
    // Components still attached hear of the engine's end by free notification
    // once QObject's destructor runs; the registry must not outlive it.
    delete LData;
    LData = nullptr;
}

QString TGlottaCore::AboutGlotta() const
{
    return QStringLiteral("Glotta 2.13.4");
}

bool TGlottaCore::IsReady() const
{
    return IsFullyCreated && !IsLoading();
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
        IsMultiEngine = false;
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
    TComponentHooks::Loaded();
    if (fKeyPending)
        NameChanged();
    const bool Force = fCurrentLangISO == LData->DesignLangISO || fCurrentLanguage == fDesignLanguage;
    UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, Force);
    RescanLanguages();
}

// ---- published setters ----

void TGlottaCore::SetDesignLangISOCode(const QString &Value)
{
    const QString Old = fDesignLangISOCode;
    const QString Code = Normalized(Value);
    LData->DesignLangISO = Code;
    // Kept as the design gives it ("cs - Czech"), so a stored design reads
    // back what it wrote; everything else uses the normalised DesignLangISO.
    fDesignLangISOCode = Value;
    if (LData->LangCodes.Count() > 0)
        LData->LangCodes.Put(0, Code);
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
        if (IsInitialized && (LangCreatorVisible() || LangEditorVisible()))
            RebuildLangMenu();
    }
}

void TGlottaCore::SetDesignLanguageName(const QString &Value)
{
    const QString Name = Value.isEmpty() ? DesignLanguageDefault : Value;
    const QString Old = fDesignLanguage;
    if (fCurrentLanguage == Old) {
        fCurrentLanguage = Name;
        fCurrentLangISO = LData->DesignLangISO;
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
    if (IsInitialized && !Old.isEmpty()
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
    const QString OldFile = LData->GetFile(LData->Languages.IndexOf(fCurrentLanguage));
    RescanLanguages();
    const int i = LData->Languages.IndexOf(fCurrentLanguage);
    // A file now overrides the current resource language, or no longer does.
    if (IsInitialized && i > 0 && LData->FileNames.Strings(i) != OldFile)
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

void TGlottaCore::RescanLanguages()
{
    if (!IsReady())
        return;
    TLangCoreData &D = *LData;
    D.Languages.Clear();
    D.FileNames.Clear();
    D.LangCodes.Clear();
    D.EditableLangs.Clear();
    D.Flags.ClearFlags();

    D.Languages.Add(fDesignLanguage);
    D.FileNames.Add(fDesignLanguage);
    D.LangCodes.Add(D.DesignLangISO);
    GetInternalFlag(*D.Flags.NewFlag(), 2);

    const QString Sign = QLatin1Char('[') + fLangFileSign + QLatin1Char(']');
    for (qsizetype r = 0; r < fLangResources.size();) {
        const QString Name = fLangResources[r];
        QByteArray Bytes;
        if (!ReadLanguageResource(Name, Bytes)) {
            // A resource that cannot be opened is dropped; the rest are still scanned.
            fLangResources.removeAt(r);
            continue;
        }
        TLangIDs IDs;
        ReadLanguageHeader(Bytes, Sign, true, IDs);
        AddLanguage(Name, IDs, fAllowEditInternalLangs);
        ++r;
    }

    const QString Dir = GetLangsDir();
    if (!Dir.isEmpty()) {
        const QString Ext = fLangFileExt.toLower();
        const QFileInfoList Entries =
            QDir(Dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo &Entry : Entries) {
            const QString FileName = Entry.fileName();
            const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
            const QString EntryExt = Dot < 0 ? QString() : FileName.mid(Dot).toLower();
            if (EntryExt != Ext)
                continue;
            TLangIDs IDs;
            QByteArray Bytes;
            if (ReadLanguageFileBytes(Entry.filePath(), Bytes))
                ReadLanguageHeader(Bytes, Sign, true, IDs);
            AddLanguage(Dir + FileName, IDs, true);
        }
    }
    RebuildLangMenu();
}

void TGlottaCore::AddLanguage(const QString &FileOrResource, const TLangIDs &Header, bool Editable)
{
    if (Header.Name.isEmpty())
        return;
    TLangCoreData &D = *LData;
    const int i = D.Languages.IndexOf(Header.Name);
    if (i <= 0) {
        D.Languages.Add(Header.Name);
        D.FileNames.Add(FileOrResource);
        D.LangCodes.Add(Header.Code);
        if (Editable)
            D.EditableLangs.Add(Header.Name);
        QBuffer *Flag = D.Flags.NewFlag();
        if (HasFlagIcon())
            Flag->buffer() = FlagIconData().data();
        else
            GetInternalFlag(*Flag, 3);
        Flag->seek(0);
        return;
    }
    const QString Present = D.FileNames.Strings(i);
    if (!QFileInfo(Present).isFile() && fAllowEditInternalLangs && fLangResources.contains(Present)) {
        // A file of the resource language's name replaces the resource.
        D.FileNames.Put(i, FileOrResource);
        if (!Header.Code.isEmpty())
            D.LangCodes.Put(i, Header.Code);
        if (HasFlagIcon()) {
            QBuffer *Flag = D.Flags.GetFlagStream(i);
            Flag->buffer() = FlagIconData().data();
            Flag->seek(0);
        }
        if (Editable && D.EditableLangs.IndexOf(Header.Name) < 0)
            D.EditableLangs.Add(Header.Name);
    }
    // Otherwise the first of two languages of one name wins.
}

bool TGlottaCore::RebuildLangMenu()
{
    if (!IsReady())
        return false;
    TLangCoreData &D = *LData;
    D.LangMenu.Assign(D.Languages);
    if (IsInitialized) {
        auto AddCommand = [&](int Item, int Kind) {
            const int Index = D.LangMenu.Add(fLangFormLexicon->GetItem(Item));
            if (D.Flags.Count() <= Index)
                GetInternalFlag(*D.Flags.GetFlagStream(Index), Kind);
        };
        if (LangCreatorVisible())
            AddCommand(1, 0);
        if (LangEditorVisible() && EditorCanBeShown())
            AddCommand(2, 1);
    }
    return true;
}

void TGlottaCore::UpdateLangControl(QObject *Control, int LanguageIndex)
{
    Q_UNUSED(Control);
    Q_UNUSED(LanguageIndex);
}

void TGlottaCore::RefreshLangControls()
{
    const int Index = LData->Languages.IndexOf(fCurrentLanguage);
    for (QObject *C : LData->SpanClients->Components()) {
        auto *Hooks = dynamic_cast<TComponentHooks *>(C);
        if (!Hooks || !Hooks->IsLoading())
            UpdateLangControl(C, Index);
    }
}

void TGlottaCore::RefreshLangControl(QObject *GlottaGUIControl)
{
    if (GlottaGUIControl)
        UpdateLangControl(GlottaGUIControl, LData->Languages.IndexOf(fCurrentLanguage));
}

void TGlottaCore::GetInternalFlag(QBuffer &Stream, int Kind)
{
    Q_UNUSED(Kind);
    Stream.buffer().clear();
    Stream.seek(0);
}

// ---- switching language ----

QString TGlottaCore::Translate(const QString &ISOorLangName)
{
    bool Continue = true;
    if (OnChangeLangQuery)
        OnChangeLangQuery(this, Continue);
    if (!Continue) {
        RebuildLangMenu();
        return fCurrentLanguage;
    }
    InitEngine(false);
    const QString Name = ResolveLanguageRequest(ISOorLangName);
    if (LData->Languages.IndexOf(Name) < 0) {
        RebuildLangMenu();
        return fCurrentLanguage;
    }
    LoadLanguage(Name, TLoadFlags());
    UpdateLibraryLanguage(fCurrentLanguage, fCurrentLangISO, false);
    LData->SpanClients->CallClientProcs();
    LanguageChosen(fCurrentLanguage);
    if (OnChangeLanguage)
        OnChangeLanguage(this);
    RebuildLangMenu();
    return fCurrentLanguage;
}

QString TGlottaCore::ResolveLanguageRequest(const QString &Request)
{
    int Mode = -1;
    if (!GetIsMultiEngine()) {
        if (Request == fLangFormLexicon->GetItem(1) && EnsureLangsDir())
            Mode = 0;
        else if (Request == fLangFormLexicon->GetItem(2) && EditorCanBeShown())
            Mode = 1;
    }
    TLangCoreData &D = *LData;
    if (Mode < 0) {
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
    QString Name = D.EditorExecute(Mode);
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
    if (!LData || !LData->SpanClients)
        return false;
    if (IsInitialized)
        LData->SpanClients->InitClients();
    else {
        IsInitialized = true;
        LData->SpanClients->InitClients();
        if (AutoLanguage) {
            const QString L = GetAutoLanguage();
            if (L != fDesignLanguage && L != LData->DesignLangISO) {
                Translate(L);
                Result = true;
            }
        }
        if (!Result && (LangCreatorVisible() || LangEditorVisible()))
            RebuildLangMenu();
    }
    LData->SpanClients->InitToLanguage(fCurrentLanguage, fCurrentLanguage == fDesignLanguage);
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
    TLangFormLexicon &Lex = *fLangFormLexicon;
    if (Lex.InternalLanguages(LangName, LangISO, true))
        return true;
    if (!fDefaultLanguage.isEmpty() && fDefaultLanguage != LangName
        && Lex.InternalLanguages(fDefaultLanguage, fDefaultLanguage, true))
        return false;
    if (LangName == fDesignLanguage) {
        if (!Lex.InternalLanguages(fDesignLanguage, LData->DesignLangISO, false))
            Lex.LoadLang(EnglishTexts());
        else {
            Lex.InternalLanguages(fDesignLanguage, LData->DesignLangISO, true);
            // The design code becomes the internal language's code unless it
            // already is (a design that stores "cs - Czech" keeps it).
            const QString Code = Lex.InternalLanguage().Code;
            if (Normalized(fDesignLangISOCode) != Code) {
                fDesignLangISOCode = Code;
                LData->DesignLangISO = Code;
                if (LData->LangCodes.Count() > 0)
                    LData->LangCodes.Put(0, Code);
                if (fCurrentLanguage == fDesignLanguage)
                    fCurrentLangISO = Code;
            }
        }
    } else
        Lex.LoadLang(EnglishTexts());
    return false;
}

// ---- strings ----

QString TGlottaCore::TranslateString(const QString &Str, TLMList *Lexicon, int ItemNr)
{
    if (!IsInitialized)
        InitEngine(true);
    TLangCoreData &D = *LData;
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
    const TNamedItems &G = LData->SmartLexicon->GlobalLexicon();
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
    if (GlottaDesignLang[0] != fDesignLanguage && Normalized(GlottaDesignLang[1]) != LData->DesignLangISO)
        return;
    fLangFormLexicon->CustomInternallyLang = GlottaDesignLang;
    if (IsReady() && fCurrentLanguage == fDesignLanguage)
        fLangFormLexicon->LoadLang(GlottaDesignLang);
}

// ---- queries ----

void TGlottaCore::AssignLanguagesList(QStringList *TargetList) const
{
    if (TargetList)
        *TargetList = LData->Languages.ToStringList();
}

QString TGlottaCore::GetLanguageFile(const QString &ISOorLangName) const
{
    return LData->GetFile(ISOorLangName);
}

QString TGlottaCore::GetLanguageFile(int LanguageIndex) const
{
    return LData->GetFile(LanguageIndex);
}

QString TGlottaCore::GetISOCode(const QString &LanguageName) const
{
    return LData->GetCode(LanguageName);
}

QString TGlottaCore::GetISOCode(int LanguageIndex) const
{
    return LData->GetCode(LanguageIndex);
}

bool TGlottaCore::LangExists(const QString &ISOorLangName) const
{
    return LData->Exists(ISOorLangName);
}

QBuffer *TGlottaCore::FlagImage(const QString &ISOorLangName)
{
    return LData->Flag(ISOorLangName);
}

QBuffer *TGlottaCore::FlagImage(int LanguageIndex)
{
    return LData->Flag(LanguageIndex);
}

bool TGlottaCore::EditorCanBeShown() const
{
    return LData->EditableLangs.Count() > 0;
}

void TGlottaCore::ShowLangEditor()
{
    Translate(fLangFormLexicon->GetItem(2));
}

void TGlottaCore::ShowLangCreator()
{
    Translate(fLangFormLexicon->GetItem(1));
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
    LData->SpanClients->RegisterClient(Client);
}

void TGlottaCore::DisconnectClient(QObject *Client)
{
    LData->SpanClients->UnregisterClient(Client);
}

// ---- editor bridge ----

bool TGlottaCore::EnsureLangsDir()
{
    const QString Dir = GetLangsDir();
    if (Dir.isEmpty() || QFileInfo(Dir).isDir())
        return true;
    if (!QDir().mkpath(Dir))
        throw ELangDirError(fLangFormLexicon->GetItem(29));
    return true;
}

QString TGlottaCore::UniqueLangFileName(const QString &Base) const
{
    const QString Ext = fLangFileExt;
    QString Stem = Base;
    if (!Ext.isEmpty() && Base.toLower().endsWith(Ext.toLower()))
        Stem.chop(Ext.size());
    const QString Dir = GetLangsDir();
    QString P = Dir + Stem + Ext;
    for (int n = 2; QFileInfo::exists(P); ++n)
        P = Dir + Stem + QString::number(n) + Ext;
    return P;
}

bool TGlottaCore::ExtractResourceLanguage(int Index)
{
    try {
        const QString Name = LData->GetFile(Index);
        if (fLangResources.isEmpty() || Index <= 0 || !fLangResources.contains(Name))
            return false;
        if (!EnsureLangsDir())
            return false;
        QByteArray Bytes;
        if (!ReadLanguageResource(Name, Bytes))
            return false;
        const QString Target = UniqueLangFileName(Name);
        QSaveFile File(Target);
        if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit())
            return false;
        LData->FileNames.Put(Index, Target);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
