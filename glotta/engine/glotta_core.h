#pragma once
// TGlottaCore: the localization engine component. It keeps the list of
// languages, knows the current one, loads a language's translations (with
// its chain of superior languages) into the store when it becomes current
// and tells every registered client to apply them. It also builds the menu
// list of languages and command entries, answers single-string lookups for
// lexicons and is the bridge through which the editor loads and saves
// languages.

#include "glotta/engine/glotta_engine_export.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/core/exception.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/store/lang_types.h"
#include "glotta/engine/language_list.h"
#include "glotta/engine/library_texts.h"
#include "glotta/engine/parsed_languages.h"
#include "glotta/engine/language_file.h"

#include <QBuffer>
#include <QObject>
#include <QStringList>
#include <memory>

class TSpanClient;
class TStringList;

// The language directory is missing and cannot be created.
GLOTTA_DECLARE_EXCEPTION(ELangDirError, Exception)
// An import refused (the library's "cannot be imported" text, formatted with
// the reason), or an export of the design language.
GLOTTA_DECLARE_EXCEPTION(EImportExport, Exception)

// Keys (engine name "&" owner name) of the engines that are the first of
// their kind; process-wide, entries are never removed. GUI thread only.
GLOTTA_ENGINE_EXPORT TStringList &RegisteredEngines();

class GLOTTA_ENGINE_EXPORT TGlottaCore : public QObject, public TComponentHooks, public TLangDataEngine
{
    Q_OBJECT
    Q_PROPERTY(QString AboutGlotta READ AboutGlotta WRITE SetAboutGlotta)
    Q_PROPERTY(QString DesignLangISOCode READ DesignLangISOCode WRITE SetDesignLangISOCode)
    Q_PROPERTY(QString DesignLanguageName READ DesignLanguageName WRITE SetDesignLanguageName)
    Q_PROPERTY(QString DefaultLanguage READ DefaultLanguage WRITE SetDefaultLanguage)
    Q_PROPERTY(QString LangSubdirectory READ LangSubdirectory WRITE SetLangSubdirectory)
    Q_PROPERTY(QString LangFileExtension READ LangFileExtension WRITE SetLangFileExtension)
    Q_PROPERTY(QString LangFileSignature READ LangFileSignature WRITE SetLangFileSignature)
    Q_PROPERTY(GlottaTypes::TLFEncoding LangFileEncoding READ LangFileEncoding WRITE SetLangFileEncoding)
    Q_PROPERTY(bool HideCopyright READ HideCopyright WRITE SetHideCopyright)
    // Stored as set; reading through LangCreatorVisible() also asks whether the engine is a multi-engine.
    Q_PROPERTY(bool LangCreatorVisible MEMBER fLangCreatorVisible WRITE SetLangCreatorVisible)
    Q_PROPERTY(bool LangEditorVisible MEMBER fLangEditorVisible WRITE SetLangEditorVisible)
    Q_PROPERTY(bool TranslateGlotta READ TranslateGlotta WRITE SetTranslateGlotta)
    Q_PROPERTY(QStringList LangResources READ LangResources WRITE SetLangResources)
    Q_PROPERTY(bool LangResourcesAllowEdit READ LangResourcesAllowEdit WRITE SetLangResourcesAllowEdit)
public:
    using TDataFactory = TLangCoreData *(*)(TGlottaCore *Engine);

    explicit TGlottaCore(QObject *Owner = nullptr);
    ~TGlottaCore() override;

    QString AboutGlotta() const override;
    void SetAboutGlotta(const QString &) {}
    // As set in the design ("cs - Czech"); DesignLangISO holds it normalised.
    QString DesignLangISOCode() const { return fDesignLangISOCode; }
    void SetDesignLangISOCode(const QString &Value);
    QString DesignLanguageName() const override { return fDesignLanguage; }
    void SetDesignLanguageName(const QString &Value);
    QString DefaultLanguage() const { return fDefaultLanguage; }
    void SetDefaultLanguage(const QString &Value);
    QString LangSubdirectory() const { return fLangSubdir; }
    virtual void SetLangSubdirectory(const QString &Value);
    QString LangFileExtension() const override { return fLangFileExt; }
    void SetLangFileExtension(const QString &Value);
    QString LangFileSignature() const { return fLangFileSign; }
    void SetLangFileSignature(const QString &Value);
    TLFEncoding LangFileEncoding() const { return fLangFileEncoding; }
    void SetLangFileEncoding(TLFEncoding Value) { fLangFileEncoding = Value; }
    bool HideCopyright() const override { return fHideCopyright; }
    void SetHideCopyright(bool Value) { fHideCopyright = Value; }
    bool LangCreatorVisible() const;
    void SetLangCreatorVisible(bool Value);
    bool LangEditorVisible() const;
    void SetLangEditorVisible(bool Value);
    bool TranslateGlotta() const override { return fIncludeGlotta; }
    void SetTranslateGlotta(bool Value) { fIncludeGlotta = Value; }
    QStringList LangResources() const { return fLangResources; }
    void SetLangResources(const QStringList &Value);
    bool LangResourcesAllowEdit() const { return fAllowEditInternalLangs; }
    void SetLangResourcesAllowEdit(bool Value);
    bool LangMenuFlags() const { return fLangMenuFlags; }
    virtual void SetLangMenuFlags(bool Value) { fLangMenuFlags = Value; }

    QString CurrentLanguage() const override { return fCurrentLanguage; }
    // Switches to the language named by an ISO code or a name unless Value
    // is exactly the current name or code (then nothing, not even the query).
    void SetCurrentLanguage(const QString &Value);
    QString CurrentLanguageISO() const override;
    void SetCurrentLanguageISO(const QString &Value) { SetCurrentLanguage(Value); }

    // Switches language (an ISO code, a name, ">" for the next language, or
    // a command entry, which opens the editor); answers the current
    // language's name afterwards. An unknown language, or one the change
    // query refuses, changes nothing. Switched, when given, tells whether
    // a language was loaded and shown (the caller cannot tell from the name:
    // a refused switch to another language also answers the current one).
    QString Translate(const QString &ISOorLangName, bool *Switched = nullptr);
    // What a language menu or combo lists: the languages in list order, then
    // the command entries (create, edit) where they are shown. An entry is
    // also its identity: Translate takes it back whatever caption a menu
    // item shows for it meanwhile.
    QStringList LanguageMenuEntries() const;
    // One string of a lexicon in the current language, decoded. ItemNr < 0:
    // a smart-lexicon lookup of Str; without a lexicon the global lexicon's.
    QString TranslateString(const QString &Str, const TSpanClient *Lexicon, int ItemNr);
    void AssignLanguagesList(QStringList *TargetList) const;
    QString GetLanguageFile(const QString &ISOorLangName) const;
    QString GetLanguageFile(int LanguageIndex) const;
    QString GetISOCode(const QString &LanguageName) const;
    QString GetISOCode(int LanguageIndex) const;
    bool LangExists(const QString &ISOorLangName) const;
    QBuffer *FlagImage(const QString &ISOorLangName);
    virtual QBuffer *FlagImage(int LanguageIndex);
    bool EditorCanBeShown() const;
    void ShowLangEditor();
    void ShowLangCreator();
    void RefreshLangControl(QObject *GlottaGUIControl);
    // The designed text of the first global entry translated as GlobalStr.
    QString GlobalToOriginal(const QString &GlobalStr) const;
    // "«\"" + GlobalToOriginal + "\"»"; empty for an empty GlobalStr.
    QString GlobalToLink(const QString &GlobalStr) const;
    // Texts of the library lexicon for an application whose design language
    // is no built-in internal language.
    void TranslateGlottaToDesignLang(const TInternalLangDefs &GlottaDesignLang);

    // Virtual operations, in this order.
    virtual QString EngineKey() const;
    virtual void SetCookieName(const QString &Value);
    virtual void CookieNameChanged() {}
    virtual void LanguageChosen(const QString &Language) { Q_UNUSED(Language); }
    virtual QString GetAutoLanguage() const { return fDefaultLanguage; }
    virtual bool GetIsMultiEngine() const { return fIsMultiEngine; }
    virtual bool RebuildLangMenu();
    // Fills a selector or flag control; the engine component does it.
    virtual void UpdateLangControl(QObject *Control, int LanguageIndex);
    virtual void RefreshLangControls();
    // The language directory with a trailing separator; empty: none.
    QString GetLangsDir() const override { return QString(); }
    // Writes a built-in picture into Stream. The core has none.
    virtual void GetInternalFlag(QBuffer &Stream, TInternalFlag Kind);
    virtual bool InitEngine(bool AutoLanguage);
    virtual bool ForcedMultiEngine() const { return false; }
    virtual void ConnectClient(QObject *Client, TGlottaCore *&EngineRef);
    virtual void DisconnectClient(QObject *Client);

    // The editor's requests, which reach the engine through its data holder.
    bool EditorAction(TEditorActions Act, const QString &Param) override;

    // Takes a lexicon file, dictionary, language file or (into the current
    // language while the editor is open) a language bundle over into a
    // language; answers the number of entries taken (one more for a flag).
    // Outside the editor the merged language is saved and switched to.
    // Raises EImportExport (reasons in exchange/import_refusal.h) when it refuses.
    int ImportFromFile(const QString &FileName, bool ToCurrentLanguage) override;
    // The current language with its flag as a dictionary (".txt") or a
    // lexicon file (any other extension).
    void ExportToFile(const QString &FileName);
    // The store as a dictionary or lexicon file of the language LangName.
    void WriteExchangeFile(const QString &FileName, const QString &LangName, const QString &LangISO) override;
    // The library lexicon's items are translated through the language data:
    // the engine translates its own texts and the current language is none
    // of the library's internal ones.
    bool LibraryListTranslated() const override;

    void Loaded() override;

    // The data holder: language list, registry and translation store.
    TLangCoreData *LData() const { return fData; }
    // The first initialisation (InitEngine) has run.
    bool IsInitialized() const { return fIsInitialized; }

    // The library's own texts.
    TLibraryTexts *LangFormLexicon() const override { return fLangFormLexicon.get(); }
    // The name under which the library lexicon is stored.
    QString LibraryLexiconPath() const;
    const QString &CookieName() const { return fCookieName; }

    TContinueQuery OnChangeLangQuery;
    TNotifyEvent OnChangeLanguage;
    TNotifyEvent OnBeforeEdit;
    TNotifyEvent OnAfterEdit;

    QString LastAutoLangName;

protected:
    // For engines that bring their own data holder (the editor-enabled one).
    TGlottaCore(QObject *Owner, TDataFactory MakeData);

    // Opens a language resource of the program by name; false when absent.
    virtual bool ReadLanguageResource(const QString &Name, QByteArray &Bytes) const;

    bool IsReady() const;
    // Discovery and the menu list, carried out by the language list.
    void RescanLanguages();
    // Where and how this engine finds its languages.
    TLanguageSources LanguageSources();
    QString ResolveLanguageRequest(const QString &Request);
    bool UpdateLibraryLanguage(QString LangName, QString LangISO, bool Force);
    bool EnsureLangsDir();
    QString UniqueLangFileName(const QString &Base) const;
    bool ExtractResourceLanguage(int Index);

    // Exchange files. The target of an import: language Index of the list,
    // loaded when it is not the current one, or (Index < 0) a new language
    // Target based on the design language, which becomes the current one.
    // Target ends as the language's name and code; answers the file the
    // import saves to. ImportedFile names a new language's file.
    QString SelectImportTarget(int Index, TLangIDs &Target, const QString &ImportedFile);
    // Refuses a reference language other than the design language.
    void CheckReferenceLanguage(const TLangIDs &Reference) const;
    // The flag picture of language Index; empty when the list shows the
    // placeholder of a language without a flag of its own.
    QByteArray LanguageFlag(int Index);

    // Language files.
    bool LoadLanguage(const QString &LangName, TLoadFlags Flags, const QString &Chain = QString());
    void SaveLanguage(const QString &LangName, const QString &SuperiorName, const QString &ISOCode,
                      const QString &FileName);
    void ResetToDesignLanguage(TLoadFlags Flags);
    // Language Index opened for reading: its file, else its resource's
    // bytes; nothing when neither can be read or the data are larger than a
    // language file can be.
    std::unique_ptr<QIODevice> OpenLanguageSource(int Index) const;

    QString fCurrentLanguage;
    QString fCurrentLangISO;
    QString fDesignLanguage;
    QString fDefaultLanguage;
    QString fDesignLangISOCode;
    QString fLangSubdir;
    QString fLangFileExt;
    QString fLangFileSign;
    TLFEncoding fLangFileEncoding = TLFEncoding::Unicode;
    QString fCookieName;
    bool fAllowEditInternalLangs = false;
    bool fLangEditorVisible = true;
    bool fLangCreatorVisible = true;
    bool fIncludeGlotta = false;
    bool fLangMenuFlags = true;
    bool fHideCopyright = false;
    QStringList fLangResources;
    std::unique_ptr<TLibraryTexts> fLangFormLexicon;
    bool fIsMultiEngine = true;

private:
    void Construct(TDataFactory MakeData);
    void NameChanged();
    bool LoadSuperiorLanguage(const QString &Superior, const QString &LangName, TLoadFlags Flags,
                              const QString &Chain);
    class TImport;
    bool fKeyPending = false; // named before its owner: register once loading ends
    TLangCoreData *fData = nullptr; // owned
    bool fIsFullyCreated = false;
    bool fIsInitialized = false;

    // Switching back to a language parsed before takes its store from here.
    // Only plain switches use it, and only while the engine does not
    // translate its own texts (those loads also change the library lexicon).
    void KeepStoreLanguage();
    bool RestoreParsedLanguage(const QString &LangName);
    bool LoadLanguageFile(const QString &LangName, int Index, TLoadFlags Flags, const QString &Chain);
    TParsedLanguages fParsed;
    // What the store holds while fStoreKeepable: a plain switch's result
    // that nothing has changed since (no stores in it).
    TParsedLanguage fStoreOrigin;
    bool fStoreKeepable = false;
    // The sources a plain switch reads, recorded while it runs.
    QList<TSourceStamp> *fChainSources = nullptr;
    // How many superiors the load under way has descended into.
    int fSuperiorDepth = 0;
};
