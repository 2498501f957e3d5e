// The installer's program entry: the application object, the main window
// from its stored design, the message loop. It reads no command line.

#include "toolkit/widgets/application.h"
#include "toolkit/core/exception.h"
#include "installer/form1.h"
#ifdef Q_OS_WIN
#include "installer/platform/windows/win32_platform.h"
using TMachinePlatform = TWin32Platform;
#else
#include "installer/platform/wine/wine_platform.h"
using TMachinePlatform = TWinePlatform;
#endif

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
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
    try {
        Form.reset(TForm1::Create(&Platform));
    } catch (const std::exception &E) {
        HandleException(E);
        return 1;
    }
    Form->show();
    return App.exec();
}
