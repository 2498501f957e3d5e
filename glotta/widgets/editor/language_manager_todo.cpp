// What is left to do in the editor window: the filter that shows only the
// rows still needing work, the key that goes to the next such row across
// objects and groups, and the suggestions for the row being edited.

#include "glotta/widgets/editor/language_manager.h"

#include "glotta/engine/lang_core_data.h"
#include "glotta/store/text_helpers.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "toolkit/widgets/message_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace {
bool NeedsTranslation(TRowState State)
{
    return State == TRowState::Missing || State == TRowState::Inherited;
}

bool HasWork(const TEditorProgress &P)
{
    return P.Missing + P.Inherited > 0;
}
} // namespace

bool TLanguageManager::RowToDo(int Row, const QList<TRowState> &States) const
{
    return (Row < States.size() && NeedsTranslation(States[Row])) || RowLack(Row) > 0
           || !fRowChecks.value(Row).isEmpty();
}

void TLanguageManager::ApplyToDoFilter()
{
    const bool Filter = ToDoCheck->isChecked();
    const QList<TRowState> States = LData->PageRowStates();
    for (int r = 0; r < LangListEditor->rowCount(); ++r)
        LangListEditor->setRowHidden(r, Filter && !RowToDo(r, States));
    const int Current = LangListEditor->currentRow();
    if (Current >= 0 && LangListEditor->isRowHidden(Current))
        for (int r = 0; r < LangListEditor->rowCount(); ++r)
            if (!LangListEditor->isRowHidden(r)) {
                LangListEditor->setCurrentCell(r, 1);
                break;
            }
}

bool TLanguageManager::SelectToDoRow(int From, int To)
{
    const QList<TRowState> States = LData->PageRowStates();
    for (int r = qMax(From, 0); r < qMin(To, LangListEditor->rowCount()); ++r)
        if (RowToDo(r, States)) {
            LangListEditor->setRowHidden(r, false);
            LangListEditor->setFocus();
            LangListEditor->setCurrentCell(r, 1);
            return true;
        }
    return false;
}

void TLanguageManager::NextToDo()
{
    if (!LangFilesPanel->isEnabled() || GroupCombo->count() == 0)
        return;
    // The rest of this page first.
    const int Row = LangListEditor->currentRow();
    if (SelectToDoRow(Row + 1, LangListEditor->rowCount()))
        return;
    // Then the pages after this one, in the order of the lists, round to
    // the start and back to this page.
    const QList<TFitRow> Fit = LanguageFitRows();
    const auto PageHasWork = [&](int Group, const QString &Object, const TEditorProgress &P) {
        if (HasWork(P))
            return true;
        for (const TFitRow &F : Fit)
            if (F.Group == Group && F.Object == Object)
                return true;
        return false;
    };
    const int Groups = GroupCombo->count();
    const int Here = GroupCombo->currentIndex();
    const QString HereObject = ObjectCombo->isEnabled() ? ObjectCombo->currentText() : QString();
    // A after B in the object list's order.
    const auto After = [](const QString &A, const QString &B) { return QString::compare(A, B, Qt::CaseInsensitive) > 0; };
    for (int Step = 0; Step <= Groups; ++Step) {
        const int g = (Here + Step) % Groups;
        const QHash<QString, TEditorProgress> Objects = LData->ObjectsProgress(g);
        QStringList Names = Objects.keys();
        Names.sort(Qt::CaseInsensitive);
        for (const QString &Name : Names) {
            // This group: the objects after this one, and at the end of
            // the round the objects before it.
            if (Step == 0 && (HereObject.isEmpty() || !After(Name, HereObject)))
                continue;
            if (Step == Groups && (HereObject.isEmpty() || !After(HereObject, Name)))
                continue;
            if (!PageHasWork(g, Name, Objects.value(Name)))
                continue;
            GoToRow(g, Name, QString());
            if (SelectToDoRow(0, LangListEditor->rowCount()))
                return;
        }
    }
    // Back on this page: the rows before the current one.
    GoToRow(Here, HereObject, QString());
    if (SelectToDoRow(0, Row + 1))
        return;
    MessageBox(Lex(liNoUntranslated), windowTitle(), MB_ICONINFORMATION);
}

void TLanguageManager::ShowSuggestions()
{
    SuggestList->clear();
    fSuggestions.clear();
    if (SelectedRow < 1)
        return;
    fSuggestions = LData->Suggestions(SelectedRow - 1);
    for (int i = 0; i < fSuggestions.size(); ++i) {
        const TLangCoreData::TSuggestion &S = fSuggestions[i];
        auto *Item = new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(SingleLineText(S.Text, false)),
                                         SuggestList);
        Item->setToolTip(QStringLiteral("%1 (%2 %)\n%3").arg(S.Language).arg(S.Closeness).arg(S.Designed));
    }
}

void TLanguageManager::TakeSuggestion(int Index)
{
    const int Row = SelectedRow - 1;
    if (Index < 0 || Index >= fSuggestions.size() || Row < 0 || !LData->ChangeableEditorItem(Row))
        return;
    QString Text = fSuggestions[Index].Text;
    DecodeCharCodes(Text);
    // A value being typed takes the suggestion in its editor, which hands
    // it to the row at once.
    if (LangListEditor->currentRow() == Row)
        for (QLineEdit *Editor : LangListEditor->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
            if (Editor->isVisible()) {
                Editor->setText(Text);
                emit LangListEditor->itemDelegate()->commitData(Editor);
                return;
            }
    LangListEditor->SetValue(Row, Text);
}
