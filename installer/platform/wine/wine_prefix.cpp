#include "installer/platform/wine/wine_prefix.h"

#include <QDir>
#include <QtGlobal>

QString TWinePrefix::Path()
{
    const QString Prefix = qEnvironmentVariable("WINEPREFIX");
    if (!Prefix.isEmpty())
        return QDir::cleanPath(Prefix);
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString TWinePrefix::SystemRegPath()
{
    return Path() + QStringLiteral("/system.reg");
}

QString TWinePrefix::WineProgram()
{
    const QString Wine = qEnvironmentVariable("WINE");
    return Wine.isEmpty() ? QStringLiteral("wine") : Wine;
}
