#pragma once
// TWinePlatform: the installer's platform seam on Linux. The probes read the
// Wine prefix, downloads go through the bounded HTTP/1.1 transfer of
// http_transfer.h, installers run through Wine.

#include "installer/platform/platform.h"
#include "installer/platform/wine/wine_probes.h"

class TWinePlatform : public TPlatform
{
public:
    TLocalDBVersions GetLocalDBVersions() override { return fProbes.GetLocalDBVersions(); }
    bool LocalDB11Installed() override { return fProbes.LocalDB11Installed(); }
    bool HKLMKeyExists(const QString &Key) override { return fProbes.HKLMKeyExists(Key); }
    bool IsWindows64() override { return fProbes.IsWindows64(); }
    bool IsUserAdmin() override { return fProbes.IsUserAdmin(); }
    QString GetWindowsName() override { return fProbes.GetWindowsName(); }
    bool InternetConnected() override { return fProbes.InternetConnected(); }
    QString GetTempDir() override { return fProbes.GetTempDir(); }
    QString GetLocaleString(int LCType) override { return fProbes.GetLocaleString(LCType); }
    // Wine is found ($WINE, "wine" on PATH, Debian's /usr/lib/wine).
    bool CanRunInstallers(QString &Missing) override;
    // The prefix has no system.reg yet.
    bool NeedsPreparation() override;
    // "wineboot -i" in the prefix, then wineserver -w so its registry is written.
    bool Prepare(QString &Reason) override;
    void DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) override;
    bool RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                    const QString &Directory) override;
    int LastExitCode() const override { return fLastExitCode; }
    QString LastDownloadFailure() const override { return fLastDownloadFailure; }
    // A TCP connection to the server's host and port, the window live meanwhile.
    bool ServerAnswers(const QString &BaseUrl) override;

private:
    TWineProbes fProbes;
    int fLastExitCode = -1;
    QString fLastDownloadFailure;
};
