#include "installer/platform/windows/win_error.h"

#include <windows.h>

namespace WinPlatform {

std::string WideToUtf8(const std::wstring &Text)
{
    if (Text.empty())
        return {};
    int Size = WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0, nullptr, nullptr);
    std::string Result(Size > 0 ? Size : 0, '\0');
    if (Size > 0)
        WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), Result.data(), Size, nullptr, nullptr);
    return Result;
}

EWinError::EWinError(std::string KindName, std::wstring Message)
    : fKindName(std::move(KindName)), fMessage(std::move(Message)), fWhat(fKindName + ": " + WideToUtf8(fMessage))
{
}

std::wstring SysErrorMessage(unsigned long ErrorCode)
{
    wchar_t *Buffer = nullptr;
    DWORD Length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, ErrorCode, 0, reinterpret_cast<wchar_t *>(&Buffer), 0, nullptr);
    std::wstring Text;
    if (Length && Buffer)
        Text.assign(Buffer, Length);
    if (Buffer)
        LocalFree(Buffer);
    // The system text ends with a line break (and sometimes a full stop before
    // it); the message is shown inline, so the break goes.
    while (!Text.empty() && (Text.back() == L'\r' || Text.back() == L'\n' || Text.back() == L' '))
        Text.pop_back();
    return Text;
}

void RaiseOSError(unsigned long ErrorCode)
{
    std::wstring Message;
    if (ErrorCode != 0)
        Message = L"System error " + std::to_wstring(ErrorCode) + L": " + SysErrorMessage(ErrorCode);
    else
        Message = L"A system call failed without an error code";
    throw EWinError("EOSError", Message);
}

void RaiseLastOSError()
{
    RaiseOSError(GetLastError());
}

} // namespace WinPlatform
