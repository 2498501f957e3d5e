// Combo boxes (their text and items) and list widgets. Combos that fill
// themselves (the language selectors, the font combo) are left alone.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QComboBox>
#include <QListWidget>

bool ComboText(TRowPass &P)
{
    auto *Combo = qobject_cast<QComboBox *>(P.Component);
    if (!Combo || !MatchesRowClass(Combo, "QComboBox"))
        return false;
    // On a Qt window a text that is the current item's has no line of its
    // own: the item's line translates it, and Qt shows the item's new text
    // in the edit line too (items marked "do not translate" keep it).
    if (!P.Client.DesignedTextRules() && P.Client.TranslatesStringsProperty(pnItems) && Combo->currentIndex() >= 0
        && Combo->currentText() == Combo->itemText(Combo->currentIndex()))
        return true;
    // A combo that cannot be edited shows its current item, which its item
    // lines translate: writing the text would select the first item of that
    // text and could undo the user's choice.
    if (P.Enabled && (P.Collect || Combo->isEditable()))
        TextRow(P, StringPropertyID(pnText), Combo->currentText(),
                [Combo](const QString &T) { Combo->setCurrentText(T); }, P.R);
    return true;
}

bool ListBoxItems(TRowPass &P)
{
    auto *List = qobject_cast<QListWidget *>(P.Component);
    if (!List || !MatchesRowClass(List, "QListWidget"))
        return false;
    if (!P.Enabled)
        return true;
    QStringList Lines;
    for (int i = 0; i < List->count(); ++i)
        Lines.append(List->item(i)->text());
    LinesRow(P, StringsPropertyID(pnItems), Lines, [List](const QStringList &L) {
        for (int i = 0; i < L.size() && i < List->count(); ++i)
            if (List->item(i)->text() != L[i])
                List->item(i)->setText(L[i]);
    });
    return true;
}

bool ComboItems(TRowPass &P)
{
    auto *Combo = qobject_cast<QComboBox *>(P.Component);
    if (!Combo || !MatchesRowClass(Combo, "QComboBox"))
        return false;
    if (!P.Enabled)
        return true;
    QStringList Lines;
    for (int i = 0; i < Combo->count(); ++i)
        Lines.append(Combo->itemText(i));
    LinesRow(P, StringsPropertyID(pnItems), Lines, [Combo](const QStringList &L) {
        for (int i = 0; i < L.size() && i < Combo->count(); ++i)
            if (Combo->itemText(i) != L[i])
                Combo->setItemText(i, L[i]);
    });
    return true;
}
