#pragma once
// The Linux backend's runner: starts an installer the way the Wine prefix
// runs Windows programs (an .exe through wine, an .msi and "msiexec" through
// Wine's msiexec), waits for it while the window keeps handling events, and
// then waits for Wine to write its registry so the probes that follow see
// what the installer did.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// A Wine command line ready to start.
struct TWineCommand
{
    QString Program;
    QStringList Arguments;
    QString WorkingDirectory;
};

// Splits Windows-style parameters: blanks separate arguments, double quotes
// group (and are removed), a backslash before a quote makes a literal quote.
QStringList SplitWindowsCommandLine(const QString &Parameters);

// "Z:\dir\file" for "/dir/file": how a Wine prefix's default Z: drive names a Linux path.
QString WinePathFor(const QString &LinuxPath);

// The wine program: $WINE (a path, or a name looked up in PATH), else "wine"
// on PATH, else Debian's /usr/lib/wine/wine64; empty when none of these is
// an executable file, so Wine is missing.
QString FoundWineProgram();
// FoundWineProgram, else what would be asked for ($WINE or "wine") so that
// starting it fails the usual way.
QString WineProgram();
// The wineserver program of the prefix: $WINESERVER, else next to the wine
// program, else "wineserver" on PATH, else /usr/lib/wine/wineserver64.
QString WineserverProgram();

// How RunAndWait's request is started; nothing when it cannot be (a missing
// file, a verb Wine has no counterpart for).
std::optional<TWineCommand> WineCommandFor(const QString &FileName, const QString &Parameters, const QString &Verb,
                                           const QString &Directory);

// A Windows program's exit code as far as Wine's exit status tells it: the
// status holds the low 8 bits, and the low bytes of the restart requests
// 3010 and 1641 are read as those codes.
int WindowsExitCodeOf(int WineStatus);

// The seam's RunAndWait for the Wine backend. True when the program was
// started, false at once when it could not be. ExitCode, when given, gets
// the program's exit code (-1 when it did not start or crashed).
bool WineRunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                    const QString &Directory, int *ExitCode = nullptr);

// Starts Command with Environment, waits for it while the window keeps
// handling events, then for the prefix's wineserver to write the registry.
// Its exit code (-1 after a crash), or nothing when it could not start.
std::optional<int> WineStartAndWait(const TWineCommand &Command,
                                    const QProcessEnvironment &Environment = QProcessEnvironment::systemEnvironment());

// How long RunAndWait waits, after the program has ended, for the prefix's
// wineserver to exit and so flush the registry (default 30 s).
void SetWineserverWaitTimeout(int Msec);
