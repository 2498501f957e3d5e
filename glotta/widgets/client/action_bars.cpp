// The actions of a named menu bar, toolbar or menu that have no name of
// their own, the usual case of actions created in code. Each is named after
// its designed caption (the client's object map keeps that name for the
// action's life), so that lines stay put when actions are added or moved.
// A named action is a component of its own, and so is a named submenu,
// which is a bar of its own.
#include "glotta/widgets/client/collection_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidgetAction>

namespace {
// The action that shows and hides a dock or toolbar: its text follows the
// window title, which is translated where it is set.
bool IsToggleViewAction(const QAction *A)
{
    if (const auto *Dock = qobject_cast<const QDockWidget *>(A->parent()))
        return Dock->toggleViewAction() == A;
    if (const auto *Bar = qobject_cast<const QToolBar *>(A->parent()))
        return Bar->toggleViewAction() == A;
    return false;
}

void BarActions(TItemPass &P, const QList<QAction *> &Actions)
{
    for (QAction *A : Actions) {
        if (!A->objectName().isEmpty() || A->isSeparator() || qobject_cast<QWidgetAction *>(A)
            || IsToggleViewAction(A))
            continue;
        QMenu *Sub = A->menu<QMenu *>();
        if (Sub && !Sub->objectName().isEmpty())
            continue;
        // An unnamed submenu's entries come before its own entry, whose
        // text is the submenu's title.
        if (Sub)
            BarActions(P, Sub->actions());
        const QString Name = P.Client.ObjectMapName(A, A->text());
        if (Name.isEmpty())
            continue;
        ItemText(P, OtherPropertyID(cnTActionManager), AddTokenToAddr(Name, QStringLiteral("Caption")), A, A->text(),
                 [A](const QString &T) { A->setText(T); });
    }
}
} // namespace

bool ActionBarItems(TItemPass &P)
{
    QWidget *Bar = qobject_cast<QMenuBar *>(P.Component);
    if (!Bar)
        Bar = qobject_cast<QToolBar *>(P.Component);
    if (!Bar)
        Bar = qobject_cast<QMenu *>(P.Component);
    if (!Bar)
        return false;
    BarActions(P, Bar->actions());
    return true;
}
