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
    const QCommandLineOption PassiveOption(
        QStringLiteral("passive"),
        QStringLiteral("Unattended with a window: shows progress, asks nothing, runs every step that is needed "
                       "and closes at the end."));
    const QCommandLineOption QuietOption(
        QStringLiteral("quiet"),
        QStringLiteral("Unattended without a window (needs no display): every question gets its default "
                       "answer, every message goes to the log."));
    const QCommandLineOption LogOption(
        QStringLiteral("log"),
        QStringLiteral("Writes the log to FILE. Default: dilnex-local-setup_<date>_<time>.log in the temporary "
                       "folder (on Linux the Wine prefix user's)."),
        QStringLiteral("FILE"));
    const QCommandLineOption LanguageOption(
        QStringLiteral("language"),
        QStringLiteral("Starts in the language of this ISO 639 code (cs, en, or a language file's) when the "
                       "installer has it; unattended runs log in it."),
        QStringLiteral("CODE"));
    const QCommandLineOption LayoutOption(
        QStringLiteral("layout"),
        QStringLiteral("Downloads every package (for 32- and 64-bit systems) into DIR with a manifest of "
                       "their sizes and SHA-256 digests, installs nothing and ends."),
        QStringLiteral("DIR"));
    const QCommandLineOption SourceOption(
        QStringLiteral("source"),
        QStringLiteral("Installs from DIR, a folder made by --layout, instead of the download server; each "
                       "file is checked against the manifest before it runs."),
        QStringLiteral("DIR"));
    Parser.addOption(HelpOption);
    Parser.addOption(ServerOption);
    Parser.addOption(PrefixOption);
    Parser.addOption(PassiveOption);
    Parser.addOption(QuietOption);
    Parser.addOption(LogOption);
    Parser.addOption(LanguageOption);
    Parser.addOption(LayoutOption);
    Parser.addOption(SourceOption);

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
        Result.Text = QStringLiteral("Usage: %1 [options]").arg(Program) + Help.mid(Help.indexOf(u'\n'))
                    + QStringLiteral("\nExit codes:\n"
                                     "  0     done: everything needed is installed (or laid out)\n"
                                     "  2     the command line could not be read\n"
                                     "  1602  cancelled by the user (the window's cancel, or SIGTERM)\n"
                                     "  1603  a step failed; the steps after it did not run (see the log)\n"
                                     "  1641  a restart was started\n"
                                     "  3010  done so far, a restart is required; start the installer again "
                                     "after it to go on\n"
                                     "On Linux the exit status holds the low 8 bits of these: 1602 reads 66, "
                                     "1603 67, 1641 105, 3010 194.\n");
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
    if (Parser.isSet(PassiveOption) && Parser.isSet(QuietOption))
        return Fail(QStringLiteral("--passive and --quiet exclude each other"));
    if (Parser.isSet(QuietOption))
        Result.Options.UiMode = TInstallerOptions::Quiet;
    else if (Parser.isSet(PassiveOption))
        Result.Options.UiMode = TInstallerOptions::Passive;
    if (Parser.isSet(LayoutOption) && Parser.isSet(SourceOption))
        return Fail(QStringLiteral("--layout and --source exclude each other"));
    auto Folder = [&](const QCommandLineOption &Option, QString &Into) -> bool {
        if (!Parser.isSet(Option))
            return true;
        const QString Dir = Parser.value(Option);
        if (Dir.isEmpty())
            return false;
        Into = QDir::cleanPath(QDir::current().absoluteFilePath(Dir));
        return true;
    };
    if (!Folder(LayoutOption, Result.Options.LayoutDir))
        return Fail(QStringLiteral("--layout: the folder is empty"));
    if (!Folder(SourceOption, Result.Options.SourceDir))
        return Fail(QStringLiteral("--source: the folder is empty"));
    if (!Folder(LogOption, Result.Options.LogFile))
        return Fail(QStringLiteral("--log: the file name is empty"));
    if (Parser.isSet(LanguageOption)) {
        Result.Options.Language = Parser.value(LanguageOption).trimmed().toLower();
        if (Result.Options.Language.isEmpty())
            return Fail(QStringLiteral("--language: the code is empty"));
    }
    return Result;
}
