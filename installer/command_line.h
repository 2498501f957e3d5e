#pragma once
// What a deployer may set when starting the installer: the download server
// (--server URL or $DILNEX_DOWNLOAD_SERVER, else the window design's) and,
// on Linux, the Wine prefix (--prefix DIR, else $WINEPREFIX, else ~/.wine);
// for administrators, unattended runs, the log, the language, and an offline
// package folder (--layout to fill one, --source to install from one).

#include <QString>
#include <QStringList>

struct TInstallerOptions
{
    enum TUiMode {
        Interactive, // the window, the user clicks through it
        Passive,     // the window shows progress, asks nothing and closes at the end
        Quiet,       // no window at all; needs no display
    };
    QString DownloadServer; // empty: the design's DownloadServer
    QString Prefix;         // empty: as the environment says
    TUiMode UiMode = Interactive;
    QString LogFile;   // empty: the default log in the temporary folder
    QString Language;  // ISO code to start in; empty: the user's locale
    QString LayoutDir; // not empty: download every package into it and end
    QString SourceDir; // not empty: install from this folder instead of the server
    bool Unattended() const { return UiMode != Interactive || !LayoutDir.isEmpty(); }
};

struct TInstallerCommandLine
{
    enum TOutcome {
        Run,   // start the installer with Options
        Help,  // print Text (the --help text) and end successfully
        Error, // print Text (what is wrong) and end with a failure
    };
    TOutcome Outcome = Run;
    QString Text;
    TInstallerOptions Options;
};

// The environment variable that names the download server.
inline constexpr char DownloadServerVariable[] = "DILNEX_DOWNLOAD_SERVER";

// Reads Arguments (the program name first, as argv) and the environment.
// A server must be an http or https URL with a host; a trailing "/" is
// dropped because the package paths ("/data/...") are appended to it. A
// prefix is made absolute, as Wine requires.
TInstallerCommandLine ParseInstallerCommandLine(const QStringList &Arguments);
