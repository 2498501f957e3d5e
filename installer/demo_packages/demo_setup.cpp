// Demo stand-ins for the two setup programs the installer downloads and runs
// (built three times, see CMakeLists.txt). Each registers, in the 32-bit
// registry view, the key the installer looks for, and exits without a window.
//   DEMO_NETFX:   .NET Framework 4 ("SOFTWARE\Microsoft\NET Framework Setup\NDP\v4")
//   DEMO_NETFX with DEMO_RESTART: the same, then exits 3010 as .NET's setup
//                 does when the computer must restart to finish
//   DEMO_DILNEX8: the Dilnex 8 setup: "SOFTWARE\Dilnex\Dilnex 8" and a "dilnex.exe"
//                 in the folder given as its argument, else its working directory.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

bool SetString(const wchar_t *Key, const wchar_t *Name, const std::wstring &Value)
{
    HKEY Handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &Handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG Result = RegSetValueExW(Handle, Name, 0, REG_SZ, reinterpret_cast<const BYTE *>(Value.c_str()),
                                 DWORD((Value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(Handle);
    return Result == ERROR_SUCCESS;
}

bool SetNumber(const wchar_t *Key, const wchar_t *Name, DWORD Value)
{
    HKEY Handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &Handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG Result = RegSetValueExW(Handle, Name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&Value), sizeof(Value));
    RegCloseKey(Handle);
    return Result == ERROR_SUCCESS;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
#if defined(DEMO_NETFX)
    const wchar_t *Full = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full";
    bool Ok = SetNumber(Full, L"Install", 1) && SetString(Full, L"Version", L"4.0.30319") &&
              SetString(L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client", L"Version", L"4.0.30319");
#if defined(DEMO_RESTART)
    return Ok ? 3010 : 1;
#else
    return Ok ? 0 : 1;
#endif
#elif defined(DEMO_DILNEX8)
    int Count = 0;
    wchar_t **Args = CommandLineToArgvW(GetCommandLineW(), &Count);
    std::wstring Folder;
    if (Args && Count >= 2) {
        Folder = Args[1];
    } else {
        wchar_t Current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, Current);
        Folder = Current;
    }
    if (!Folder.empty() && Folder.back() != L'\\')
        Folder += L'\\';
    // The "application": a copy of this program under the name the installer looks for.
    wchar_t Self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Self, MAX_PATH);
    bool Ok = CopyFileW(Self, (Folder + L"dilnex.exe").c_str(), FALSE) &&
              SetString(L"SOFTWARE\\Dilnex\\Dilnex 8", L"InstallDir", Folder);
    return Ok ? 0 : 1;
#else
#error "define DEMO_NETFX or DEMO_DILNEX8"
#endif
}
