#pragma once
// Starts a program or document through the Windows shell and waits for its
// process while the calling thread's messages keep being dispatched.

#include <string>

namespace WinPlatform {

// False when the shell cannot start the file (no dialog is shown, no waiting).
// True once the started process has ended, or at once when the shell handed
// the request to a program without giving a process to wait for. Empty
// Parameters, Verb or Directory are passed as none (the default verb).
// ExitCode, when given, gets the process's exit code, or -1 when there was
// no process to wait for or its code cannot be read.
bool RunAndWait(const std::wstring &FileName, const std::wstring &Parameters, const std::wstring &Verb, int ShowCmd,
                const std::wstring &Directory, int *ExitCode = nullptr);

} // namespace WinPlatform
