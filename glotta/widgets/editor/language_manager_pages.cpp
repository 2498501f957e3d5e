// The editor window's pages: groups and objects, rows, status switches,
// search, and moving through the pages by button and key.

#include "glotta/widgets/editor/language_manager.h"

#include "glotta/store/text_helpers.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/widgets/client/qt_rows.h"
#include "toolkit/widgets/message_box.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
// The group and object lists carry each entry's percentage as data beside
// its name, which stays the entry's text (the name identifies the entry).
constexpr int ProgressRole = Qt::UserRole + 1;

// Paints an entry's percentage at the right edge of its line in the list.
class TProgressDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QStyledItemDelegate::paint(Painter, Option, Index);
        const QString Percent = Index.data(ProgressRole).toString();
        if (Percent.isEmpty())
            return;
        Painter->save();
        Painter->setPen(Option.palette.color(Option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                    : QPalette::Text));
        Painter->drawText(Option.rect.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, Percent);
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
        const QString Percent = Index.data(ProgressRole).toString();
        if (!Percent.isEmpty())
            Size.rwidth() += Option.fontMetrics.horizontalAdvance(Percent) + 12;
        return Size;
    }
};

QString PercentText(const TEditorProgress &P)
{
    return QStringLiteral("%1 %").arg(P.Percent());
}

void ShowDot(QLabel *Dot, quint32 Color)
{
    Dot->setStyleSheet(QStringLiteral("background-color: %1; border-radius: %2px;")
                           .arg(TLangGrid::PaintedColor(Color).name())
                           .arg(qMin(Dot->width(), Dot->height()) / 2));
    Dot->show();
}
} // namespace

QString TLanguageManager::ProgressCounts(const TEditorProgress &P) const
{
    return QStringLiteral("%1 %2 · %3 %4\n%5 %6 · %7 %8\n%9 %10")
        .arg(Lex(liOwnRows)).arg(P.Own).arg(Lex(liInheritedRows)).arg(P.Inherited).arg(Lex(liGlobalRows))
        .arg(P.Global).arg(Lex(liExcludedRows)).arg(P.Excluded).arg(Lex(liMissingRows)).arg(P.Missing);
}

void TLanguageManager::ShowProgress()
{
    fRowChecks.clear();
    for (const QList<TCheckFinding> &Findings : LData->PageFindings()) {
        QStringList Reasons;
        for (const TCheckFinding &F : Findings)
            Reasons << CheckRuleName(F.Rule) + QStringLiteral(": ") + F.Reason;
        fRowChecks << Reasons.join(QLatin1Char('\n'));
    }
    if (!GroupCombo->itemDelegate() || !dynamic_cast<TProgressDelegate *>(GroupCombo->itemDelegate())) {
        GroupCombo->setItemDelegate(new TProgressDelegate(GroupCombo));
        ObjectCombo->setItemDelegate(new TProgressDelegate(ObjectCombo));
    }
    TEditorProgress Language;
    for (int g = 0; g < GroupCombo->count(); ++g) {
        const TEditorProgress P = LData->GroupProgress(g);
        Language += P;
        GroupCombo->setItemData(g, PercentText(P), ProgressRole);
        GroupCombo->setItemData(g, ProgressCounts(P), Qt::ToolTipRole);
        if (g == GroupCombo->currentIndex())
            LGroup->setText(Lex(liGroup) + QStringLiteral(": ") + PercentText(P));
    }
    const QHash<QString, TEditorProgress> Objects =
        ObjectCombo->isEnabled() ? LData->ObjectsProgress() : QHash<QString, TEditorProgress>();
    for (int o = 0; o < ObjectCombo->count(); ++o) {
        const TEditorProgress P = Objects.value(ObjectCombo->itemText(o));
        ObjectCombo->setItemData(o, PercentText(P), ProgressRole);
        ObjectCombo->setItemData(o, ProgressCounts(P), Qt::ToolTipRole);
    }
    LObject->setText(Lex(liObject) + QLatin1Char(':')
                     + (ObjectCombo->isEnabled() && ObjectCombo->currentIndex() >= 0
                            ? QString(QLatin1Char(' ') + PercentText(Objects.value(ObjectCombo->currentText())))
                            : QString()));
    LProgress->setText(Lex(liProgress) + QStringLiteral(": ") + PercentText(Language) + QLatin1Char('\n')
                       + ProgressCounts(Language));
    LProgress->show();
}

void TLanguageManager::GroupChanged()
{
    const TEditorModes Mode = LData->ChangeEditorClient(GroupCombo->currentIndex());
    ObjectCombo->clear();
    const bool Objects = Mode == TEditorModes::emClient || Mode == TEditorModes::emResources;
    if (Objects) {
        QStringList Names;
        LData->LoadObjects(Names);
        Names.sort(Qt::CaseInsensitive);
        ObjectCombo->addItems(Names);
        ObjectCombo->setCurrentIndex(Names.isEmpty() ? -1 : 0);
        UpdateObjectCounter();
    } else {
        ObjectCombo->setCurrentIndex(-1);
        LItem->setText(QStringLiteral("-/-"));
    }
    LObject->setEnabled(Objects);
    LItem->setEnabled(Objects);
    ObjectCombo->setEnabled(Objects);
    ConGlobalIcon->setVisible(LData->AllowedGlobals());
    LoadPage();
}

void TLanguageManager::ObjectComboChange()
{
    UpdateObjectCounter();
    if (ObjectCombo->count() > 0) {
        LData->StoreEditorPage();
        LoadPage();
    }
}

void TLanguageManager::UpdateObjectCounter()
{
    const int i = ObjectCombo->currentIndex();
    LItem->setText(ObjectCombo->count() == 0 || i < 0
                       ? QStringLiteral("-/-")
                       : QStringLiteral("%1 / %2").arg(i + 1).arg(ObjectCombo->count()));
    ObjectCombo->setToolTip(ObjectCombo->currentText());
}

void TLanguageManager::LoadPage()
{
    EnableEditEvent = false;
    AllowNoTrans = false;
    SameLocStr.Clear();
    LRefText->clear();
    SourceIcon->hide();
    SelectedRow = 0;
    LangListEditor->setRowCount(0);
    // Rows from ID 1000 up are the Qt rows: labelled by their names.
    LData->NewEditorPage(ObjectCombo->isEnabled() ? ObjectCombo->currentText() : QString(), QtRowNames());
    for (int r = 0; r < LangListEditor->rowCount(); ++r)
        LangListEditor->SetEditable(r, LData->ChangeableEditorItem(r));
    LangListEditor->setFocus();
    if (LangListEditor->rowCount() > 0) {
        LangListEditor->setCurrentCell(0, 1);
        SelectRow(1);
    }
    ApplyToDoFilter();
    ShowProgress();
    EnableEditEvent = true;
}

void TLanguageManager::SelectRow(int GridRow)
{
    if (GridRow != SelectedRow)
        AllowNoTrans = false;
    if (LData->PageFromClient != LData->SelectedClient || GridRow < 1 || GridRow > LangListEditor->rowCount()) {
        SelectedRow = 0;
        ShowSuggestions();
        return;
    }
    quint32 Color = 0;
    LRefText->setText(LData->SelectEditorItem(GridRow - 1, &SameLocStr, Color));
    ShowDot(SourceIcon, Color);
    SelectedRow = GridRow;
    ShowSuggestions();
}

void TLanguageManager::ValueChanged()
{
    if (!isVisible() || !EnableEditEvent || SelectedRow < 1)
        return;
    EnableEditEvent = false;
    LangModify = true;
    SpreadGlobalText();
    ShowProgress();
    LangListEditor->viewport()->update();
    EnableEditEvent = true;
}

void TLanguageManager::SpreadGlobalText()
{
    int WorkIndex = -1;
    if (SameLocStr.Count() == 0 || !LData->EditorItemIsGlobal(SelectedRow - 1, WorkIndex))
        return;
    const QString Value = LData->GetEditorRow(SelectedRow - 1);
    LData->RememberCell(Value, WorkIndex, DescentGlobal, false);
    for (int i = SameLocStr.Count() - 1; i >= 0; --i) {
        const int Row = SameLocStr.GetWord(i);
        int Other = -1;
        if (LData->EditorItemIsGlobal(Row, Other))
            LangListEditor->SetValue(Row, LangListEditor->Value(SelectedRow - 1));
    }
}

void TLanguageManager::ToggleItemStatus(int GridRow)
{
    if (GridRow < 1 || GridRow > LangListEditor->rowCount())
        return;
    if (GridRow != SelectedRow)
        AllowNoTrans = false;
    QString NewText;
    const bool Enable = EnableEditEvent;
    EnableEditEvent = false;
    if (LData->SwitchEditorItem(GridRow - 1, LData->GetEditorRow(GridRow - 1), AllowNoTrans, NewText)) {
        LangListEditor->SetValue(GridRow - 1, NewText);
        LangListEditor->SetEditable(GridRow - 1, LData->ChangeableEditorItem(GridRow - 1));
        LangModify = true;
    }
    SelectedRow = GridRow;
    if (LangListEditor->currentRow() == GridRow - 1)
        SelectRow(GridRow);
    else
        LangListEditor->setCurrentCell(GridRow - 1, 1);
    EnableEditEvent = Enable;
    ShowProgress();
    LangListEditor->viewport()->update();
}

void TLanguageManager::FindBtnClick()
{
    if (FindEdit->text().isEmpty()) {
        FindEdit->setFocus();
        return;
    }
    const Qt::KeyboardModifiers Keys = QApplication::keyboardModifiers();
    TEditorSearchMode Mode = seItem;
    if (Keys & Qt::ControlModifier)
        Mode |= seSource;
    if (Keys & Qt::ShiftModifier)
        Mode |= seOriginal;
    if (!LData->SearchWord(FindEdit->text(), SelectedRow - 1, Mode))
        QApplication::beep();
}

void TLanguageManager::NextPage(bool Untranslated)
{
    bool Left = false;
    do {
        if (ObjectCombo->isEnabled() && ObjectCombo->currentIndex() < ObjectCombo->count() - 1) {
            ObjectCombo->setCurrentIndex(ObjectCombo->currentIndex() + 1);
            UpdateObjectCounter();
            if (!Untranslated) {
                ObjectComboChange();
                return;
            }
        } else if (GroupCombo->currentIndex() < GroupCombo->count() - 1) {
            GroupCombo->setCurrentIndex(GroupCombo->currentIndex() + 1);
            GroupChanged();
            if (!Untranslated)
                return;
        } else {
            Left = true;
        }
    } while (!Left && !LData->IsUntranslated(GroupCombo->currentText(), ObjectCombo->currentText()));
    if (Left)
        MessageBox(Lex(liNoUntranslated), windowTitle(), MB_ICONINFORMATION);
    if (ObjectCombo->isEnabled())
        ObjectComboChange();
}

void TLanguageManager::PreviousPage(bool Untranslated)
{
    bool Left = false;
    do {
        if (ObjectCombo->isEnabled() && ObjectCombo->currentIndex() > 0) {
            ObjectCombo->setCurrentIndex(ObjectCombo->currentIndex() - 1);
            UpdateObjectCounter();
        } else if (GroupCombo->currentIndex() > 0) {
            GroupCombo->setCurrentIndex(GroupCombo->currentIndex() - 1);
            GroupChanged();
            if (ObjectCombo->count() > 0) {
                ObjectCombo->setCurrentIndex(ObjectCombo->count() - 1);
                UpdateObjectCounter();
            }
        } else {
            Left = true;
        }
        if (!Untranslated)
            break;
    } while (!Left && !LData->IsUntranslated(GroupCombo->currentText(), ObjectCombo->currentText()));
    if (Left && Untranslated)
        MessageBox(Lex(liNoUntranslated), windowTitle(), MB_ICONINFORMATION);
    if (ObjectCombo->isEnabled() && ObjectCombo->count() > 0)
        ObjectComboChange();
}

bool TLanguageManager::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FlagImage && Event->type() == QEvent::MouseButtonPress) {
        FlagImageMouseDown(static_cast<QMouseEvent *>(Event)->button());
        return true;
    }
    if (Watched != LangListEditor || Event->type() != QEvent::KeyPress)
        return TForm::eventFilter(Watched, Event);
    const auto *Key = static_cast<QKeyEvent *>(Event);
    const int Rows = LangListEditor->rowCount();
    const int Current = LangListEditor->currentRow();
    const Qt::KeyboardModifiers Mods = Key->modifiers() & ~Qt::KeypadModifier;
    switch (Key->key()) {
    case Qt::Key_Down:
        if (Rows == 0 || Current == Rows - 1) {
            NextPage(Mods & Qt::ShiftModifier);
            return true;
        }
        break;
    case Qt::Key_Up:
        if (Current == 0 && Mods == Qt::NoModifier) {
            PreviousPage(false);
            if (LangListEditor->rowCount() > 1)
                LangListEditor->setCurrentCell(LangListEditor->rowCount() - 1, 1);
            return true;
        }
        break;
    case Qt::Key_Left:
        if (Mods & Qt::ControlModifier) {
            ToggleItemStatus(Current + 1);
            return true;
        }
        break;
    case Qt::Key_F3:
        FindBtnClick();
        return true;
    default:
        break;
    }
    return TForm::eventFilter(Watched, Event);
}

void TLanguageManager::keyPressEvent(QKeyEvent *Event)
{
    if (Event->key() == Qt::Key_F3) {
        FindBtnClick();
        return;
    }
    if (Event->key() == Qt::Key_F && (Event->modifiers() & Qt::ControlModifier)) {
        FindEdit->setFocus();
        FindEdit->selectAll();
        return;
    }
    TForm::keyPressEvent(Event);
}
