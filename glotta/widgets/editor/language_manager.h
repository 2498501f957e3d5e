#pragma once
// TLanguageManager: the editor window, read from its stored design. The user
// picks a language to edit (or a source language and a name for a new one),
// moves through the groups and objects of the program, edits the values of
// the rows, switches their status and saves. All texts come from the
// library's interface texts, so the window speaks the library's languages.

#include "glotta/engine/editor_progress.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/store/word_list.h"
#include "toolkit/widgets/form.h"

#include <QEventLoop>
#include <functional>

class QCheckBox;
class QComboBox;
class QListWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class TLangGrid;
class TLangCoreData;

class GLOTTA_WIDGETS_EXPORT TLanguageManager : public TForm
{
    Q_OBJECT
public:
    explicit TLanguageManager(QWidget *Parent = nullptr);
    ~TLanguageManager() override;

    // The window for Data, from the stored design, prepared for creating
    // (EditMode false) or editing a language.
    static TLanguageManager *Create(TLangCoreData *Data, bool EditMode, const QString &About);
    // Shows the window modally; true when it closed with "OK" (save).
    bool Execute();
    // Where the language is saved: the edited language's file, or the new
    // file in the language directory.
    QString SaveFileName() const;

    // Asks for the file of a new language (the save dialog); tests answer
    // it themselves. Answers an empty text when the user cancels.
    static std::function<QString(QWidget *Parent, const QString &Title, const QString &Dir,
                                 const QString &Filter)>
        ChooseSaveFile;
    // Asks for a file to import; tests answer it themselves.
    static std::function<QString(QWidget *Parent, const QString &Title, const QString &Dir,
                                 const QString &Filter)>
        ChooseOpenFile;
    // Asks for a picture file for the flag; tests answer it themselves.
    static std::function<QString(QWidget *Parent, const QString &Title)> ChoosePictureFile;

    // Controls.
    QWidget *ImgPan = nullptr, *LangFilesPanel = nullptr;
    QLabel *LLanguage = nullptr, *ISOTitle = nullptr, *FlagImage = nullptr, *LRefLangLabel = nullptr,
           *LRefLang = nullptr, *LRefTextLabel = nullptr, *LRefText = nullptr, *SourceIcon = nullptr,
           *LGroup = nullptr, *ConGlobalIcon = nullptr, *LObject = nullptr, *LItem = nullptr, *CopyPanel = nullptr,
           *LProgress = nullptr;
    QComboBox *LangCombo = nullptr, *ISOCombo = nullptr, *GroupCombo = nullptr, *ObjectCombo = nullptr;
    QLineEdit *LangEdit = nullptr, *FindEdit = nullptr;
    QPushButton *AddLangButton = nullptr, *FinishBtn = nullptr, *ImportBtn = nullptr, *ExportBtn = nullptr,
                *FindBtn = nullptr, *ILeft = nullptr, *IRight = nullptr, *FitBtn = nullptr;
    TLangGrid *LangListEditor = nullptr;
    QCheckBox *ToDoCheck = nullptr;
    QListWidget *SuggestList = nullptr;

    // State.
    TLangCoreData *LData = nullptr;
    TWordList SameLocStr;
    // Grid row (1-based; 0 none) the user selected last.
    int SelectedRow = 0;
    bool AllowNoTrans = false;
    bool EnableEditEvent = false;
    bool EditMode = false;
    bool LangModify = false;
    QString LastNameFromISO;
    QString NewLangFile;

    // Handlers.
    void FormCreate(QObject *Sender);
    void FormShow();
    void LanguageChosen();
    void LangEditChange();
    void ISOComboSelect();
    void CreateLanguageClick();
    void GroupChanged();
    void ObjectComboChange();
    void SelectRow(int GridRow);
    void ValueChanged();
    void ToggleItemStatus(int GridRow);
    void FindBtnClick();
    // The next (previous) object or group; with Untranslated the next one
    // that still has rows to translate.
    void NextPage(bool Untranslated);
    void PreviousPage(bool Untranslated);
    void FinishBtnClick();
    // Takes an exchange or language file over into the edited language.
    void ImportClick();
    // Writes the edited language as an exchange file (".llx") or a
    // dictionary (".txt").
    void ExportClick();
    // Left button: a picture file becomes the language's flag; another
    // button: the flag is removed after confirmation.
    void FlagImageMouseDown(Qt::MouseButton Button);
    // How far the language, the current group and object are: in the left
    // panel, beside the group and object captions and in their lists. The
    // checks of the page's rows are renewed with it.
    void ShowProgress();

    // A caption of the language too long for its control: the group, the
    // component, the property, the text and the pixels it lacks.
    struct TFitRow
    {
        int Group = -1;
        QString Object, Property, Text;
        int Lacking = 0;
    };
    // Every such text of the language, the page's values as typed.
    QList<TFitRow> LanguageFitRows() const;
    // Pixels the value of grid row Row (0-based) lacks in its control; 0
    // when it fits or shows in no control of a form.
    int RowLack(int Row) const;
    // The reasons to look at row Row again, for its mark and tooltip.
    QString RowProblem(int Row) const;
    // Shows the language's texts that do not fit; choosing one goes there.
    void FitBtnClick();
    // With the filter on, only the rows still needing work show: missing
    // or inherited translations, obsolete lines, texts too long.
    void ApplyToDoFilter();
    // Goes to the next row that needs work, on this page, then on the
    // following objects and groups, round to the start.
    void NextToDo();
    // Fills the list of suggestions for the selected row.
    void ShowSuggestions();
    // Takes suggestion Index (0-based) as the selected row's value.
    void TakeSuggestion(int Index);
    // Shows group GroupIndex, its object Object and selects the row Label.
    void GoToRow(int GroupIndex, const QString &Object, const QString &Label);

protected:
    void closeEvent(QCloseEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    // The grid's keys: Down past the last row goes to the next object, Up
    // before the first to the previous one; Ctrl+Left switches the current
    // row's status; F3 searches again.
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;

private:
    QString Lex(TLibraryItem Item) const;
    bool RowToDo(int Row, const QList<TRowState> &States) const;
    // Selects the first row from From up to before To that needs work.
    bool SelectToDoRow(int From, int To);
    // The control of a group's form that shows the component Object.
    QWidget *TextControl(int GroupIndex, const QString &Object) const;
    // One entry of a file dialog's filter: "Description (patterns)".
    static QString DialogFilter(const QString &Description, const QString &Patterns);
    void PlaceReferenceLabels();
    // Takes Name as the edited language and lists its groups; false when
    // no component is attached.
    bool ListGroups(const QString &Name);
    void ShowLanguageData();
    void LoadPage();
    void UpdateObjectCounter();
    void ShowFlag();
    void SpreadGlobalText();
    // The counts of the rows by state, on three lines.
    QString ProgressCounts(const TEditorProgress &P) const;
    void Fail(TLibraryItem Item, quint32 Flags, const QString &Detail = QString());

    QEventLoop fLoop;
    QList<TLangCoreData::TSuggestion> fSuggestions;
    // What the checks find in the page's rows, one reason a line, by row;
    // renewed with every change of the page.
    QStringList fRowChecks;
    bool fAccepted = false;
};
