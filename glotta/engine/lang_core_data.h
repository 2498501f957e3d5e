#pragma once
// TLangCoreData: the engine's data holder. It keeps the language list (names,
// file or resource names, ISO codes, flags, editable languages, the menu
// list), the registry of attached components and the translation store of
// the current language with its superior languages. The editor's data class
// derives from it and implements the editor operations.

#include "component_structure.h"
#include "lang_types.h"
#include "lexicon_data.h"
#include "smart_lexicon_data.h"
#include "string_list.h"

#include <QBuffer>
#include <memory>
#include <vector>

class TGlottaCore;
class TSpans;

// The editor's requests to the engine and its page kinds.
enum class TEditorActions { eaLoadLangForEdit, eaLoadLangForCreate, eaCreateLang, eaSaveLang };
enum class TEditorModes { emClient, emIndexedLexicon, emSmartLexicon, emResources };

// The flag images of the languages, parallel to the language list and then
// to the command entries of the menu list.
class TFlagsList
{
public:
    TFlagsList() = default;
    TFlagsList(const TFlagsList &) = delete;
    TFlagsList &operator=(const TFlagsList &) = delete;

    int Count() const { return int(fFlags.size()); }
    void ClearFlags() { fFlags.clear(); }
    // Appends a new empty stream (open for reading and writing).
    QBuffer *NewFlag();
    // The stream at Index, positioned at its start; an index at or beyond
    // Count first appends empty streams up to it. Nil for a negative index.
    QBuffer *GetFlagStream(int Index);
    // Index is within the list and its stream holds more than 10 bytes.
    bool Present(int FlagIndex) const;

private:
    std::vector<std::unique_ptr<QBuffer>> fFlags;
};

class TLangCoreData
{
public:
    explicit TLangCoreData(TGlottaCore *OwnedEngine);
    TLangCoreData(const TLangCoreData &) = delete;
    TLangCoreData &operator=(const TLangCoreData &) = delete;
    virtual ~TLangCoreData();

    // The language list; entry 0 is always the design language. Lookups
    // ignore letter case.
    TStringList Languages;
    // Entry 0 the design language's name, then a file's full path or a resource's name.
    TStringList FileNames;
    TStringList LangCodes;
    TFlagsList Flags;
    TStringList EditableLangs;
    TStringList LangMenu;
    std::unique_ptr<TSpans> SpanClients;
    TGlottaCore *Engine;
    TLangIDs CurrentSuperiorLang;
    QString DesignLangISO;
    QString EditorISO;
    QString EditorLang;
    std::unique_ptr<TComponentStructure> DataStruct;
    std::unique_ptr<TLexiconData> DataLexicon;
    std::unique_ptr<TSmartLexiconData> SmartLexicon;

    // The engine's language directory.
    QString LangsDir() const;
    bool EditorAction(TEditorActions Act, const QString &Param);

    // Lookups by ISO code (a non-empty request) and then by name; empty /
    // false / nil for an unknown language or an index outside the list.
    int IndexOfLanguage(const QString &ISOorLangName) const;
    QString GetFile(const QString &ISOorLangName) const;
    QString GetFile(int LanguageIndex) const;
    // By name only / by index.
    QString GetCode(const QString &LanguageName) const;
    QString GetCode(int LanguageIndex) const;
    bool Exists(const QString &ISOorLangName) const;
    QBuffer *Flag(const QString &ISOorLangName);
    QBuffer *Flag(int LanguageIndex);

    // The descent step of the three stores.
    void NewLanguage();
    // Empties the three stores and CurrentSuperiorLang.
    void Clear();

    // Shows the editor in mode 0 (create a language) or 1 (edit one) and
    // answers the language to switch to. Without an editor window there is
    // nothing to show: the current language stays.
    virtual QString EditorExecute(int EMode);
    virtual bool EditorOpened() const { return false; }
    // Called after the superior chain of a language loaded for editing: the
    // editor builds its source data from the language data.
    virtual void CompleteSourceData() {}
};
