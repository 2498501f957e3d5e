// Checks the Win32 backend against a real system (a Wine prefix here): its
// registry views, token, version, locale, the URL download service against a
// local HTTP server and the shell. Prints one line per check and a final
// "N passed, N failed" line; the driving script reads them.
//
// Modes (arguments):
//   --server URL --expect-windows NAME --expect-locale CODE   every check
//   --only-windows-name NAME [--expect-basic-version M.N]     the version only
//   --packages DIR                                            the demo packages
//
// The download checks expect DIR/payload.bin on the server: PayloadSize bytes,
// byte i being (i * 7 + 3) % 251.

#include "installer/platform/windows/win_download.h"
#include "installer/platform/windows/win_error.h"
#include "installer/platform/windows/win_probes.h"
#include "installer/platform/windows/win_run.h"
#include "installer/platform/windows_name.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace WinPlatform;

namespace {

constexpr size_t PayloadSize = 3 * 1024 * 1024 + 17;
const std::wstring TestRoot = L"SOFTWARE\\GlottaWinBackendTest";

int Passed = 0;
int Failed = 0;

std::string Narrow(const std::wstring &Text)
{
    return WideToUtf8(Text);
}

void Check(const std::string &Name, bool Ok, const std::string &Detail = {})
{
    (Ok ? Passed : Failed)++;
    std::printf("%s %s%s%s\n", Ok ? "PASS" : "FAIL", Name.c_str(), Ok || Detail.empty() ? "" : ": ",
                Ok ? "" : Detail.c_str());
    std::fflush(stdout);
}

void CheckEqual(const std::string &Name, const std::wstring &Actual, const std::wstring &Expected)
{
    Check(Name, Actual == Expected, "got \"" + Narrow(Actual) + "\", expected \"" + Narrow(Expected) + "\"");
}

// Test keys are written straight through the registry API in a chosen view,
// independently of the code under test.
bool CreateKey(const std::wstring &Key, REGSAM View)
{
    HKEY Handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), 0, nullptr, 0, KEY_WRITE | View, nullptr, &Handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(Handle);
    return true;
}

// Deletes the key with its subkeys, in the given view only.
void DeleteKey(const std::wstring &Key, REGSAM View)
{
    HKEY Handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), 0, KEY_ALL_ACCESS | View, &Handle) == ERROR_SUCCESS) {
        RegDeleteTreeW(Handle, nullptr);
        RegCloseKey(Handle);
    }
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), View, 0);
}

bool RawKeyExists(const std::wstring &Key, REGSAM View)
{
    HKEY Handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), 0, KEY_READ | View, &Handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(Handle);
    return true;
}

std::wstring ReadString(const std::wstring &Key, const wchar_t *Value, REGSAM View)
{
    HKEY Handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key.c_str(), 0, KEY_READ | View, &Handle) != ERROR_SUCCESS)
        return L"<no key>";
    wchar_t Buffer[MAX_PATH + 1] = {};
    DWORD Size = sizeof(Buffer) - sizeof(wchar_t), Type = 0;
    LONG Result = RegQueryValueExW(Handle, Value, nullptr, &Type, reinterpret_cast<BYTE *>(Buffer), &Size);
    RegCloseKey(Handle);
    return Result == ERROR_SUCCESS ? std::wstring(Buffer) : L"<no value>";
}

std::wstring LocalDBKey(const char *Version)
{
    std::string Key = std::string("SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\") + Version;
    return std::wstring(Key.begin(), Key.end());
}

std::wstring ExeDirectory()
{
    wchar_t Path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH);
    std::wstring Result = Path;
    return Result.substr(0, Result.find_last_of(L'\\'));
}

bool FileExists(const std::wstring &Path)
{
    return GetFileAttributesW(Path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FilesIn(const std::wstring &Folder)
{
    std::vector<std::wstring> Names;
    WIN32_FIND_DATAW Data;
    HANDLE Find = FindFirstFileW((Folder + L"\\*").c_str(), &Data);
    if (Find == INVALID_HANDLE_VALUE)
        return Names;
    do {
        std::wstring Name = Data.cFileName;
        if (Name != L"." && Name != L"..")
            Names.push_back(Name);
    } while (FindNextFileW(Find, &Data));
    FindClose(Find);
    return Names;
}

std::string Join(const std::vector<std::wstring> &Names)
{
    std::string Result;
    for (const std::wstring &Name : Names)
        Result += (Result.empty() ? "" : ", ") + Narrow(Name);
    return Result.empty() ? "(none)" : Result;
}

std::string ReadAll(const std::wstring &Path)
{
    std::ifstream In(std::filesystem::path(Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

bool IsPayload(const std::string &Data)
{
    if (Data.size() != PayloadSize)
        return false;
    for (size_t I = 0; I < Data.size(); ++I)
        if (static_cast<unsigned char>(Data[I]) != (I * 7 + 3) % 251)
            return false;
    return true;
}

// ---------------------------------------------------------------- probes

void TestWindowsNameTable()
{
    struct Row
    {
        unsigned Major, Minor;
        const char *Name;
    };
    const Row Rows[] = {
        {4, 0, "Windows 95"},     {4, 10, "Windows 98"},  {4, 90, "Windows ME"},
        {5, 0, "Windows 2000"},   {5, 1, "Windows XP"},   {5, 2, "Unknown (Windows 5.2)"},
        {6, 0, "Windows Vista"},  {6, 1, "Windows 7"},    {6, 2, "Windows 8"},
        {6, 3, "Windows 8.1"},    {6, 4, "Unknown (Windows 6.4)"},
        {10, 0, "Windows 10"},    {10, 1, "Unknown (Windows 10.1)"},
        {4, 1, "Unknown (Windows 4.1)"},  {0, 0, "Unknown (Windows 0.0)"},
        {11, 0, "Unknown (Windows 11.0)"},
    };
    std::string Wrong;
    for (const Row &R : Rows) {
        std::string Name = WindowsNameOf(R.Major, R.Minor);
        if (Name != R.Name)
            Wrong += " " + std::to_string(R.Major) + "." + std::to_string(R.Minor) + " -> \"" + Name + "\"";
    }
    Check("WindowsNameOf table", Wrong.empty(), "wrong names:" + Wrong);
}

void TestRegistryViews()
{
    const std::wstring Only32 = TestRoot + L"\\Only32";
    const std::wstring Only64 = TestRoot + L"\\Only64";
    bool Made = CreateKey(Only32, KEY_WOW64_32KEY) && CreateKey(Only64, KEY_WOW64_64KEY);
    Check("test keys created in both views", Made && RawKeyExists(Only32, KEY_WOW64_32KEY) &&
                                                 !RawKeyExists(Only32, KEY_WOW64_64KEY) &&
                                                 RawKeyExists(Only64, KEY_WOW64_64KEY) &&
                                                 !RawKeyExists(Only64, KEY_WOW64_32KEY),
          "the prefix does not keep the two registry views apart");
    Check("HKLMKeyExists finds a key of the 32-bit view", HKLMKeyExists(Only32));
    Check("HKLMKeyExists misses a key of the 64-bit view only", !HKLMKeyExists(Only64));
    Check("HKLMKeyExists misses an absent key", !HKLMKeyExists(TestRoot + L"\\Absent"));
    DeleteKey(Only32, KEY_WOW64_32KEY);
    DeleteKey(Only64, KEY_WOW64_64KEY);
    DeleteKey(TestRoot, KEY_WOW64_32KEY);
    DeleteKey(TestRoot, KEY_WOW64_64KEY);
}

std::string Flags(const TWinLocalDBVersions &Versions)
{
    std::string Text;
    for (bool B : Versions.Installed)
        Text += B ? '1' : '0';
    return Text;
}

void TestLocalDBVersions()
{
    Check("no LocalDB in a fresh prefix", Flags(GetLocalDBVersions()) == "000000" && !LocalDB11Installed(),
          "flags " + Flags(GetLocalDBVersions()));

    // 11.0 and 16.0 where the installer's packages write them; 13.0 only in
    // the 64-bit view, where a 32-bit installer would never look.
    CreateKey(LocalDBKey("11.0"), KEY_WOW64_32KEY);
    CreateKey(LocalDBKey("16.0"), KEY_WOW64_32KEY);
    CreateKey(LocalDBKey("13.0"), KEY_WOW64_64KEY);
    std::string Got = Flags(GetLocalDBVersions());
    Check("GetLocalDBVersions with 11.0 and 16.0 (and 13.0 in the 64-bit view)", Got == "100001",
          "flags 11..16 " + Got + ", expected 100001");
    Check("LocalDB11Installed with 11.0", LocalDB11Installed());

    DeleteKey(LocalDBKey("11.0"), KEY_WOW64_32KEY);
    Got = Flags(GetLocalDBVersions());
    Check("GetLocalDBVersions with 16.0 only", Got == "000001", "flags 11..16 " + Got + ", expected 000001");
    Check("LocalDB11Installed without 11.0", !LocalDB11Installed());
    DeleteKey(LocalDBKey("16.0"), KEY_WOW64_32KEY);
    DeleteKey(LocalDBKey("13.0"), KEY_WOW64_64KEY);
}

void TestOSError()
{
    // The error IsWindows64 raises when the system cannot answer: kind,
    // code and the system's own text on one line.
    std::string Kind;
    std::wstring Message;
    try {
        RaiseOSError(ERROR_ACCESS_DENIED);
    } catch (const EWinError &E) {
        Kind = E.KindName();
        Message = E.Message();
    }
    std::wstring Text = SysErrorMessage(ERROR_ACCESS_DENIED);
    Check("EOSError carries the code and the system's text",
          Kind == "EOSError" && !Text.empty() && Message == L"System error 5: " + Text &&
              Message.find_first_of(L"\r\n") == std::wstring::npos,
          Kind + " \"" + Narrow(Message) + "\"");
}

void TestSystemProbes(const std::wstring &ExpectedWindows, const std::wstring &ExpectedLocale)
{
    try {
        Check("IsWindows64 on a 64-bit system", IsWindows64());
    } catch (const EWinError &E) {
        Check("IsWindows64 on a 64-bit system", false, E.KindName() + ": " + Narrow(E.Message()));
    }
    Check("IsUserAdmin (Wine's user is an administrator)", IsUserAdmin());
    CheckEqual("GetWindowsName of the prefix", GetWindowsName(), ExpectedWindows);

    std::wstring Temp = GetTempDir();
    Check("GetTempDir ends with a backslash", !Temp.empty() && Temp.back() == L'\\', "got \"" + Narrow(Temp) + "\"");
    wchar_t Wide[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, Wide);
    CheckEqual("GetTempDir is the system's temporary folder", Temp, Wide);
    Check("GetTempDir exists", FileExists(Temp));

    CheckEqual("GetLocaleString(LOCALE_SISO639LANGNAME) is the started locale's language",
               GetLocaleString(LOCALE_SISO639LANGNAME), ExpectedLocale);
    Check("GetLocaleString of an unknown kind is empty", GetLocaleString(0x7fff).empty());

    // The value is read into 19 characters with the terminating zero: 18
    // characters come back whole, 19 read as empty. The user's own long date
    // format gives values of a chosen length.
    struct Format
    {
        const wchar_t *Value;
        const wchar_t *Expected;
    };
    const Format Formats[] = {
        {L"dd.MM.yyyy", L"dd.MM.yyyy"},
        {L"dddd d. MMMM yyyy.", L"dddd d. MMMM yyyy."},
        {L"dddd d. MMMM yyyy..", L""},
        {L"dddd, d. MMMM yyyy, dd", L""},
    };
    wchar_t Saved[80] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, Saved, 80);
    for (const Format &F : Formats) {
        if (!SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, F.Value)) {
            Check("SetLocaleInfoW of a long date format", false, "error " + std::to_string(GetLastError()));
            continue;
        }
        CheckEqual("GetLocaleString of a value of " + std::to_string(wcslen(F.Value)) + " characters",
                   GetLocaleString(LOCALE_SLONGDATE), F.Expected);
    }
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, Saved);
}

// -------------------------------------------------------------- download

struct DownloadCase
{
    const char *Name;
    const wchar_t *Path;       // on the server
    bool OldTarget;            // an older file of the target name exists
    int CancelAt;              // cancel at this notification (1-based); 0 never
    bool Throw;                // the handler throws at its first notification
    bool NoHandler;            // no progress handler at all
    bool ExpectSuccess;
};

void TestDownload(const std::wstring &Server)
{
    const std::wstring Folder = GetTempDir() + L"glotta download test";
    CreateDirectoryW(Folder.c_str(), nullptr);
    const std::wstring Target = Folder + L"\\target.bin";

    const DownloadCase Cases[] = {
        {"download of a file", L"/payload.bin", true, 0, false, false, true},
        {"download without a progress handler", L"/payload.bin", false, 0, false, true, true},
        {"download of a missing file (404)", L"/missing.bin", true, 0, false, false, false},
        {"download cancelled at the first notification", L"/payload.bin", true, 1, false, false, false},
        {"download cancelled while data arrives", L"/payload.bin", false, -1, false, false, false},
        {"download whose handler throws", L"/payload.bin", true, 0, true, false, false},
    };
    for (const DownloadCase &C : Cases) {
        DeleteFileW(Target.c_str());
        if (C.OldTarget) {
            std::ofstream Old(std::filesystem::path(Target), std::ios::binary);
            Old << "an older download";
        }
        const std::wstring URL = Server + C.Path;
        int Calls = 0;
        uint32_t LastProgress = 0, LastMax = 0;
        bool SawData = false;
        TWinDownloadProgress Handler = [&](uint32_t Progress, uint32_t ProgressMax, TWinDownloadStatus,
                                           const std::wstring &, bool &Cancel) {
            if (Cancel)
                throw std::runtime_error("Cancel was not false on entry");
            ++Calls;
            LastProgress = Progress;
            LastMax = ProgressMax;
            if (C.Throw)
                throw std::runtime_error("handler failure");
            if (Progress > 0)
                SawData = true;
            if (C.CancelAt > 0 && Calls == C.CancelAt)
                Cancel = true;
            if (C.CancelAt < 0 && Progress > 0 && Progress < ProgressMax)
                Cancel = true;
        };

        std::string Outcome = "success";
        try {
            DownloadFile(URL, Target, C.NoHandler ? TWinDownloadProgress() : Handler);
        } catch (const EWinError &E) {
            Outcome = E.KindName() + ": " + Narrow(E.Message());
        } catch (const std::runtime_error &E) {
            Outcome = std::string("handler: ") + E.what();
        }

        std::vector<std::wstring> Left = FilesIn(Folder);
        if (C.ExpectSuccess) {
            Check(std::string(C.Name) + ": returns normally", Outcome == "success", Outcome);
            Check(std::string(C.Name) + ": the whole file arrives", IsPayload(ReadAll(Target)),
                  "target holds " + std::to_string(ReadAll(Target).size()) + " bytes");
            Check(std::string(C.Name) + ": only the target is left", Left == std::vector<std::wstring>{L"target.bin"},
                  "files: " + Join(Left));
            if (!C.NoHandler)
                Check(std::string(C.Name) + ": progress reaches the total", Calls > 0 && SawData &&
                                                                                LastProgress == PayloadSize &&
                                                                                LastMax == PayloadSize,
                      std::to_string(Calls) + " calls, last " + std::to_string(LastProgress) + " of " +
                          std::to_string(LastMax));
        } else {
            std::string Expected = C.Throw ? "handler: handler failure"
                                           : "Exception: Error downloading URL: " + Narrow(URL);
            Check(std::string(C.Name) + ": raises", Outcome == Expected, "got \"" + Outcome + "\"");
            Check(std::string(C.Name) + ": leaves no file behind", Left.empty(), "files: " + Join(Left));
            if (C.CancelAt < 0)
                Check(std::string(C.Name) + ": the transfer had started", SawData && LastProgress < PayloadSize,
                      "last progress " + std::to_string(LastProgress));
        }
    }

    // A server that is not there at all.
    std::wstring Closed = L"http://127.0.0.1:9/payload.bin";
    std::string Outcome = "success";
    try {
        DownloadFile(Closed, Target, {});
    } catch (const EWinError &E) {
        Outcome = E.KindName() + ": " + Narrow(E.Message());
    }
    Check("download from a closed port raises", Outcome == "Exception: Error downloading URL: " + Narrow(Closed),
          "got \"" + Outcome + "\"");

    // Every file name the target could have is usable, spaces and non-ASCII included.
    const std::wstring Odd = Folder + L"\\p\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd.msi";
    Outcome = "success";
    try {
        DownloadFile(Server + L"/payload.bin", Odd, {});
    } catch (const EWinError &E) {
        Outcome = E.KindName() + ": " + Narrow(E.Message());
    }
    Check("download to a non-ASCII name with spaces", Outcome == "success" && IsPayload(ReadAll(Odd)), Outcome);
    DeleteFileW(Odd.c_str());
    DeleteFileW(Target.c_str());
    RemoveDirectoryW(Folder.c_str());
}

// -------------------------------------------------------------- run-and-wait

int TimerTicks = 0;
int PostedSeen = 0;

LRESULT CALLBACK CountingWindowProc(HWND Window, UINT Message, WPARAM W, LPARAM L)
{
    if (Message == WM_TIMER)
        ++TimerTicks;
    else if (Message == WM_APP)
        ++PostedSeen;
    return DefWindowProcW(Window, Message, W, L);
}

void TestRunAndWait()
{
    const std::wstring Helper = ExeDirectory() + L"\\reg_writer.exe";
    const std::wstring Key = TestRoot + L"\\Ran";
    const std::wstring Folder = GetTempDir() + L"glotta run test";
    CreateDirectoryW(Folder.c_str(), nullptr);
    DeleteKey(Key, KEY_WOW64_32KEY);

    WNDCLASSW Class{};
    Class.lpfnWndProc = CountingWindowProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = L"GlottaRunTestWindow";
    RegisterClassW(&Class);
    HWND Window = CreateWindowW(Class.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, Class.hInstance,
                                nullptr);
    Check("a window for the thread's messages is created", Window != nullptr,
          "error " + std::to_string(GetLastError()));
    SetTimer(Window, 1, 20, nullptr);
    PostMessageW(Window, WM_APP, 0, 0);

    // The helper sleeps 700 ms before it writes its key: the key is there
    // afterwards only if the call waited for the process to end.
    bool Result = RunAndWait(Helper, L"\"" + Key + L"\" 700", L"", SW_SHOWNORMAL, Folder);
    KillTimer(Window, 1);
    Check("RunAndWait of a program returns true", Result);
    Check("RunAndWait returns after the program has ended", RawKeyExists(Key, KEY_WOW64_32KEY));
    CheckEqual("RunAndWait starts the program in the given directory", ReadString(Key, L"Cwd", KEY_WOW64_32KEY),
               Folder);
    Check("RunAndWait dispatches the thread's messages while it waits", PostedSeen == 1 && TimerTicks >= 5,
          "posted message seen " + std::to_string(PostedSeen) + " times, " + std::to_string(TimerTicks) +
              " timer ticks");
    DestroyWindow(Window);
    DeleteKey(Key, KEY_WOW64_32KEY);

    // The file name goes through environment expansion; "open" as an explicit verb.
    SetEnvironmentVariableW(L"GLOTTA_HELPER_DIR", ExeDirectory().c_str());
    Result = RunAndWait(L"%GLOTTA_HELPER_DIR%\\reg_writer.exe", L"\"" + Key + L"\" 0", L"open", SW_SHOWNORMAL, L"");
    Check("RunAndWait expands environment variables in the file name", Result && RawKeyExists(Key, KEY_WOW64_32KEY));
    DeleteKey(Key, KEY_WOW64_32KEY);
    DeleteKey(TestRoot, KEY_WOW64_32KEY);

    Check("RunAndWait of a missing file returns false",
          !RunAndWait(Folder + L"\\missing.exe", L"", L"", SW_SHOWNORMAL, L""));
    Check("RunAndWait of an empty file name returns false", !RunAndWait(L"", L"", L"", SW_SHOWNORMAL, L""));
    DeleteKey(Key, KEY_WOW64_32KEY);
    DeleteKey(TestRoot, KEY_WOW64_32KEY);
    RemoveDirectoryW(Folder.c_str());
}

// -------------------------------------------------------------- demo packages

void TestPackages(const std::wstring &Root)
{
    const std::wstring NetFramework = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4";
    const std::wstring NativeClient = L"SOFTWARE\\Microsoft\\SQLNCLI11";
    const std::wstring LocalDB11 = LocalDBKey("11.0");
    const std::wstring LocalDB16 = LocalDBKey("16.0");
    const std::wstring Data = Root + L"\\data";

    auto Reset = [&] {
        for (const std::wstring *K : {&NetFramework, &NativeClient, &LocalDB11, &LocalDB16})
            for (REGSAM View : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
                DeleteKey(*K, View);
    };

    struct Package
    {
        const char *Name;
        std::wstring File;   // below data
        bool Msi;
        std::vector<const std::wstring *> Keys;
        std::vector<const std::wstring *> NotKeys; // keys of other packages
    };
    const std::vector<Package> Packages = {
        {".NET Framework 4 setup", L"\\sqllocaldb\\netframe\\dotnetfx40_full_x86_x64.exe", false, {&NetFramework},
         {&NativeClient, &LocalDB11}},
        {"Native Client 11 (64-bit Windows)", L"\\sqllocaldb\\nativeclient\\64bit\\sqlncli.msi", true, {&NativeClient},
         {&NetFramework, &LocalDB11}},
        {"Native Client 11 (32-bit Windows)", L"\\sqllocaldb\\nativeclient\\32bit\\sqlncli.msi", true, {&NativeClient},
         {&NetFramework, &LocalDB11}},
        {"LocalDB (64-bit Windows)", L"\\sqllocaldb\\2022\\sqllocaldb.msi", true, {&LocalDB11, &LocalDB16},
         {&NativeClient}},
        {"LocalDB (32-bit Windows)", L"\\sqllocaldb\\32bit\\sqllocaldb.msi", true, {&LocalDB11},
         {&LocalDB16, &NativeClient}},
    };
    for (const Package &P : Packages) {
        Reset();
        const std::wstring Path = Data + P.File;
        // As the installer starts them: the program itself, or msiexec with
        // "/i " and the path (unquoted; the demo paths have no spaces).
        bool Started = P.Msi ? RunAndWait(L"msiexec", L"/i " + Path + L" /qn", L"", SW_SHOWNORMAL, GetTempDir())
                             : RunAndWait(Path, L"", L"", SW_SHOWNORMAL, GetTempDir());
        Check(std::string(P.Name) + ": started", Started);
        std::string Missing, Wrong;
        for (const std::wstring *K : P.Keys) {
            if (!HKLMKeyExists(*K))
                Missing += " " + Narrow(*K);
            if (RawKeyExists(*K, KEY_WOW64_64KEY))
                Wrong += " " + Narrow(*K);
        }
        for (const std::wstring *K : P.NotKeys)
            if (HKLMKeyExists(*K))
                Wrong += " " + Narrow(*K);
        Check(std::string(P.Name) + ": registers its keys in the 32-bit view", Missing.empty(), "missing:" + Missing);
        Check(std::string(P.Name) + ": writes nothing to the 64-bit view and no other package's keys", Wrong.empty(), "found:" + Wrong);
        if (P.Msi) {
            Check(std::string(P.Name) + ": is uninstalled again",
                  RunAndWait(L"msiexec", L"/x " + Path + L" /qn", L"", SW_SHOWNORMAL, L"") && !HKLMKeyExists(*P.Keys[0]));
        }
    }
    Reset();

    // The Dilnex 8 setup leaves the application's executable in the folder it
    // is started from, which the installer checks for "dilnex.exe".
    const std::wstring Folder = GetTempDir() + L"glotta setup test";
    CreateDirectoryW(Folder.c_str(), nullptr);
    DeleteFileW((Folder + L"\\dilnex.exe").c_str());
    bool Started = RunAndWait(Data + L"\\dilnex8\\dilnex8.exe", L"", L"", SW_SHOWNORMAL, Folder);
    Check("Dilnex 8 setup: started", Started);
    Check("Dilnex 8 setup: leaves dilnex.exe in its folder", FileExists(Folder + L"\\dilnex.exe"));
    CheckEqual("Dilnex 8 setup: registers its folder", ReadString(L"SOFTWARE\\Dilnex\\Dilnex 8", L"InstallDir", KEY_WOW64_32KEY),
               Folder + L"\\");
    DeleteKey(L"SOFTWARE\\Dilnex\\Dilnex 8", KEY_WOW64_32KEY);
    DeleteFileW((Folder + L"\\dilnex.exe").c_str());
    RemoveDirectoryW(Folder.c_str());
}

} // namespace

int wmain(int Count, wchar_t **Args)
{
    std::map<std::wstring, std::wstring> Options;
    for (int I = 1; I + 1 < Count; I += 2)
        Options[Args[I]] = Args[I + 1];

    if (Options.count(L"--only-windows-name")) {
        CheckEqual("GetWindowsName", GetWindowsName(), Options[L"--only-windows-name"]);
        // What the system's basic query tells this executable: the real
        // version with the application manifest, an older one without.
        if (Options.count(L"--expect-basic-version")) {
            OSVERSIONINFOW Info{};
            Info.dwOSVersionInfoSize = sizeof(Info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
            GetVersionExW(&Info);
#pragma GCC diagnostic pop
            CheckEqual("GetVersionExW of this executable",
                       std::to_wstring(Info.dwMajorVersion) + L"." + std::to_wstring(Info.dwMinorVersion),
                       Options[L"--expect-basic-version"]);
        }
    } else if (Options.count(L"--packages")) {
        TestPackages(Options[L"--packages"]);
    } else {
        TestWindowsNameTable();
        TestRegistryViews();
        TestLocalDBVersions();
        TestOSError();
        TestSystemProbes(Options[L"--expect-windows"], Options[L"--expect-locale"]);
        TestDownload(Options[L"--server"]);
        TestRunAndWait();
    }
    std::printf("%d passed, %d failed\n", Passed, Failed);
    return Failed == 0 ? 0 : 1;
}
