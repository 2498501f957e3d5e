#pragma once
// The installer's read-only questions about the machine, on the Win32 API:
// registry keys, word size, administrator membership, Windows version,
// connection state, temporary folder and user locale. No state is kept.

#include <array>
#include <string>

namespace WinPlatform {

// Which LocalDB versions are installed: 11.0, 12.0, 13.0, 14.0, 15.0, 16.0 in this order.
struct TWinLocalDBVersions
{
    std::array<bool, 6> Installed{};
};

// Registry probes below HKEY_LOCAL_MACHINE, always in the 32-bit view (the
// view the installer's packages write to); a key that cannot be opened for
// reading counts as absent. They never raise.
TWinLocalDBVersions GetLocalDBVersions();
bool LocalDB11Installed();
bool HKLMKeyExists(const std::wstring &Key);

// True on 64-bit Windows. Raises EWinError "EOSError" when the system cannot answer.
bool IsWindows64();
// Membership of the built-in Administrators group in the current token; group
// attributes are not looked at, so a filtered administrator counts.
bool IsUserAdmin();

// The running system's real version (not the one the compatibility layer
// reports), and its name from the shared name table.
void GetWindowsVersion(unsigned &Major, unsigned &Minor);
std::wstring GetWindowsName();

bool InternetConnected();
// Whether a connection to the server of Url (its host and port) can be made.
bool ServerAnswers(const std::wstring &Url);
// The temporary folder, ending with a backslash; empty when the system cannot
// give it in 260 characters.
std::wstring GetTempDir();
// One item of the user's default locale (e.g. LOCALE_SISO639LANGNAME); empty
// when the system has none or it is longer than 18 characters.
std::wstring GetLocaleString(int LCType);

} // namespace WinPlatform
