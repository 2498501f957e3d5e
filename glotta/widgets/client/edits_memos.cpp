// Line edits (text and placeholder) and plain-text memos. A memo's lines are
// its text blocks, so the item paths do not depend on the memo's width.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/widgets/glotta_client.h"
#include "glotta/store/property_ids.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

bool EditText(TRowPass &P)
{
    auto *Edit = qobject_cast<QLineEdit *>(P.Component);
    if (!Edit || !P.Client.MatchesClass(Edit, "QLineEdit"))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnText), Edit->text(), [Edit](const QString &T) { Edit->setText(T); }, P.R);
    return true;
}

bool EditTextHint(TRowPass &P)
{
    auto *Edit = qobject_cast<QLineEdit *>(P.Component);
    if (!Edit || !P.Client.MatchesClass(Edit, "QLineEdit"))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnTextHint), Edit->placeholderText(),
                [Edit](const QString &T) { Edit->setPlaceholderText(T); }, QString());
    return true;
}

bool MemoLines(TRowPass &P)
{
    auto *Memo = qobject_cast<QPlainTextEdit *>(P.Component);
    if (!Memo || !P.Client.MatchesClass(Memo, "QPlainTextEdit"))
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
