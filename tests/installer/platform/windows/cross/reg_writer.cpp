// Helper started by the backend test through the shell: waits a moment
// (so the caller really has to wait for it), then creates the key named by its
// first argument below HKEY_LOCAL_MACHINE in the 32-bit view, records its
// working directory there and exits. A GUI-subsystem program that looks at
// its message queue while it waits, so the system sees it go idle.

#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int Count = 0;
    wchar_t **Args = CommandLineToArgvW(GetCommandLineW(), &Count);
    if (!Args || Count < 2)
        return 2;

    // Wait for input like an idle GUI program until the time is up.
    const DWORD Delay = Count >= 3 ? DWORD(_wtoi(Args[2])) : 500;
    const DWORD Start = GetTickCount();
    for (DWORD Spent = 0; Spent < Delay; Spent = GetTickCount() - Start) {
        MSG Message;
        while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&Message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, Delay - Spent, QS_ALLINPUT);
    }

    HKEY Key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Args[1], 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &Key,
                        nullptr) != ERROR_SUCCESS)
        return 3;
    wchar_t Directory[MAX_PATH] = {};
    DWORD Length = GetCurrentDirectoryW(MAX_PATH, Directory);
    RegSetValueExW(Key, L"Cwd", 0, REG_SZ, reinterpret_cast<const BYTE *>(Directory), (Length + 1) * sizeof(wchar_t));
    RegCloseKey(Key);
    return 0;
}
