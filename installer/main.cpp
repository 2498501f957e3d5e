// The installer's program entry: the deployer's settings from the command
// line and the environment, the application object, the main window from its
// stored design, the message loop.

#include "toolkit/widgets/application.h"
#include "toolkit/core/exception.h"
#include "installer/command_line.h"
#include "installer/form1.h"
#include "glotta/widgets/editor/vcl_lang_data.h"
#ifdef Q_OS_WIN
#include "installer/platform/windows/win32_platform.h"
using TMachinePlatform = TWin32Platform;
#else
#include "installer/platform/wine/wine_platform.h"
using TMachinePlatform = TWinePlatform;
#endif

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // Read before the application object, so that --help works without a display.
    QStringList Arguments;
    for (int I = 0; I < argc; ++I)
        Arguments << QString::fromLocal8Bit(argv[I]);
    const TInstallerCommandLine CommandLine = ParseInstallerCommandLine(Arguments);
    if (CommandLine.Outcome != TInstallerCommandLine::Run) {
        const bool Help = CommandLine.Outcome == TInstallerCommandLine::Help;
        std::fprintf(Help ? stdout : stderr, "%s\n", CommandLine.Text.toLocal8Bit().constData());
        return Help ? 0 : 2;
    }
#ifndef Q_OS_WIN
    // The backend, Wine and every program it starts find the prefix here.
    if (!CommandLine.Options.Prefix.isEmpty())
        qputenv("WINEPREFIX", QFile::encodeName(CommandLine.Options.Prefix));
#endif

    // Without a display Qt would abort with a long platform-plugin message.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "dilnex-local-setup: no display; run it under Xvfb: xvfb-run -a %s\n", argv[0]);
        return 1;
    }
#endif
    QApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dilnex 8"));
    InstallFontSubstitutes();

    TMachinePlatform Platform;
    std::unique_ptr<TForm1> Form;
    // The language combo's "add" and "edit" entries open the editor window.
    InstallLanguageEditor();
    try {
        Form.reset(TForm1::Create(&Platform));
        if (!CommandLine.Options.DownloadServer.isEmpty())
            Form->SetDownloadServer(CommandLine.Options.DownloadServer);
    } catch (const std::exception &E) {
        HandleException(E);
        return 1;
    }
    Form->show();
    return App.exec();
}
