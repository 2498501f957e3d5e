#include "installer/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// The server URL as the window appends paths to it, or empty when it is not one.
QString ServerUrl(const QString &Text)
{
    const QUrl Url(Text.trimmed(), QUrl::StrictMode);
    if (!Url.isValid() || Url.host().isEmpty() || (Url.scheme() != u"http" && Url.scheme() != u"https")
        || Url.hasQuery() || Url.hasFragment() || !Url.userInfo().isEmpty())
        return {};
    QString Result = Url.toString(QUrl::FullyEncoded);
    while (Result.endsWith(u'/'))
        Result.chop(1);
    return Result;
}

} // namespace

TInstallerCommandLine ParseInstallerCommandLine(const QStringList &Arguments)
{
    TInstallerCommandLine Result;
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Installs the local edition of Dilnex 8 with its prerequisites (.NET Framework 4, "
                       "SQL Server Native Client 11, SQL Server Express LocalDB).\n"
                       "Environment: %1 names the download server when --server is not given; "
                       "WINEPREFIX names the Wine prefix when --prefix is not given (default ~/.wine); "
                       "WINE names the wine program.")
            .arg(QLatin1String(DownloadServerVariable)));
    const QCommandLineOption HelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help and ends."));
    const QCommandLineOption ServerOption(
        QStringLiteral("server"),
        QStringLiteral("Base URL of the download server (http or https), e.g. http://host:8088; the package "
                       "paths /data/... are appended to it. Overrides $%1; default: the address built into "
                       "the installer.")
            .arg(QLatin1String(DownloadServerVariable)),
        QStringLiteral("URL"));
    const QCommandLineOption PrefixOption(
        QStringLiteral("prefix"),
        QStringLiteral("The Wine prefix to install into (Linux). Overrides $WINEPREFIX; created when missing."),
        QStringLiteral("DIR"));
    Parser.addOption(HelpOption);
    Parser.addOption(ServerOption);
    Parser.addOption(PrefixOption);

    auto Fail = [&](const QString &Text) {
        Result.Outcome = TInstallerCommandLine::Error;
        Result.Text = Text + QStringLiteral("\nSee --help.");
        return Result;
    };
    if (!Parser.parse(Arguments))
        return Fail(Parser.errorText());
    if (Parser.isSet(HelpOption)) {
        Result.Outcome = TInstallerCommandLine::Help;
        // Read before any application object exists, the parser cannot know
        // the program's name by itself: the usage line names the one started.
        const QString Program = QFileInfo(Arguments.value(0, QStringLiteral("dilnex-local-setup"))).fileName();
        const QString Help = Parser.helpText();
        Result.Text = QStringLiteral("Usage: %1 [options]").arg(Program) + Help.mid(Help.indexOf(u'\n'));
        return Result;
    }
    if (!Parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("Unexpected argument: %1").arg(Parser.positionalArguments().first()));

    QString Server;
    QString Source;
    if (Parser.isSet(ServerOption)) {
        Server = Parser.value(ServerOption);
        Source = QStringLiteral("--server");
    } else if (!qEnvironmentVariableIsEmpty(DownloadServerVariable)) {
        Server = qEnvironmentVariable(DownloadServerVariable);
        Source = QLatin1String(DownloadServerVariable);
    }
    if (!Source.isEmpty()) {
        Result.Options.DownloadServer = ServerUrl(Server);
        if (Result.Options.DownloadServer.isEmpty())
            return Fail(QStringLiteral("%1: not an http or https URL with a host: %2").arg(Source, Server));
    }
    if (Parser.isSet(PrefixOption)) {
        const QString Prefix = Parser.value(PrefixOption);
        if (Prefix.isEmpty())
            return Fail(QStringLiteral("--prefix: the folder is empty"));
        Result.Options.Prefix = QDir::cleanPath(QDir::current().absoluteFilePath(Prefix));
    }
    return Result;
}
