#include "installer/platform/windows/win_run.h"

#include <windows.h>
#include <shellapi.h>

namespace WinPlatform {

namespace {

const wchar_t *NoneIfEmpty(const std::wstring &Text)
{
    return Text.empty() ? nullptr : Text.c_str();
}

} // namespace

bool RunAndWait(const std::wstring &FileName, const std::wstring &Parameters, const std::wstring &Verb, int ShowCmd,
                const std::wstring &Directory, int *ExitCode)
{
    if (ExitCode)
        *ExitCode = -1;
    SHELLEXECUTEINFOW Request{};
    Request.cbSize = sizeof(Request);
    Request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI;
    static_assert((SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI) == 0x740);
    Request.hwnd = nullptr;
    Request.lpVerb = NoneIfEmpty(Verb);
    Request.lpFile = FileName.c_str();
    Request.lpParameters = NoneIfEmpty(Parameters);
    Request.lpDirectory = NoneIfEmpty(Directory);
    Request.nShow = ShowCmd;
    if (!ShellExecuteExW(&Request))
        return false;

    HANDLE Process = Request.hProcess;
    if (!Process)
        return true; // the shell passed the request on to a running program

    WaitForInputIdle(Process, INFINITE);
    // Poll the process and keep the thread's windows live in between.
    while (WaitForSingleObject(Process, 10) == WAIT_TIMEOUT) {
        MSG Message;
        while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&Message);
            DispatchMessageW(&Message);
        }
    }
    DWORD Code = 0;
    if (ExitCode && GetExitCodeProcess(Process, &Code) && Code != STILL_ACTIVE)
        *ExitCode = int(Code);
    CloseHandle(Process);
    return true;
}

} // namespace WinPlatform
