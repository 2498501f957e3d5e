#pragma once
// The installer's one seam to the machine: the system probes, the downloader
// and the runner. The window receives a TPlatform and never calls a backend
// directly, so the workflow can be driven against substitutes and a local
// HTTP server. Backends: wine/ (Linux, a Wine prefix) and windows/ (Win32).

#include "installer/platform/download_status.h"
#include "installer/platform/registry_keys.h"

#include <QString>
#include <array>
#include <functional>

class QObject;

// Which LocalDB versions are installed: 11.0, 12.0, 13.0, 14.0, 15.0, 16.0 in this order.
struct TLocalDBVersions
{
    std::array<bool, 6> Installed{};
    bool V11() const { return Installed[0]; }
    bool V16() const { return Installed[5]; }
};

// Progress and ProgressMax arrive within DownloadProgressLimit, as
// ScaleDownloadProgress gives them, so a progress bar takes them as they are;
// ProgressMax is 0 while the size is unknown.
using TDownloadProgressEvent = std::function<void(QObject *Sender, quint32 Progress, quint32 ProgressMax,
                                                  TDownloadStatus StatusCode, const QString &StatusText,
                                                  bool &Cancel)>;

// Win32's values; where <windows.h> came first its macros stand for them.
#ifndef LOCALE_SISO639LANGNAME
constexpr int LOCALE_SISO639LANGNAME = 0x59;
#endif
#ifndef SW_SHOWNORMAL
constexpr int SW_SHOWNORMAL = 1;
#endif

class TPlatform
{
public:
    virtual ~TPlatform() = default;

    virtual TLocalDBVersions GetLocalDBVersions() = 0;
    virtual bool LocalDB11Installed() = 0;
    virtual bool HKLMKeyExists(const QString &Key) = 0;
    // Raises EOSError when the system cannot answer.
    virtual bool IsWindows64() = 0;
    virtual bool IsUserAdmin() = 0;
    virtual QString GetWindowsName() = 0;
    virtual bool InternetConnected() = 0;
    // Ends with a path separator.
    virtual QString GetTempDir() = 0;
    virtual QString GetLocaleString(int LCType) = 0;

    // Whether installers can be run here at all. When not, Missing names what
    // was looked for and not found (on Linux, the Wine program), for the user.
    virtual bool CanRunInstallers(QString &Missing)
    {
        Missing.clear();
        return true;
    }
    // Whether the system the installers run in has to be made before the
    // first probe (on Linux, a Wine prefix that does not exist yet).
    virtual bool NeedsPreparation() { return false; }
    // Makes it, blocking while the window keeps handling events. False with a
    // short Reason for the user when it could not be made.
    virtual bool Prepare(QString &Reason)
    {
        Reason.clear();
        return true;
    }

    // Blocks until the transfer has ended while the window stays live; raises
    // Exception ("Error downloading URL: %s") on failure or cancel.
    virtual void DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) = 0;
    // Starts the file the way the platform's shell would and waits for its
    // process while the window keeps handling events; false when it cannot start.
    virtual bool RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                            const QString &Directory) = 0;
    // The exit code of the program the last RunAndWait waited for; -1 when it
    // did not start, crashed, or the platform cannot tell. Restarts asked for
    // by a component installer (3010, 1641) are read from it.
    virtual int LastExitCode() const { return -1; }
    // Why the last DownloadFile failed, in words for a log (a status the
    // server answered, a network error, "cancelled"); empty when unknown.
    virtual QString LastDownloadFailure() const { return {}; }

    // Whether the download server at BaseUrl accepts a connection. Asked when
    // the system's connection state says there is none: that state only says
    // whether a connection is configured, and some systems answer it wrongly.
    virtual bool ServerAnswers(const QString &BaseUrl)
    {
        Q_UNUSED(BaseUrl);
        return false;
    }
};
