#include "installer/platform/registry_keys.h"

const char *const LocalDBVersionKeys[6] = {
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\11.0",
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\12.0",
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\13.0",
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\14.0",
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\15.0",
    "SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\16.0",
};
const char *const NetFramework4Key = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4";
const char *const NativeClient11Key = "SOFTWARE\\Microsoft\\SQLNCLI11";
const char *const Dilnex8Key = "SOFTWARE\\Dilnex\\Dilnex 8";
const char *const WindowsCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
