// Group boxes, the pages of tab widgets, tool boxes and wizards, standalone
// tab bars and the form itself (or a docked form's dock widget).

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "toolkit/core/component.h"
#include "glotta/store/property_ids.h"

#include <QDockWidget>
#include <QGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBox>
#include <QWizardPage>

QWidget *PageHost(const QWidget *Page, int &Index)
{
    // A tab widget keeps its pages in an internal stack; a tool box wraps
    // each page in a scroll area. Both sit a few levels above the page.
    const int Levels = 4;
    QWidget *Up = Page->parentWidget();
    for (int i = 0; Up && i < Levels; ++i, Up = Up->parentWidget()) {
        if (auto *Tabs = qobject_cast<QTabWidget *>(Up)) {
            Index = Tabs->indexOf(const_cast<QWidget *>(Page));
            return Index >= 0 ? Up : nullptr;
        }
        if (auto *Box = qobject_cast<QToolBox *>(Up)) {
            Index = Box->indexOf(const_cast<QWidget *>(Page));
            return Index >= 0 ? Up : nullptr;
        }
    }
    return nullptr;
}

bool GroupBoxCaption(TRowPass &P)
{
    auto *Box = qobject_cast<QGroupBox *>(P.Component);
    if (!Box)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Box->title(), [Box](const QString &T) { Box->setTitle(T); }, P.R);
    return true;
}

bool ToolBoxPageCaption(TRowPass &P)
{
    auto *Page = qobject_cast<QWidget *>(P.Component);
    int Index = -1;
    auto *Box = Page ? qobject_cast<QToolBox *>(PageHost(Page, Index)) : nullptr;
    if (!Box)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Box->itemText(Index),
                [Box, Index](const QString &T) { Box->setItemText(Index, T); }, P.R);
    return true;
}

bool TabPageCaption(TRowPass &P)
{
    if (auto *Wizard = qobject_cast<QWizardPage *>(P.Component)) {
        if (P.Enabled)
            TextRow(P, StringPropertyID(pnCaption), Wizard->title(),
                    [Wizard](const QString &T) { Wizard->setTitle(T); }, P.R);
        return true;
    }
    auto *Page = qobject_cast<QWidget *>(P.Component);
    int Index = -1;
    auto *Tabs = Page ? qobject_cast<QTabWidget *>(PageHost(Page, Index)) : nullptr;
    if (!Tabs)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Tabs->tabText(Index),
                [Tabs, Index](const QString &T) { Tabs->setTabText(Index, T); }, P.R);
    return true;
}

bool FormCaption(TRowPass &P)
{
    auto *W = qobject_cast<QWidget *>(P.Component);
    if (!W || !(qobject_cast<QDockWidget *>(W) || (IsForm(W) && !IsFrame(W))))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), W->windowTitle(), [W](const QString &T) { W->setWindowTitle(T); },
                P.R);
    return true;
}

bool TabBarTabs(TRowPass &P)
{
    // Only a standalone bar: a tab widget's own bar is internal and its
    // texts are the pages' captions.
    auto *Bar = qobject_cast<QTabBar *>(P.Component);
    if (!Bar || qobject_cast<QTabWidget *>(Bar->parentWidget()))
        return false;
    if (!P.Enabled)
        return true;
    QStringList Lines;
    for (int i = 0; i < Bar->count(); ++i)
        Lines.append(Bar->tabText(i));
    LinesRow(P, StringsPropertyID(pnTabs), Lines, [Bar](const QStringList &L) {
        for (int i = 0; i < L.size() && i < Bar->count(); ++i)
            if (Bar->tabText(i) != L[i])
                Bar->setTabText(i, L[i]);
    });
    return true;
}
