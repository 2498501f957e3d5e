#pragma once
// Where the Wine prefix the installer prepares lives and which Wine program
// runs in it, by the conventions of Wine and its tools ($WINEPREFIX, $WINE).

#include <QString>

class TWinePrefix
{
public:
    // $WINEPREFIX when set and not empty, else ~/.wine. Read anew at each call.
    static QString Path();
    // The prefix's machine registry file (HKEY_LOCAL_MACHINE).
    static QString SystemRegPath();
    // The prefix's registry file of the user (HKEY_CURRENT_USER).
    static QString UserRegPath();
    // Wine has made the prefix: its machine registry file exists.
    static bool Exists();

    // The Windows temporary folder of the prefix's user as a Linux path, the
    // folder a program inside the prefix gets from GetTempPath: the TEMP of
    // user.reg's [Environment] (Wine writes "C:\users\<user>\Temp" or
    // "%USERPROFILE%\AppData\Local\Temp"), mapped through the prefix's drives;
    // drive_c/users/<user>/Temp when the prefix does not say. <user> is the
    // Unix user name, as Wine names the profile. Created when missing; ends with "/".
    static QString TempDir();
    // A Windows path of the prefix ("C:\users\x\Temp") as a Linux path, through
    // dosdevices/<drive>: (drive_c for C: when the link is missing); empty for
    // anything that is not an absolute drive path.
    static QString LinuxPathOf(const QString &WindowsPath);
    // The user name Wine gives the prefix's profile.
    static QString UserName();
};
