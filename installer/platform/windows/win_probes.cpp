#include "installer/platform/windows/win_probes.h"

#include "installer/platform/registry_keys.h"
#include "installer/platform/windows/win_error.h"
#include "installer/platform/windows_name.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <cwchar>

namespace WinPlatform {

namespace {

// The installer's packages register in the 32-bit view. A 32-bit process
// sees that view by default; a 64-bit build has to ask for it.
#ifdef _WIN64
constexpr REGSAM RegistryView = KEY_WOW64_32KEY;
#else
constexpr REGSAM RegistryView = 0;
#endif

std::wstring Widen(const char *Ascii)
{
    std::wstring Result;
    for (const char *P = Ascii; *P; ++P)
        Result += wchar_t(static_cast<unsigned char>(*P));
    return Result;
}

std::wstring FromCodePage(const char *Text, int Length)
{
    if (Length <= 0)
        return {};
    int Size = MultiByteToWideChar(CP_ACP, 0, Text, Length, nullptr, 0);
    std::wstring Result(Size > 0 ? Size : 0, L'\0');
    if (Size > 0)
        MultiByteToWideChar(CP_ACP, 0, Text, Length, Result.data(), Size);
    return Result;
}

bool KeyExists(const std::wstring &Key)
{
    HKEY Handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), 0, KEY_READ | RegistryView, &Handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(Handle);
    return true;
}

} // namespace

TWinLocalDBVersions GetLocalDBVersions()
{
    TWinLocalDBVersions Result;
    for (size_t I = 0; I < Result.Installed.size(); ++I)
        Result.Installed[I] = KeyExists(Widen(LocalDBVersionKeys[I]));
    return Result;
}

bool LocalDB11Installed()
{
    return KeyExists(Widen(LocalDBVersionKeys[0]));
}

bool HKLMKeyExists(const std::wstring &Key)
{
    return KeyExists(Key);
}

bool IsWindows64()
{
    HMODULE Kernel = LoadLibraryW(L"kernel32.dll");
    if (!Kernel)
        RaiseLastOSError();
    struct TLibraryGuard
    {
        HMODULE Handle;
        ~TLibraryGuard() { FreeLibrary(Handle); }
    } Guard{Kernel};

    using TIsWow64Process = BOOL(WINAPI *)(HANDLE, PBOOL);
    auto IsWow64 = reinterpret_cast<TIsWow64Process>(reinterpret_cast<void *>(GetProcAddress(Kernel, "IsWow64Process")));
    if (!IsWow64)
        return false; // a system without 64-bit support
    BOOL Wow64 = FALSE;
    if (!IsWow64(GetCurrentProcess(), &Wow64))
        RaiseLastOSError();
#ifdef _WIN64
    // A 64-bit program runs only on 64-bit Windows, where it is not emulated
    // and the question above answers false.
    return true;
#else
    return Wow64 != FALSE;
#endif
}

bool IsUserAdmin()
{
    HANDLE Token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &Token)) {
        if (GetLastError() != ERROR_NO_TOKEN)
            return false;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &Token))
            return false;
    }

    // A fixed buffer: a group list that does not fit reads as not administrator.
    alignas(alignof(TOKEN_GROUPS)) BYTE Buffer[1024];
    DWORD Needed = 0;
    BOOL Queried = GetTokenInformation(Token, TokenGroups, Buffer, sizeof(Buffer), &Needed);
    CloseHandle(Token);
    if (!Queried)
        return false;

    SID_IDENTIFIER_AUTHORITY NtAuthority = SECURITY_NT_AUTHORITY;
    PSID Administrators = nullptr;
    if (!AllocateAndInitializeSid(&NtAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &Administrators))
        return false;
    const auto *Groups = reinterpret_cast<const TOKEN_GROUPS *>(Buffer);
    bool Found = false;
    for (DWORD I = 0; I < Groups->GroupCount && !Found; ++I)
        Found = EqualSid(Administrators, Groups->Groups[I].Sid) != FALSE;
    FreeSid(Administrators);
    return Found;
}

void GetWindowsVersion(unsigned &Major, unsigned &Minor)
{
    OSVERSIONINFOW Info{};
    Info.dwOSVersionInfoSize = sizeof(Info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&Info))
        Info.dwMajorVersion = Info.dwMinorVersion = 0;
#pragma GCC diagnostic pop
    Major = Info.dwMajorVersion;
    Minor = Info.dwMinorVersion;
    if (Major < 6 || (Major == 6 && Minor <= 1))
        return;

    // Above 6.1 the basic query is at the mercy of the compatibility layer;
    // the system's own record of its version decides.
    HKEY Key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(WindowsCurrentVersionKey).c_str(), 0, KEY_QUERY_VALUE, &Key) !=
        ERROR_SUCCESS)
        return;
    DWORD RegMajor = 0, RegMinor = 0, Type = 0, Size = sizeof(DWORD);
    bool HaveMajor = RegQueryValueExW(Key, L"CurrentMajorVersionNumber", nullptr, &Type,
                                      reinterpret_cast<BYTE *>(&RegMajor), &Size) == ERROR_SUCCESS &&
                     Type == REG_DWORD;
    Size = sizeof(DWORD);
    bool HaveMinor = RegQueryValueExW(Key, L"CurrentMinorVersionNumber", nullptr, &Type,
                                      reinterpret_cast<BYTE *>(&RegMinor), &Size) == ERROR_SUCCESS &&
                     Type == REG_DWORD;
    if (HaveMajor && HaveMinor) {
        Major = RegMajor;
        Minor = RegMinor;
    } else {
        wchar_t Text[64] = {};
        Size = sizeof(Text) - sizeof(wchar_t);
        if (RegQueryValueExW(Key, L"CurrentVersion", nullptr, &Type, reinterpret_cast<BYTE *>(Text), &Size) ==
                ERROR_SUCCESS &&
            Type == REG_SZ) {
            unsigned TextMajor = 0, TextMinor = 0;
            if (swscanf(Text, L"%u.%u", &TextMajor, &TextMinor) == 2) {
                Major = TextMajor;
                Minor = TextMinor;
            }
        }
    }
    RegCloseKey(Key);
}

std::wstring GetWindowsName()
{
    unsigned Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    return Widen(WindowsNameOf(Major, Minor).c_str());
}

bool InternetConnected()
{
    DWORD Flags = 0; // not used: only whether a connection is configured matters
    return InternetGetConnectedState(&Flags, 0) != FALSE;
}

bool ServerAnswers(const std::wstring &Url)
{
    // A real connection to the server's host and port, not the system's
    // idea of whether one is configured.
    return !Url.empty() && InternetCheckConnectionW(Url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

std::wstring GetTempDir()
{
    char Buffer[260];
    DWORD Length = GetTempPathA(sizeof(Buffer), Buffer);
    // Zero is a failure; a value of the buffer's size or more is the size the
    // path would need, and the buffer was left unfilled.
    if (Length == 0 || Length >= sizeof(Buffer))
        return {};
    return FromCodePage(Buffer, int(Length));
}

std::wstring GetLocaleString(int LCType)
{
    char Buffer[19];
    int Length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LCType, Buffer, sizeof(Buffer));
    if (Length <= 0)
        return {};
    return FromCodePage(Buffer, int(strnlen(Buffer, Length)));
}

} // namespace WinPlatform
