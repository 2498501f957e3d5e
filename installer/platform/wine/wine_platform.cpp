#include "installer/platform/wine/wine_platform.h"

#include "installer/platform/wine/wine_download.h"
#include "installer/platform/wine/wine_prefix.h"
#include "installer/platform/wine/wine_run.h"

#include <QDir>

bool TWinePlatform::CanRunInstallers(QString &Missing)
{
    if (!FoundWineProgram().isEmpty()) {
        Missing.clear();
        return true;
    }
    const QString Asked = qEnvironmentVariable("WINE");
    Missing = Asked.isEmpty() ? QStringLiteral("wine") : Asked;
    return false;
}

bool TWinePlatform::NeedsPreparation()
{
    return !TWinePrefix::Exists();
}

bool TWinePlatform::Prepare(QString &Reason)
{
    const QString Prefix = TWinePrefix::Path();
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    Environment.insert(QStringLiteral("WINEPREFIX"), Prefix);
    // Wine would offer to install its own .NET and HTML engines in dialogs of
    // their own while the prefix is made; the installer brings the real
    // .NET Framework itself. A deployer's own choice stays.
    if (!Environment.contains(QStringLiteral("WINEDLLOVERRIDES")))
        Environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    const TWineCommand Command{WineProgram(), {QStringLiteral("wineboot"), QStringLiteral("-i")}, QDir::homePath()};
    const std::optional<int> ExitCode = WineStartAndWait(Command, Environment);
    if (!ExitCode) {
        Reason = Command.Program + QStringLiteral(" wineboot -i: cannot be started");
        return false;
    }
    if (!TWinePrefix::Exists()) {
        Reason = QStringLiteral("wineboot -i (exit code %1): no %2").arg(*ExitCode).arg(TWinePrefix::SystemRegPath());
        return false;
    }
    Reason.clear();
    return true;
}

void TWinePlatform::DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    WineDownloadFile(URL, FileName, OnProgress);
}

bool TWinePlatform::RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                               const QString &Directory)
{
    return WineRunAndWait(FileName, Parameters, Verb, ShowCmd, Directory);
}
