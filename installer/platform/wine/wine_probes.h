#pragma once
// The installer's system probes answered from a Wine prefix and the Linux
// host: registry keys and the Windows version from the prefix's system.reg,
// word size from the prefix, the rest from the host. Nothing is kept between
// calls but the parse of system.reg, which is read again whenever the file
// has changed, so every probe sees the prefix as it is now.

#include "installer/platform/platform.h"

#include <QNetworkInterface>
#include <QString>

class TWineProbes
{
public:
    // The six LocalDB version keys, in the 32-bit view.
    TLocalDBVersions GetLocalDBVersions();
    bool LocalDB11Installed();
    // Key below HKEY_LOCAL_MACHINE, looked up as the 32-bit installer sees it
    // (Software\Wow6432Node on a win64 prefix). A missing prefix has no keys.
    bool HKLMKeyExists(const QString &Key);
    // The prefix's "#arch="; without a readable prefix, the word size a new
    // prefix would get ($WINEARCH, else the host's). Raises nothing here.
    bool IsWindows64();
    // Every Wine process holds the Administrators group.
    bool IsUserAdmin();
    // From the 64-bit view of Software\Microsoft\Windows NT\CurrentVersion:
    // CurrentMajorVersionNumber/CurrentMinorVersionNumber, else the
    // major.minor text of CurrentVersion; "Windows 7" (6.1), what a new prefix
    // reports, when the prefix does not say.
    QString GetWindowsName();
    // A network interface other than loopback is up and running.
    bool InternetConnected();
    // The prefix user's Windows temporary folder (TWinePrefix::TempDir),
    // created when missing, ending with "/".
    QString GetTempDir();
    // LOCALE_SISO639LANGNAME: the ISO 639 code of the user's POSIX locale
    // (LC_ALL, LC_MESSAGES, LANG; "C"/"POSIX" give ""); other kinds give "".
    QString GetLocaleString(int LCType);

    // The major.minor of a version text such as "6.1" or "10.0.19045"; false,
    // leaving Major and Minor as they were, when Text does not start so.
    static bool ParseVersionText(const QString &Text, unsigned &Major, unsigned &Minor);
    // Whether an interface with these flags counts as a connection.
    static bool InterfaceConnects(QNetworkInterface::InterfaceFlags Flags);
    // The language part of a POSIX locale name ("cs_CZ.UTF-8" -> "cs"), empty
    // for "C", "POSIX" and anything that is not a two- or three-letter code.
    static QString LanguageOfLocaleName(const QString &LocaleName);
};
