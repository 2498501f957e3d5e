// Line edits (text and placeholder), edits with a bound label, and plain-text memos. A memo's lines are
// its text blocks, so the item paths do not depend on the memo's width.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"
#include "toolkit/core/component.h"
#include "toolkit/widgets/labeled_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

bool EditText(TRowPass &P)
{
    auto *Edit = qobject_cast<QLineEdit *>(P.Component);
    if (!Edit || !MatchesRowClass(Edit, "QLineEdit"))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnText), Edit->text(), [Edit](const QString &T) { Edit->setText(T); }, P.R);
    return true;
}

bool EditTextHint(TRowPass &P)
{
    auto *Edit = qobject_cast<QLineEdit *>(P.Component);
    if (!Edit || !MatchesRowClass(Edit, "QLineEdit"))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnTextHint), Edit->placeholderText(),
                [Edit](const QString &T) { Edit->setPlaceholderText(T); }, QString());
    return true;
}

bool MemoLines(TRowPass &P)
{
    auto *Memo = qobject_cast<QPlainTextEdit *>(P.Component);
    if (!Memo || !MatchesRowClass(Memo, "QPlainTextEdit"))
        return false;
    if (!P.Enabled)
        return true;
    // An empty memo has no lines (a document always holds one empty block).
    QStringList Lines;
    if (!Memo->document()->isEmpty())
        for (QTextBlock B = Memo->document()->begin(); B.isValid(); B = B.next())
            Lines.append(B.text());
    LinesRow(P, StringsPropertyID(pnLines), Lines,
             [Memo](const QStringList &L) { Memo->setPlainText(L.join(QLatin1Char('\n'))); });
    return true;
}

bool LabeledEditLabel(TRowPass &P, const std::function<bool(int Tag)> &ApplyLabelTag)
{
    auto *Edit = qobject_cast<TLabeledEdit *>(P.Component);
    if (!Edit)
        return true;
    QLabel *Label = Edit->EditLabel();
    if (!Label)
        return true;
    if (!ApplyLabelTag(Tag(Label)))
        return false;
    P.Enabled = P.Client.TranslatesStringProperty(pnEditLabelCaption);
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnEditLabelCaption), Label->text(),
                [Edit](const QString &T) { Edit->SetEditLabelCaption(T); }, QString());
    P.Enabled = P.Client.TranslatesStringProperty(pnEditLabelHint);
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnEditLabelHint), Label->toolTip(),
                [Label](const QString &T) { Label->setToolTip(T); }, QString());
    return true;
}
