#pragma once
// The installer's exit codes, in the Windows Installer's convention, so that
// deployment scripts and management tools read them as they read an MSI's.

enum TInstallerExitCode : int {
    ExitDone = 0,               // everything needed is installed
    ExitBadUsage = 2,           // the command line could not be read
    ExitUserCancel = 1602,      // cancelled (the window's cancel, SIGTERM)
    ExitFailure = 1603,         // a step failed; the steps after it did not run
    ExitRestartStarted = 1641,  // a restart was started
    ExitRestartRequired = 3010, // done so far, a restart is needed before the rest
};

// What a parent process reads of Code: all of it on Windows; on Linux and
// other POSIX systems the exit status holds only its low 8 bits (1602 reads
// 66, 1603 67, 1641 105, 3010 194), still one value for each code.
constexpr int ExitStatusSeen(int Code, bool Posix)
{
    return Posix ? (Code & 0xFF) : Code;
}

// Whether a component installer's exit code asks for a restart (.NET's and
// the Windows Installer's 3010 and 1641).
constexpr bool AsksForRestart(int ExitCode)
{
    return ExitCode == ExitRestartRequired || ExitCode == ExitRestartStarted;
}
