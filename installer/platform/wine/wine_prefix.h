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
    // $WINE when set and not empty, else "wine" (looked up in PATH when started).
    static QString WineProgram();
};
