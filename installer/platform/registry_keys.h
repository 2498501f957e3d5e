#pragma once
// The registry keys the probes look for, all below HKEY_LOCAL_MACHINE.
// Plain C++, shared by both backends and the workflow.

// LocalDB 11.0, 12.0, 13.0, 14.0, 15.0 and 16.0, in version order.
extern const char *const LocalDBVersionKeys[6];
extern const char *const NetFramework4Key;
extern const char *const NativeClient11Key;
// Written by the Dilnex 8 setup: the application is installed.
extern const char *const Dilnex8Key;
extern const char *const WindowsCurrentVersionKey;
