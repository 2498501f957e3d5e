#pragma once
// TWin32Platform: the installer's platform seam on Windows, over the plain
// Win32 backend (WinPlatform). Needs Qt for Windows; the backend itself does not.

#include "installer/platform/platform.h"

class TWin32Platform : public TPlatform
{
public:
    TLocalDBVersions GetLocalDBVersions() override;
    bool LocalDB11Installed() override;
    bool HKLMKeyExists(const QString &Key) override;
    bool IsWindows64() override;
    bool IsUserAdmin() override;
    QString GetWindowsName() override;
    bool InternetConnected() override;
    QString GetTempDir() override;
    QString GetLocaleString(int LCType) override;
    void DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) override;
    bool RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                    const QString &Directory) override;
    int LastExitCode() const override { return fLastExitCode; }
    QString LastDownloadFailure() const override { return fLastDownloadFailure; }
    bool ServerAnswers(const QString &BaseUrl) override;

private:
    int fLastExitCode = -1;
    QString fLastDownloadFailure;
};
