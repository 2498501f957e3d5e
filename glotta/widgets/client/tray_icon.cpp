// A tray icon: its tooltip, and the balloon texts Qt does not keep, which
// the application holds as the dynamic properties "BalloonHint" and
// "BalloonTitle" and passes to showMessage(). The icon is no widget, so the
// hint of every widget does not reach it.
#include "glotta/widgets/client/collection_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QSystemTrayIcon>
#include <QVariant>

bool TrayIconTexts(TItemPass &P)
{
    auto *Icon = qobject_cast<QSystemTrayIcon *>(P.Component);
    if (!Icon)
        return false;
    ComponentText(P, pnHint, Icon->toolTip(), [Icon](const QString &T) { Icon->setToolTip(T); });
    const auto Balloon = [&P, Icon](quint8 Member, const char *Name) {
        ComponentText(P, Member, Icon->property(Name).toString(),
                      [Icon, Name](const QString &T) { Icon->setProperty(Name, T); });
    };
    Balloon(pnBalloonHint, "BalloonHint");
    Balloon(pnBalloonTitle, "BalloonTitle");
    return true;
}
