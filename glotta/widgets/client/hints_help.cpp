// The hint (tooltip) and help keyword (what's-this text) of any widget. A
// page of a tab widget or tool box shows its hint on its tab.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QTabWidget>
#include <QToolBox>
#include <QWidget>

bool WidgetHint(TRowPass &P)
{
    auto *W = qobject_cast<QWidget *>(P.Component);
    if (!W)
        return false;
    if (!P.Enabled)
        return true;
    const quint16 ID = StringPropertyID(pnHint);
    QString Ref = ActionHintReference(W);
    // Outside stored designs a tooltip that repeats its caption follows the
    // caption instead of having a line of its own.
    if (Ref.isEmpty() && !P.Client.DesignedTextRules())
        Ref = RepeatedCaption(W);
    int Index = -1;
    QWidget *Host = PageHost(W, Index);
    if (auto *Tabs = qobject_cast<QTabWidget *>(Host))
        TextRow(P, ID, Tabs->tabToolTip(Index), [Tabs, Index](const QString &T) { Tabs->setTabToolTip(Index, T); },
                Ref);
    else if (auto *Box = qobject_cast<QToolBox *>(Host))
        TextRow(P, ID, Box->itemToolTip(Index), [Box, Index](const QString &T) { Box->setItemToolTip(Index, T); },
                Ref);
    else
        TextRow(P, ID, W->toolTip(), [W](const QString &T) { W->setToolTip(T); }, Ref);
    return true;
}

bool WidgetHelpKeyword(TRowPass &P)
{
    auto *W = qobject_cast<QWidget *>(P.Component);
    if (!W)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnHelpKeyword), W->whatsThis(), [W](const QString &T) { W->setWhatsThis(T); },
                ActionHelpReference(W));
    return true;
}
