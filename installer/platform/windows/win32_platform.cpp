#include "installer/platform/windows/win32_platform.h"

#include "toolkit/core/exception.h"
#include "installer/platform/windows/win_download.h"
#include "installer/platform/windows/win_error.h"
#include "installer/platform/windows/win_probes.h"
#include "installer/platform/windows/win_run.h"

#include <QObject>

namespace {
std::wstring W(const QString &S)
{
    return S.toStdWString();
}

QString Q(const std::wstring &S)
{
    return QString::fromStdWString(S);
}

// The backend's errors become the toolkit's, with the same kind name and message.
template<typename F>
auto Rewrapped(F &&Call) -> decltype(Call())
{
    try {
        return Call();
    } catch (const WinPlatform::EWinError &E) {
        if (E.KindName() == "EOSError")
            throw EOSError(0, Q(E.Message()));
        throw Exception(Q(E.Message()));
    }
}
} // namespace

TLocalDBVersions TWin32Platform::GetLocalDBVersions()
{
    TLocalDBVersions V;
    V.Installed = WinPlatform::GetLocalDBVersions().Installed;
    return V;
}

bool TWin32Platform::LocalDB11Installed()
{
    return WinPlatform::LocalDB11Installed();
}

bool TWin32Platform::HKLMKeyExists(const QString &Key)
{
    return WinPlatform::HKLMKeyExists(W(Key));
}

bool TWin32Platform::IsWindows64()
{
    return Rewrapped([] { return WinPlatform::IsWindows64(); });
}

bool TWin32Platform::IsUserAdmin()
{
    return WinPlatform::IsUserAdmin();
}

QString TWin32Platform::GetWindowsName()
{
    return Q(WinPlatform::GetWindowsName());
}

bool TWin32Platform::InternetConnected()
{
    return WinPlatform::InternetConnected();
}

QString TWin32Platform::GetTempDir()
{
    return Q(WinPlatform::GetTempDir());
}

QString TWin32Platform::GetLocaleString(int LCType)
{
    return Q(WinPlatform::GetLocaleString(LCType));
}

void TWin32Platform::DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    // The download operation handed to the progress handler as its sender.
    QObject Operation;
    WinPlatform::TWinDownloadProgress Progress;
    if (OnProgress)
        Progress = [&](uint32_t P, uint32_t Max, WinPlatform::TWinDownloadStatus Code, const std::wstring &Text,
                       bool &Cancel) { OnProgress(&Operation, P, Max, Code, Q(Text), Cancel); };
    std::wstring Reason;
    fLastDownloadFailure.clear();
    try {
        Rewrapped([&] {
            WinPlatform::DownloadFile(W(URL), W(FileName), Progress, &Reason);
            return 0;
        });
    } catch (...) {
        fLastDownloadFailure = Q(Reason);
        throw;
    }
}

bool TWin32Platform::RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                                const QString &Directory)
{
    return WinPlatform::RunAndWait(W(FileName), W(Parameters), W(Verb), ShowCmd, W(Directory), &fLastExitCode);
}

bool TWin32Platform::ServerAnswers(const QString &BaseUrl)
{
    return WinPlatform::ServerAnswers(W(BaseUrl));
}
