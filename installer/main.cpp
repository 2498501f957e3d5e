// The installer's program entry: the deployer's settings from the command
// line and the environment, the application object, the main window from its
// stored design, then either the message loop or an unattended run; the exit
// code follows the Windows Installer's convention (exit_codes.h).

#include "toolkit/widgets/application.h"
#include "toolkit/core/exception.h"
#include "installer/command_line.h"
#include "installer/exit_codes.h"
#include "installer/form1.h"
#include "installer/install_log.h"
#include "installer/unattended_run.h"
#include "toolkit/widgets/message_box.h"
#include "glotta/widgets/editor/vcl_lang_data.h"
#include "glotta/widgets/glotta_engine.h"
#ifdef Q_OS_WIN
#include "installer/platform/windows/win32_platform.h"
using TMachinePlatform = TWin32Platform;
#include <windows.h>
#else
#include "installer/platform/wine/wine_platform.h"
using TMachinePlatform = TWinePlatform;
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#ifndef GLOTTA_VERSION
#define GLOTTA_VERSION "unknown"
#endif

namespace {

#ifndef Q_OS_WIN
int SignalPipe[2] = {-1, -1};

void OnTerminate(int)
{
    const char Byte = 1;
    // Only this is safe in a signal handler; the event loop does the rest.
    [[maybe_unused]] const auto Written = ::write(SignalPipe[1], &Byte, 1);
}

// SIGTERM and SIGINT cancel the run the way the cancel button does: the
// download stops and leaves no file, nothing further starts.
void CancelOnTerminate(TForm1 *Form)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *Notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, Form);
    QObject::connect(Notifier, &QSocketNotifier::activated, Form, [Form] {
        char Byte;
        [[maybe_unused]] const auto Read = ::read(SignalPipe[0], &Byte, 1);
        Form->LogLine(QStringLiteral("signal: terminate"));
        Form->Cancel();
    });
    struct sigaction Action = {};
    Action.sa_handler = OnTerminate;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &Action, nullptr);
    sigaction(SIGINT, &Action, nullptr);
}
#endif

#ifdef Q_OS_WIN
// A program of the window subsystem starts without standard streams unless
// its parent handed it some (a pipe, a redirection). Started from a console,
// it writes --help and usage errors into that console instead.
void UseParentConsole()
{
    const HANDLE Out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (Out != nullptr && Out != INVALID_HANDLE_VALUE)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    [[maybe_unused]] FILE *Stream = std::freopen("CONOUT$", "w", stdout);
    Stream = std::freopen("CONOUT$", "w", stderr);
}
#endif

QString ModeName(const TInstallerOptions &O)
{
    if (!O.LayoutDir.isEmpty())
        return QStringLiteral("layout");
    switch (O.UiMode) {
    case TInstallerOptions::Passive:
        return QStringLiteral("passive");
    case TInstallerOptions::Quiet:
        return QStringLiteral("quiet");
    default:
        return QStringLiteral("interactive");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before the application object, so that --help works without a display.
    QStringList Arguments;
    for (int I = 0; I < argc; ++I)
        Arguments << QString::fromLocal8Bit(argv[I]);
    const TInstallerCommandLine CommandLine = ParseInstallerCommandLine(Arguments);
    if (CommandLine.Outcome != TInstallerCommandLine::Run) {
#ifdef Q_OS_WIN
        UseParentConsole();
#endif
        const bool Help = CommandLine.Outcome == TInstallerCommandLine::Help;
        std::fprintf(Help ? stdout : stderr, "%s\n", CommandLine.Text.toLocal8Bit().constData());
        return Help ? ExitDone : ExitBadUsage;
    }
    const TInstallerOptions &Options = CommandLine.Options;
    // A layout asks nothing either: it shows its window only when --passive asks for one.
    const bool Quiet = Options.UiMode == TInstallerOptions::Quiet
                    || (!Options.LayoutDir.isEmpty() && Options.UiMode != TInstallerOptions::Passive);
    const bool ShowWindow = !Quiet;
    // A quiet run shows nothing and so needs no display (on Windows: no
    // desktop either, as in a service's session).
    if (Quiet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifndef Q_OS_WIN
    // The backend, Wine and every program it starts find the prefix here.
    if (!Options.Prefix.isEmpty())
        qputenv("WINEPREFIX", QFile::encodeName(Options.Prefix));

    // Without a display Qt would abort with a long platform-plugin message.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "dilnex-local-setup: no display; run it under Xvfb: xvfb-run -a %s, or use --quiet\n",
                     argv[0]);
        return ExitFailure;
    }
#endif
    QApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dilnex 8"));
    InstallFontSubstitutes();

    TMachinePlatform Platform;
    const QDateTime Start = QDateTime::currentDateTime();
    TInstallLog Log;
    const QString LogName =
        Options.LogFile.isEmpty() ? TInstallLog::DefaultFileName(Platform.GetTempDir(), Start) : Options.LogFile;
    if (!Log.Open(LogName))
        std::fprintf(stderr, "dilnex-local-setup: cannot write the log %s: %s\n", qPrintable(LogName),
                     qPrintable(Log.ErrorText()));
    Log.Line(QStringLiteral("start: dilnex-local-setup %1, %2 mode").arg(QLatin1String(GLOTTA_VERSION), ModeName(Options)));
    Log.Line(QStringLiteral("command line: %1").arg(Arguments.join(u' ')));
#ifndef Q_OS_WIN
    Log.Line(QStringLiteral("Wine prefix: %1").arg(qEnvironmentVariable("WINEPREFIX", QDir::homePath() + QStringLiteral("/.wine"))));
#endif
    // Every box is logged; an unattended run shows none and takes each one's default.
    LogMessageBoxes(&Log, Options.Unattended());

    std::unique_ptr<TForm1> Form;
    // The language combo's "add" and "edit" entries open the editor window.
    InstallLanguageEditor();
    try {
        Form.reset(TForm1::Create(&Platform));
        Form->SetLog(&Log);
        if (!Options.DownloadServer.isEmpty())
            Form->SetDownloadServer(Options.DownloadServer);
        Log.Line(QStringLiteral("download server: %1").arg(Form->DownloadServer()));
        if (!Options.Language.isEmpty()) {
            Form->GlottaEngine1->SetCurrentLanguage(Options.Language);
            Log.Line(QStringLiteral("language: %1 asked, %2 current")
                         .arg(Options.Language, Form->GlottaEngine1->CurrentLanguage()));
        }
    } catch (const std::exception &E) {
        Log.Line(QStringLiteral("end: exit code %1: the window cannot be made: %2").arg(ExitFailure).arg(QString::fromUtf8(E.what())));
        if (!Options.Unattended())
            HandleException(E);
        return ExitFailure;
    }
#ifndef Q_OS_WIN
    CancelOnTerminate(Form.get());
#endif
    if (!Options.SourceDir.isEmpty()) {
        QString Why;
        if (!Form->SetPackageSource(Options.SourceDir, Why)) {
            Log.Line(QStringLiteral("the package folder cannot be used: %1").arg(Why));
            Log.Line(QStringLiteral("end: exit code %1 (failed)").arg(ExitFailure));
            if (!Options.Unattended())
                MessageBox(Form->Message(fmRunFailed) + QStringLiteral(": ") + Why, Form->Message(fmSetupError), MB_ICONERROR | MB_OK);
            std::fprintf(stderr, "dilnex-local-setup: %s\n", qPrintable(Why));
            return ExitFailure;
        }
        Form->ShowPackageSource();
    }

    if (Options.Unattended()) {
        Form->SetUnattended(true);
        if (ShowWindow) {
            Form->show();
            QCoreApplication::processEvents();
        }
        const int Code = Options.LayoutDir.isEmpty() ? RunUnattended(Form.get())
                                                     : RunLayout(Form.get(), Options.LayoutDir);
        Form->close();
        return Code;
    }

    LogPlatformFacts(Form.get());
    Form->show();
    App.exec();
    const int Code = Form->RestartRequired() ? ExitRestartRequired : ExitDone;
    Log.Line(QStringLiteral("end: exit code %1").arg(Code));
    return Code;
}
