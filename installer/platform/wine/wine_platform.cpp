#include "installer/platform/wine/wine_platform.h"

#include "installer/platform/wine/wine_download.h"
#include "installer/platform/wine/wine_prefix.h"
#include "installer/platform/wine/wine_run.h"

#include <QDir>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

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
    fLastDownloadFailure.clear();
    WineDownloadFile(URL, FileName, OnProgress, &fLastDownloadFailure);
}

bool TWinePlatform::RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                               const QString &Directory)
{
    return WineRunAndWait(FileName, Parameters, Verb, ShowCmd, Directory, &fLastExitCode);
}

bool TWinePlatform::ServerAnswers(const QString &BaseUrl)
{
    const QUrl Url(BaseUrl);
    if (!Url.isValid() || Url.host().isEmpty())
        return false;
    const quint16 Port = quint16(Url.port(Url.scheme() == u"https" ? 443 : 80));
    QTcpSocket Socket;
    QEventLoop Loop;
    QTimer Limit;
    Limit.setSingleShot(true);
    bool Connected = false;
    QObject::connect(&Socket, &QTcpSocket::connected, &Loop, [&] {
        Connected = true;
        Loop.quit();
    });
    QObject::connect(&Socket, &QTcpSocket::errorOccurred, &Loop, &QEventLoop::quit);
    QObject::connect(&Limit, &QTimer::timeout, &Loop, &QEventLoop::quit);
    // Ten seconds, as long as a slow name lookup and connect may take.
    Limit.start(10000);
    Socket.connectToHost(Url.host(), Port);
    if (Socket.state() != QAbstractSocket::UnconnectedState)
        Loop.exec();
    Socket.abort();
    return Connected;
}
