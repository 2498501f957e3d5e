#pragma once
// The error the Win32 backend raises: a kind name ("Exception" or "EOSError")
// and a message, plain C++ so the Qt side can rewrap it in its own exceptions.

#include <exception>
#include <string>

namespace WinPlatform {

class EWinError : public std::exception
{
public:
    EWinError(std::string KindName, std::wstring Message);

    const std::string &KindName() const { return fKindName; }
    const std::wstring &Message() const { return fMessage; }
    // The message in UTF-8, for diagnostics that need narrow text.
    const char *what() const noexcept override { return fWhat.c_str(); }

private:
    std::string fKindName;
    std::wstring fMessage;
    std::string fWhat;
};

// The system's own text for an error code, without the trailing line break.
std::wstring SysErrorMessage(unsigned long ErrorCode);
// Raises EOSError for the thread's last error code: code and system text.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(unsigned long ErrorCode);

std::string WideToUtf8(const std::wstring &Text);

} // namespace WinPlatform
