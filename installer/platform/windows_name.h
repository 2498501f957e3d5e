#pragma once
// The name of a Windows version by its major and minor number. Plain C++,
// shared by the Win32 backend (built without Qt) and the Wine backend.

#include <string>

std::string WindowsNameOf(unsigned Major, unsigned Minor);
