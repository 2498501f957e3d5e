// The glotta program: the subcommands on the process's console.

#include "tools/glotta/glotta_tool.h"

#include <QApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Forms are built to read their texts, never shown: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine's warnings about the forms' own language files and
    // resources are not the tool's findings; QT_LOGGING_RULES still wins.
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*=false"));
    QApplication App(argc, argv);
    QTextStream Out(stdout);
    QTextStream Err(stderr);
    TToolConsole Console{Out, Err, isatty(fileno(stderr)) != 0};
    QStringList Args = App.arguments();
    Args.removeFirst();
    const int Exit = RunGlotta(Args, Console);
    Out.flush();
    Err.flush();
    return Exit;
}
