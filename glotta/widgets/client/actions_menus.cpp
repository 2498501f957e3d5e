// Actions and submenus. A leaf menu item is a QAction, which is the menu
// item and its action at once; a submenu entry is its QMenu's title.

#include "glotta/widgets/client/client_rows.h"
#include "glotta/widgets/client/qt_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QAction>
#include <QMenu>

namespace {
// The text Qt shows as an action's tooltip and icon text when none was set.
QString FallbackToolTip(const QString &Text)
{
    return QtStrippedText(Text);
}

// An action's text. A tooltip or icon text set equal to the text (without
// its markers) repeats it: it follows the new text, as Qt's own fallback
// does when none was set, unless it is marked "do not translate".
void WriteActionText(QAction *Action, const QString &T)
{
    const QString Old = FallbackToolTip(Action->text()), New = FallbackToolTip(T);
    const bool Tip = Action->toolTip() == Old && !KeepsUntranslated(Action, "toolTip");
    const bool Icon = Action->iconText() == Old && !KeepsUntranslated(Action, "iconText");
    Action->setText(T);
    if (Old == New)
        return;
    // Still the old text after the change: set by the program, not Qt's fallback.
    if (Tip && Action->toolTip() == Old)
        Action->setToolTip(New);
    if (Icon && Action->iconText() == Old)
        Action->setIconText(New);
}
} // namespace

bool MenuCaption(TRowPass &P)
{
    auto *Menu = qobject_cast<QMenu *>(P.Component);
    if (!Menu)
        return false;
    // The reference stays empty: menuAction()'s text is the title itself.
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Menu->title(), [Menu](const QString &T) { Menu->setTitle(T); },
                QString());
    return true;
}

bool ActionCaption(TRowPass &P)
{
    auto *Action = qobject_cast<QAction *>(P.Component);
    if (!Action)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Action->text(),
                [Action](const QString &T) { WriteActionText(Action, T); }, QString());
    return true;
}

bool ActionHint(TRowPass &P)
{
    auto *Action = qobject_cast<QAction *>(P.Component);
    if (!Action)
        return false;
    if (P.Enabled) {
        // An action without a tooltip answers its text: that is no hint.
        QString Tip = Action->toolTip();
        if (Tip == FallbackToolTip(Action->text()))
            Tip.clear();
        TextRow(P, StringPropertyID(pnHint), Tip, [Action](const QString &T) { Action->setToolTip(T); },
                QString());
    }
    return true;
}
