#include "installer/platform/wine/wine_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

int WineserverWaitMsec = 30000;

// The shell request asks for environment references ("%TEMP%") in the file
// and the directory to be expanded; unknown names stay as written.
QString ExpandEnvironment(const QString &Text)
{
    static const QRegularExpression Reference(QStringLiteral("%([^%]+)%"));
    QString Result;
    qsizetype Last = 0;
    for (auto It = Reference.globalMatch(Text); It.hasNext();) {
        const QRegularExpressionMatch Match = It.next();
        Result += Text.mid(Last, Match.capturedStart() - Last);
        const QString Name = Match.captured(1);
        Result += qEnvironmentVariableIsSet(Name.toLocal8Bit().constData()) ? qEnvironmentVariable(Name.toLocal8Bit().constData())
                                                                            : Match.captured(0);
        Last = Match.capturedEnd();
    }
    return Result + Text.mid(Last);
}

QString ExistingFile(const QString &Path)
{
    return QFileInfo(Path).isFile() ? Path : QString();
}

// A Linux path becomes the prefix's Z: path; anything else is left as it is.
QString WineArgumentPath(const QString &Path)
{
    return Path.startsWith(u'/') ? WinePathFor(Path) : Path;
}

// msiexec's parameters. "/i <path>" with an unquoted path takes the whole
// rest as the package path, blanks included: the installer passes the
// LocalDB package that way, and a temporary folder may contain blanks.
// Otherwise the parameters are split like any Windows command line.
QStringList MsiexecArguments(const QString &Parameters)
{
    const QString Trimmed = Parameters.trimmed();
    const bool Install = Trimmed.size() > 3 && (Trimmed[0] == u'/' || Trimmed[0] == u'-')
        && Trimmed[1].toLower() == u'i' && Trimmed[2].isSpace();
    if (Install) {
        const QString Rest = Trimmed.mid(3).trimmed();
        if (!Rest.startsWith(u'"'))
            return {QStringLiteral("/i"), WineArgumentPath(Rest)};
    }
    QStringList Arguments = SplitWindowsCommandLine(Parameters);
    for (int I = 0; I + 1 < Arguments.size(); ++I) {
        if (Arguments[I].compare(QLatin1String("/i"), Qt::CaseInsensitive) == 0)
            Arguments[I + 1] = WineArgumentPath(Arguments[I + 1]);
    }
    return Arguments;
}

void SendStreamsToNullDevice(QProcess &Process)
{
    // Wine's background services inherit the standard streams and keep them
    // open long after the program has ended; a pipe would never reach its end.
    Process.setStandardInputFile(QProcess::nullDevice());
    Process.setStandardOutputFile(QProcess::nullDevice());
    Process.setStandardErrorFile(QProcess::nullDevice());
}

// Waits for the process in 10 ms slices, handling the window's events between
// them. False when TimeoutMsec (negative: none) passed first.
bool WaitHandlingEvents(QProcess &Process, int TimeoutMsec)
{
    QElapsedTimer Clock;
    Clock.start();
    while (Process.state() != QProcess::NotRunning) {
        if (Process.waitForFinished(10))
            break;
        if (TimeoutMsec >= 0 && Clock.elapsed() >= TimeoutMsec)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

} // namespace

QStringList SplitWindowsCommandLine(const QString &Parameters)
{
    QStringList Arguments;
    QString Current;
    bool InArgument = false;
    bool Quoted = false;
    for (qsizetype I = 0; I < Parameters.size(); ++I) {
        const QChar C = Parameters[I];
        if (C == u'\\') {
            // Backslashes are literal unless they precede a quote: 2n + 1 of
            // them give n backslashes and a literal quote, 2n give n and a quote that groups.
            qsizetype Count = 0;
            while (I < Parameters.size() && Parameters[I] == u'\\') {
                ++Count;
                ++I;
            }
            if (I < Parameters.size() && Parameters[I] == u'"') {
                Current += QString(Count / 2, u'\\');
                if (Count % 2) {
                    Current += u'"';
                } else {
                    Quoted = !Quoted;
                }
            } else {
                Current += QString(Count, u'\\');
                --I;
            }
            InArgument = true;
        } else if (C == u'"') {
            Quoted = !Quoted;
            InArgument = true;
        } else if ((C == u' ' || C == u'\t') && !Quoted) {
            if (InArgument)
                Arguments << Current;
            Current.clear();
            InArgument = false;
        } else {
            Current += C;
            InArgument = true;
        }
    }
    if (InArgument)
        Arguments << Current;
    return Arguments;
}

QString WinePathFor(const QString &LinuxPath)
{
    QString Path = QDir::cleanPath(LinuxPath);
    Path.replace(u'/', u'\\');
    return QStringLiteral("Z:") + Path;
}

QString FoundWineProgram()
{
    const QString FromEnvironment = qEnvironmentVariable("WINE");
    if (!FromEnvironment.isEmpty()) {
        if (FromEnvironment.contains(u'/')) {
            const QFileInfo Info(FromEnvironment);
            return Info.isFile() && Info.isExecutable() ? FromEnvironment : QString();
        }
        return QStandardPaths::findExecutable(FromEnvironment);
    }
    const QString OnPath = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (!OnPath.isEmpty())
        return OnPath;
    // Debian's wine64 package installs its loader here and puts no command on the PATH.
    for (const char *Candidate : {"/usr/lib/wine/wine64", "/usr/lib/wine/wine"}) {
        if (QFileInfo(QString::fromLatin1(Candidate)).isExecutable())
            return QString::fromLatin1(Candidate);
    }
    return {};
}

QString WineProgram()
{
    const QString Found = FoundWineProgram();
    if (!Found.isEmpty())
        return Found;
    const QString FromEnvironment = qEnvironmentVariable("WINE");
    return FromEnvironment.isEmpty() ? QStringLiteral("wine") : FromEnvironment;
}

QString WineserverProgram()
{
    const QString FromEnvironment = qEnvironmentVariable("WINESERVER");
    if (!FromEnvironment.isEmpty())
        return FromEnvironment;
    const QFileInfo Wine(WineProgram());
    if (Wine.isAbsolute()) {
        for (const char *Name : {"wineserver", "wineserver64"}) {
            const QFileInfo Beside(Wine.dir(), QString::fromLatin1(Name));
            if (Beside.isExecutable())
                return Beside.filePath();
        }
    }
    const QString OnPath = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
    if (!OnPath.isEmpty())
        return OnPath;
    for (const char *Candidate : {"/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver"}) {
        if (QFileInfo(QString::fromLatin1(Candidate)).isExecutable())
            return QString::fromLatin1(Candidate);
    }
    return {};
}

std::optional<TWineCommand> WineCommandFor(const QString &FileName, const QString &Parameters, const QString &Verb,
                                           const QString &Directory)
{
    // Wine has no elevation; "runas" runs the program like "open".
    if (!Verb.isEmpty() && Verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0
        && Verb.compare(QLatin1String("runas"), Qt::CaseInsensitive) != 0)
        return std::nullopt;

    TWineCommand Command;
    Command.Program = WineProgram();
    const QString ExpandedDirectory = ExpandEnvironment(Directory);
    Command.WorkingDirectory = ExpandedDirectory.isEmpty() ? QDir::currentPath() : ExpandedDirectory;
    if (!QFileInfo(Command.WorkingDirectory).isDir())
        return std::nullopt;

    const QString Name = ExpandEnvironment(FileName);
    const bool BareName = !Name.contains(u'/') && !Name.contains(u'\\');
    if (BareName
        && (Name.compare(QLatin1String("msiexec"), Qt::CaseInsensitive) == 0
            || Name.compare(QLatin1String("msiexec.exe"), Qt::CaseInsensitive) == 0)) {
        Command.Arguments << QStringLiteral("msiexec") << MsiexecArguments(Parameters);
        return Command;
    }

    if (Name.isEmpty())
        return std::nullopt;
    const QString Path =
        ExistingFile(QFileInfo(Name).isAbsolute() ? Name : QDir(Command.WorkingDirectory).absoluteFilePath(Name));
    if (Path.isEmpty())
        return std::nullopt;
    const QString Suffix = QFileInfo(Path).suffix().toLower();
    if (Suffix == QLatin1String("msi")) {
        Command.Arguments << QStringLiteral("msiexec") << QStringLiteral("/i") << WinePathFor(Path)
                          << SplitWindowsCommandLine(Parameters);
    } else if (Suffix == QLatin1String("exe")) {
        Command.Arguments << Path << SplitWindowsCommandLine(Parameters);
    } else {
        // Any other document opens with the program the prefix associates with it.
        Command.Arguments << QStringLiteral("start") << QStringLiteral("/wait") << QStringLiteral("/unix") << Path
                          << SplitWindowsCommandLine(Parameters);
    }
    return Command;
}

int WindowsExitCodeOf(int WineStatus)
{
    // Wine's own exit status carries only the low 8 bits of the Windows
    // program's exit code. The two codes an installer uses to ask for a
    // restart are what the installer must not miss, so their low bytes are
    // read as them (no installer of this workflow ends with 105 or 194 of its own).
    switch (WineStatus) {
    case 3010 & 0xFF:
        return 3010;
    case 1641 & 0xFF:
        return 1641;
    default:
        return WineStatus;
    }
}

bool WineRunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                    const QString &Directory, int *ExitCode)
{
    Q_UNUSED(ShowCmd); // Wine shows a program's windows the normal way
    if (ExitCode)
        *ExitCode = -1;
    const std::optional<TWineCommand> Command = WineCommandFor(FileName, Parameters, Verb, Directory);
    if (!Command)
        return false;
    const std::optional<int> Code = WineStartAndWait(*Command);
    if (ExitCode && Code)
        *ExitCode = WindowsExitCodeOf(*Code);
    return Code.has_value();
}

std::optional<int> WineStartAndWait(const TWineCommand &Command, const QProcessEnvironment &Environment)
{
    QProcess Process;
    Process.setProgram(Command.Program);
    Process.setArguments(Command.Arguments);
    Process.setWorkingDirectory(Command.WorkingDirectory);
    Process.setProcessEnvironment(Environment);
    SendStreamsToNullDevice(Process);
    Process.start();
    if (!Process.waitForStarted())
        return std::nullopt;
    WaitHandlingEvents(Process, -1);
    const int ExitCode = Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;

    // The prefix's server keeps the registry in memory and writes it out when
    // it exits; "wineserver -w" returns then, so the probes that follow read
    // what the program wrote.
    const QString Server = WineserverProgram();
    if (!Server.isEmpty()) {
        QProcess Flush;
        Flush.setProgram(Server);
        Flush.setArguments({QStringLiteral("-w")});
        Flush.setProcessEnvironment(Environment);
        SendStreamsToNullDevice(Flush);
        Flush.start();
        if (Flush.waitForStarted() && !WaitHandlingEvents(Flush, WineserverWaitMsec)) {
            Flush.kill();
            Flush.waitForFinished(1000);
        }
    }
    return ExitCode;
}

void SetWineserverWaitTimeout(int Msec)
{
    WineserverWaitMsec = Msec;
}
