#include "installer/platform/windows_name.h"

std::string WindowsNameOf(unsigned Major, unsigned Minor)
{
    struct Row
    {
        unsigned Major, Minor;
        const char *Name;
    };
    static constexpr Row Names[] = {
        {4, 0, "Windows 95"},    {4, 10, "Windows 98"},   {4, 90, "Windows ME"},
        {5, 0, "Windows 2000"},  {5, 1, "Windows XP"},    {6, 0, "Windows Vista"},
        {6, 1, "Windows 7"},     {6, 2, "Windows 8"},     {6, 3, "Windows 8.1"},
        {10, 0, "Windows 10"},
    };
    for (const Row &R : Names)
        if (R.Major == Major && R.Minor == Minor)
            return R.Name;
    return "Unknown (Windows " + std::to_string(Major) + "." + std::to_string(Minor) + ")";
}
