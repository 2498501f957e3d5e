#pragma once
// TLangCoreData: the engine's data holder. It keeps the language list (its
// TLanguageList part), the registry of attached components and the
// translation store of the current language with its superior languages.
// The editor's data class derives from it and implements the editor
// operations.

#include "glotta/store/component_structure.h"
#include "glotta/store/lang_types.h"
#include "glotta/engine/language_list.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QString>
#include <memory>

class TSpans;

// The editor's requests to the engine and its page kinds.
enum class TEditorActions { eaLoadLangForEdit, eaLoadLangForCreate, eaCreateLang, eaSaveLang };
enum class TEditorModes { emClient, emIndexedLexicon, emSmartLexicon, emResources };
// What the editor is shown for: creating a language or editing one.
enum TEditorRequest { erCreateLanguage = 0, erEditLanguage = 1 };

// What the data holder asks of the engine that owns it. The engine
// implements it; the holder never reaches into the engine's fields.
class TLangDataEngine
{
public:
    // The language directory with a trailing separator; empty: none.
    virtual QString GetLangsDir() const = 0;
    virtual QString CurrentLanguage() const = 0;
    // Carries out an editor request (load for editing or as a source,
    // create, save); the engine's own bookkeeping changes only there.
    virtual bool EditorAction(TEditorActions Act, const QString &Param) = 0;
    // Writes the store as a dictionary or lexicon file of language LangName.
    virtual void WriteExchangeFile(const QString &FileName, const QString &LangName, const QString &LangISO) = 0;
    // The library lexicon's items are translated through the language data.
    virtual bool LibraryListTranslated() const = 0;

protected:
    ~TLangDataEngine() = default;
};

class TLangCoreData : public TLanguageList
{
public:
    explicit TLangCoreData(TLangDataEngine *OwnedEngine);
    ~TLangCoreData() override;

    std::unique_ptr<TSpans> SpanClients;
    TLangDataEngine *Engine;
    TLangIDs CurrentSuperiorLang;
    QString DesignLangISO;
    QString EditorISO;
    QString EditorLang;
    std::unique_ptr<TComponentStructure> DataStruct;
    std::unique_ptr<TLexiconData> DataLexicon;
    std::unique_ptr<TSmartLexiconData> SmartLexicon;

    // The engine's language directory.
    QString LangsDir() const;
    // The editor's requests, carried out by the engine.
    bool EditorAction(TEditorActions Act, const QString &Param);

    // Exports the language the editor works on, with the flag the editor
    // holds in the process-wide flag buffer.
    void ExportLanguage(const QString &FileName, const QString &LangName, const QString &LangISO);
    // Applies one pair of designed text and translation to every registered
    // client: property lines, resource strings and lexicon items whose
    // designed text it is and that have no own translation yet (or any,
    // with OverwritingAllowed). Answers the number of entries written.
    int AddTranslate(const QString &Designed, const QString &Translated, bool OverwritingAllowed);

    // The descent step of the three stores.
    void NewLanguage();
    // Empties the three stores and CurrentSuperiorLang.
    void Clear();

    // Shows the editor for a TEditorRequest and answers the language to
    // switch to. Without an editor window there is nothing to show: the
    // current language stays.
    virtual QString EditorExecute(int EMode);
    virtual bool EditorOpened() const { return false; }
    // Called after the superior chain of a language loaded for editing: the
    // editor builds its source data from the language data.
    virtual void CompleteSourceData() {}
};
