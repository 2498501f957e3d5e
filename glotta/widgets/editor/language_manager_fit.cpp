// The editor window's fit marks: a caption row whose text is too long for
// the control that shows it is marked, and the list of every such row of
// the language leads to it.

#include "glotta/widgets/editor/language_manager.h"

#include "glotta/engine/lang_core_data.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/editor/text_fit.h"
#include "toolkit/core/component.h"
#include "toolkit/widgets/message_box.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>

namespace {
// The properties whose text a control shows as its caption.
bool IsCaption(const QString &Property)
{
    return Property == QLatin1String("Caption") || Property == QLatin1String("Text");
}
} // namespace

QWidget *TLanguageManager::TextControl(int GroupIndex, const QString &Object) const
{
    if (GroupIndex < 0 || GroupIndex >= LData->ClientGroups.size())
        return nullptr;
    QObject *Client = LData->ClientGroups[GroupIndex].data();
    auto *Form = qobject_cast<QWidget *>(Client ? ComponentOwner(Client) : nullptr);
    // The form's own caption is its window title, which the system draws.
    if (!Form || Object.isEmpty() || Form->objectName() == Object)
        return nullptr;
    return Form->findChild<QWidget *>(Object);
}

int TLanguageManager::RowLack(int Row) const
{
    if (!LData || LData->EditorMode != TEditorModes::emClient || LData->PageFromClient != LData->SelectedClient
        || Row < 0 || Row >= LangListEditor->rowCount())
        return 0;
    // On an object's page the label is the property; on a page of the whole
    // group it is "component.property".
    QString Object = ObjectCombo->isEnabled() ? ObjectCombo->currentText() : QString();
    QString Property = LangListEditor->item(Row, 0)->text();
    if (Object.isEmpty()) {
        const qsizetype Dot = Property.indexOf(QLatin1Char('.'));
        Object = Property.left(Dot);
        Property = Property.mid(Dot + 1);
    }
    if (!IsCaption(Property) || !LData->ChangeableEditorItem(Row))
        return 0;
    return CaptionLack(TextControl(LData->SelectedClient, Object), LangListEditor->Value(Row));
}

QString TLanguageManager::RowProblem(int Row) const
{
    QStringList Reasons;
    if (const int Lack = RowLack(Row); Lack > 0)
        Reasons << Lex(liTooLong).replace(QLatin1String("%s"), QString::number(Lack));
    if (const QString Checks = fRowChecks.value(Row); !Checks.isEmpty())
        Reasons << Checks;
    return Reasons.join(QLatin1Char('\n'));
}

QList<TLanguageManager::TFitRow> TLanguageManager::LanguageFitRows() const
{
    QList<TFitRow> Rows;
    for (const TLangCoreData::TEditorText &T : LData->ClientTexts()) {
        if (!IsCaption(T.Property))
            continue;
        const int Lack = CaptionLack(TextControl(T.Group, T.Object), T.Text);
        if (Lack > 0)
            Rows.append({T.Group, T.Object, T.Property, T.Text, Lack});
    }
    return Rows;
}

void TLanguageManager::GoToRow(int GroupIndex, const QString &Object, const QString &Label)
{
    if (GroupIndex != GroupCombo->currentIndex()) {
        GroupCombo->setCurrentIndex(GroupIndex);
        GroupChanged();
    }
    if (ObjectCombo->isEnabled() && ObjectCombo->currentText() != Object) {
        const int i = ObjectCombo->findText(Object);
        if (i < 0)
            return;
        ObjectCombo->setCurrentIndex(i);
        ObjectComboChange();
    }
    for (int r = 0; r < LangListEditor->rowCount(); ++r)
        if (LangListEditor->item(r, 0)->text() == Label) {
            LangListEditor->setFocus();
            LangListEditor->setCurrentCell(r, 1);
            return;
        }
}

void TLanguageManager::FitBtnClick()
{
    // What is on the page counts as typed.
    const QList<TFitRow> Rows = LanguageFitRows();
    if (Rows.isEmpty()) {
        MessageBox(Lex(liAllTextsFit), windowTitle(), MB_ICONINFORMATION);
        return;
    }
    auto *Menu = new QMenu(this);
    Menu->setAttribute(Qt::WA_DeleteOnClose);
    Menu->setToolTipsVisible(true);
    for (const TFitRow &Row : Rows) {
        QAction *Entry = Menu->addAction(QStringLiteral("%1 › %2.%3: %4 px")
                                             .arg(GroupCombo->itemText(Row.Group), Row.Object, Row.Property)
                                             .arg(-Row.Lacking));
        Entry->setToolTip(Row.Text);
        connect(Entry, &QAction::triggered, this, [this, Row] { GoToRow(Row.Group, Row.Object, Row.Property); });
    }
    Menu->popup(FitBtn->mapToGlobal(QPoint(0, FitBtn->height())));
}
