#pragma once
// TLangCoreData: the engine's data holder. It keeps the language list (its
// TLanguageList part), the registry of attached components and the
// translation store of the current language with its superior languages,
// and it is the built-in editor's data model: the reference (source) data a
// language is edited against, the page being edited and the working copy of
// the global lexicon. The editor's operations are defined in the editor
// folder (glotta/engine/editor/); the editor window's data class derives from
// this one and implements the operations that touch the window.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/checks/translation_checks.h"
#include "glotta/engine/editor_progress.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/indexed_items.h"
#include "glotta/store/lang_types.h"
#include "glotta/engine/language_list.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/named_items.h"
#include "glotta/store/smart_lexicon_data.h"
#include "glotta/store/word_list.h"

#include <QFlags>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QObject;
class TLibraryTexts;
class TSpans;

// The editor's requests to the engine and its page kinds.
enum class TEditorActions { eaLoadLangForEdit, eaLoadLangForCreate, eaCreateLang, eaSaveLang };
// No component produces emSmartLexicon pages; the kind exists for stored
// values that name it.
enum class TEditorModes { emClient, emIndexedLexicon, emSmartLexicon, emResources };
// What the editor is shown for: creating a language or editing one.
enum TEditorRequest { erCreateLanguage = 0, erEditLanguage = 1 };
// The columns a search looks in: the translation, the reference text, the
// designed text.
enum TEditorSearch { seItem = 1, seSource = 2, seOriginal = 4 };
Q_DECLARE_FLAGS(TEditorSearchMode, TEditorSearch)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEditorSearchMode)

// What the data holder asks of the engine that owns it. The engine
// implements it; the holder never reaches into the engine's fields.
class GLOTTA_ENGINE_EXPORT TLangDataEngine
{
public:
    // The language directory with a trailing separator; empty: none.
    virtual QString GetLangsDir() const = 0;
    virtual QString CurrentLanguage() const = 0;
    // Carries out an editor request (load for editing or as a source,
    // create, save); the engine's own bookkeeping changes only there.
    virtual bool EditorAction(TEditorActions Act, const QString &Param) = 0;
    // Takes an exchange file over into the current language; answers the
    // number of entries taken. Raises when it refuses the file.
    virtual int ImportFromFile(const QString &FileName, bool ToCurrentLanguage) = 0;
    // Writes the store as a dictionary or lexicon file of language LangName.
    virtual void WriteExchangeFile(const QString &FileName, const QString &LangName, const QString &LangISO) = 0;
    // The library lexicon's items are translated through the language data.
    virtual bool LibraryListTranslated() const = 0;
    // The current language's ISO code, normalised.
    virtual QString CurrentLanguageISO() const = 0;
    virtual QString DesignLanguageName() const = 0;
    // The engine translates the library's own texts like any other lexicon.
    virtual bool TranslateGlotta() const = 0;
    // The library's own interface texts.
    virtual TLibraryTexts *LangFormLexicon() const = 0;
    // The library's name and version, one line.
    virtual QString AboutGlotta() const = 0;
    // The extension of language files, with its dot.
    virtual QString LangFileExtension() const = 0;
    // The about line is not to be shown.
    virtual bool HideCopyright() const = 0;

protected:
    ~TLangDataEngine() = default;
};

class GLOTTA_ENGINE_EXPORT TLangCoreData : public TLanguageList
{
public:
    // Number of the library's interface texts the editor keeps at hand.
    static constexpr int EditorLexCount = LibraryItemCount;
    // SourceIndexes entry of a client row whose line the source data lack.
    static constexpr quint16 NoSourceLine = 65535;

    explicit TLangCoreData(TLangDataEngine *OwnedEngine);
    ~TLangCoreData() override;

    std::unique_ptr<TSpans> SpanClients;
    TLangDataEngine *Engine;

    // The last searched text; a search for the same text goes on after the
    // row it found.
    QString LastSearch;
    // Name and code of the reference language of the loaded language.
    TLangIDs CurrentSuperiorLang;
    QString DesignLangISO;
    // Code and name entered for the edited language.
    QString EditorISO;
    QString EditorLang;
    // The language data: the loaded language's translations (while the
    // editor is open, only the edited language's own).
    std::unique_ptr<TComponentStructure> DataStruct;
    std::unique_ptr<TLexiconData> DataLexicon;
    std::unique_ptr<TSmartLexiconData> SmartLexicon;

    // The editor's page: its kind, the current group (index into
    // ClientGroups, -1 none) and the group whose rows the window shows.
    TEditorModes EditorMode = TEditorModes::emIndexedLexicon;
    int SelectedClient = -1;
    int PageFromClient = -1;
    // The library's interface texts in the current language.
    std::array<QString, EditorLexCount> EditorLex;
    // The groups, in the order of their names in the group list. Not owned;
    // a component destroyed while the editor is open reads as no group.
    QList<QPointer<QObject>> ClientGroups;
    // Work data of the current page: the designed text of every work item,
    // each row's work item, each client row's source line.
    std::unique_ptr<TIndexedItems> DesignedList;
    std::unique_ptr<TWordList> WorkIndexes;
    std::unique_ptr<TWordList> SourceIndexes;
    std::unique_ptr<TComponentStructure> WorkStruct;
    // Source data: the reference translation of every attached component.
    std::unique_ptr<TComponentStructure> SourceStruct;
    std::unique_ptr<TIndexedItems> WorkLexicon;
    std::unique_ptr<TLexiconData> SourceLexicon;
    // Working copy of the global lexicon. Descent 0: a global of the edited
    // language as opened; 1: entered, changed or imported, to be saved;
    // 2: written by a status switch or a copy, saved only when a later
    // storing of the page marks it 1.
    std::unique_ptr<TNamedItems> WorkGlobalLexicon;
    std::unique_ptr<TNamedItems> WorkSmartLexicon;
    std::unique_ptr<TSmartLexiconData> SourceSmartLexicon;

    // The engine's language directory.
    QString LangsDir() const;
    // The library's interface texts (the engine's).
    TLibraryTexts *LangFormLexicon() const;

    // Exports the language the editor works on, with the flag the editor
    // holds in the process-wide flag buffer.
    void ExportLanguage(const QString &FileName, const QString &LangName, const QString &LangISO);
    // Applies one pair of designed text and translation to every registered
    // client: property lines, resource strings and lexicon items whose
    // designed text it is and that have no own translation yet (or any,
    // with OverwritingAllowed). Answers the number of entries written.
    int AddTranslate(const QString &Designed, const QString &Translated, bool OverwritingAllowed);
    // Empties the three stores and CurrentSuperiorLang.
    void Clear();

    // ---- editor run and actions ----

    // Empties the work data and takes the library's texts in the current
    // language; answers the about line the window shows.
    QString PrepareForEditor();
    // Empties the work, source and group data (the components stay).
    void ClearWorkData();
    // The editor's requests, carried out by the engine: load a language for
    // editing or as the source of a new one, make the new language the
    // engine's current one, save (Param: the file; the writer's errors
    // propagate).
    bool EditorAction(TEditorActions Act, const QString &Param);
    // Builds the source data from the language data, which it empties.
    // The engine calls it after the superior chain of a language loaded for
    // editing.
    void CompleteSourceData();
    // The descent step of the three stores.
    void NewLanguage();

    // ---- groups and pages ----

    // Fills ClientGroups and List with the groups and their names; false
    // when no component is attached.
    bool LoadGroups(QStringList &List);
    // The objects of the current group: a client's components, a resource
    // translator's units; none for a lexicon.
    void LoadObjects(QStringList &List);
    // Stores the current page and group, then loads group ClientIndex into
    // the work data; answers the page kind.
    TEditorModes ChangeEditorClient(int ClientIndex);
    // Sends the rows of the current group (limited to the object ObjectName
    // unless it is empty) to the window.
    void NewEditorPage(const QString &ObjectName, const QStringList &LMAdditionNames);
    // Takes the row values back from the window into the work data.
    void StoreEditorPage();
    // Writes the work data of the current group into the language data.
    virtual void StoreGroup();
    // StoreEditorPage, then StoreGroup.
    virtual void StoreChanges();
    // Stores one value into the work item WorkIndex, or into the working
    // global lexicon when Descent marks a global item.
    void RememberCell(const QString &Content, int WorkIndex, quint16 Descent, bool SaveNewGlobals);

    // ---- global lexicon ----

    // Adds the language data's globals the working copy lacks (after an import).
    void LoadNewWorkGlobals();
    // Rebuilds the language data's global lexicon from the working copy.
    void StoreNewGlobals();
    QString GetGlobalSource(const QString &LocStr) const;
    QString GetGlobalTranslate(const QString &LocStr) const;

    // ---- queries ----

    bool AllowedGlobals() const;
    // Name of group ClientIndex (the current group for -1); empty outside.
    QString ClientName(int ClientIndex = -1) const;
    int GetEditorRowsCount() const;
    bool ChangeableEditorItem(int Row) const;
    bool EditorItemIsGlobal(int Row, int &WorkIndex);
    QString GetOriginalForEditorItem(int Row) const;
    QString GetSourceForEditorItem(int Row) const;

    // ---- item status, colours, search ----

    // Colour of a source text: its descent, and whether the property is
    // excluded from translation.
    static quint32 GetItemColor(quint16 ItemDescent, bool NoTrans);
    // Colour of a value compared with its source text.
    static quint32 GetItemColor(quint16 ItemDescent, const QString &ItemContent, const QString &Original);
    // Colour of row EditorIndex showing CurrentString; GroupName keys the
    // source lexicons. Editing an obsolete line's value makes it current.
    quint32 GetItemColor(int EditorIndex, const QString &GroupName, const QString &CurrentString);
    // The hint of a status colour; empty for any other colour.
    QString GetColorHint(quint32 Color) const;
    // Switches the status of a row (translatable, global, excluded);
    // answers whether anything changed and the value to show in NewText.
    bool SwitchEditorItem(int EditorItem, const QString &Content, bool &AllowNoTrans, QString &NewText);
    // The source text of a row and its colour; SameLocStr (when given) gets
    // the other rows with the same designed text when globals are allowed.
    QString SelectEditorItem(int EditorItem, TWordList *SameLocStr, quint32 &SourceColor);
    // Whether the page of one object (all objects for an empty name) still
    // has a row to translate.
    bool IsUntranslated(const QString &GroupName, const QString &ObjectName);
    // Searches the page from StartRow and selects the first match.
    bool SearchWord(const QString &Searched, int StartRow, TEditorSearchMode Mode);

    // ---- progress ----

    // The rows of every group by state; of group ClientIndex; of the object
    // ObjectName of the current group (a component of a form, a unit of a
    // resource translator). The current group counts the values as the
    // window shows them.
    TEditorProgress LanguageProgress() const;
    TEditorProgress GroupProgress(int ClientIndex) const;
    TEditorProgress ObjectProgress(const QString &ObjectName) const;
    // Every object of group ClientIndex (of the current group) at once, by
    // name; a lexicon's items count under the empty name.
    QHash<QString, TEditorProgress> ObjectsProgress(int ClientIndex) const;
    QHash<QString, TEditorProgress> ObjectsProgress() const { return ObjectsProgress(SelectedClient); }
    // The state of every row of the page, by row.
    QList<TRowState> PageRowStates() const;
    // A text of a form's component as the edited language will show it:
    // the group (a client), the component, the property, the decoded text
    // and the row's state; the row on the page, -1 off the page.
    struct TEditorText
    {
        int Group = -1;
        QString Object, Property, Text;
        TRowState State = TRowState::Missing;
        int PageRow = -1;
    };
    // What the translation checks find in each row of the page (nothing in
    // rows that hold no translation of the edited language), by row; and
    // the number of rows of the whole language with a finding.
    QList<QList<TCheckFinding>> PageFindings() const;
    int FailingRows() const;
    // A translation offered for a row: the text, the designed text it
    // translates, the language it comes from, and how close that designed
    // text is to the row's (100: the same text).
    struct TSuggestion
    {
        QString Text, Designed, Language;
        int Closeness = 0;
    };
    // Translations of the row's designed text (or a close one) elsewhere in
    // the edited language and in its reference languages, closest first, at
    // most Limit of them; the row's own value is not offered again.
    QList<TSuggestion> Suggestions(int Row, int Limit = 9) const;
    // Every text of every client group that the program will show (the
    // excluded ones keep the reference text and are left out).
    QList<TEditorText> ClientTexts() const;

    // ---- the window's side ----

    // Shows the editor for a TEditorRequest and answers the language to
    // switch to, empty when the user cancelled. Without an editor window
    // there is nothing to show: the current language stays.
    virtual QString EditorExecute(int EMode);
    // Appends a row to the window's grid.
    virtual void AddEditorRow(const QString &PropertyName, const QString &Value);
    // The value of row Row as the user left it, in one-line form.
    virtual QString GetEditorRow(int Row) const;
    virtual bool EditorOpened() const { return false; }
    // Focuses row Row; for the translation column also selects Len
    // characters from Start of the value being edited.
    virtual void EditorSelect(int Row, int Start, int Len, TEditorSearch Column);

private:
    // One row of a group as the progress counts it: its object, designed
    // text, flags, value (as shown), the text an obsolete line keeps, and
    // its reference text; PageRow is its row on the page, -1 off the page.
    struct TRowFacts
    {
        QString Object, Property, Designed, Value, Kept, Source;
        quint16 Changeable = ChangeableTranslatable;
        quint16 Descent = DescentNone;
        quint16 SourceDescent = DescentNone;
        bool HasSource = false;
        int PageRow = -1;
    };
    void GroupRows(int ClientIndex, const std::function<void(const TRowFacts &)> &Visit) const;
    TRowState RowState(const TRowFacts &Row) const;
    QList<TCheckFinding> Findings(const TRowFacts &Row) const;
    // The component of group Index, or nullptr (out of range, destroyed).
    QObject *Group(int Index) const;
    // Work-item helpers of the current page.
    // The designed text of a work item, and of a row's work item.
    QString WorkDesigned(int WorkItem) const;
    QString RowDesigned(int Row) const;
    QString ResourceSource(int WorkItem, quint16 &SourceDescent) const;
    QString LexiconSource(const QString &GroupName, int WorkItem, quint16 &SourceDescent) const;
    int SourceLine(int Row) const;
    // Stored globals the page uses: the working global lexicon's translation
    // of LocStr with descent 0 or 1.
    int PageGlobal(const QString &LocStr) const;
    bool ItemNeedsTranslation(quint16 Descent, const QString &Text, const QString &Designed,
                              const QString &SourceText) const;
    void LoadClientGroup(QObject *Component);
    void LoadResourceGroup(QObject *Component);
    void LoadLexiconGroup(QObject *Component);
    bool SearchRow(int Row, const QString &Searched, const QString &Folded, TEditorSearchMode Mode);
};
