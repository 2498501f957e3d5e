#pragma once
// The application-modal message box of the toolkit. Tests install a recorder
// through SetMessageBoxHandler so that boxes can be asserted without blocking.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include <QString>
#include <functional>

// The flags and answers have the values <windows.h> gives its macros of the
// same names; where that header came first, its macros stand for them.
#ifndef MB_OK
constexpr quint32 MB_OK = 0x00;
#endif
#ifndef MB_YESNO
constexpr quint32 MB_YESNO = 0x04;
#endif
#ifndef MB_ICONERROR
constexpr quint32 MB_ICONERROR = 0x10;
#endif
#ifndef MB_ICONQUESTION
constexpr quint32 MB_ICONQUESTION = 0x20;
#endif
#ifndef MB_ICONWARNING
constexpr quint32 MB_ICONWARNING = 0x30;
#endif
#ifndef MB_ICONINFORMATION
constexpr quint32 MB_ICONINFORMATION = 0x40;
#endif
#ifndef IDOK
constexpr int IDOK = 1;
#endif
#ifndef IDYES
constexpr int IDYES = 6;
#endif
#ifndef IDNO
constexpr int IDNO = 7;
#endif

// Shows a modal box with the icon named by Flags and an OK button (answers
// IDOK), or with MB_YESNO Yes and No buttons (answers IDYES or IDNO; closing
// the box answers No).
TOOLKIT_WIDGETS_EXPORT int ShowMessageBox(const QString &Text, const QString &Caption, quint32 Flags);

// The toolkit's name for it. <windows.h> makes MessageBox a macro for
// MessageBoxA or MessageBoxW, before or after this header; the overloads of
// those names with the toolkit's arguments keep MessageBox(Text, Caption,
// Flags) working either way, beside the Win32 function's four arguments.
#ifdef _WIN32
inline int MessageBoxA(const QString &Text, const QString &Caption, quint32 Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}
inline int MessageBoxW(const QString &Text, const QString &Caption, quint32 Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}
#endif
#ifndef MessageBox
inline int MessageBox(const QString &Text, const QString &Caption, quint32 Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}
#endif

using TMessageBoxHandler = std::function<int(const QString &Text, const QString &Caption, quint32 Flags)>;
// Replaces the box for the whole process; an empty handler restores the real one.
// Answers the handler that was in place.
TOOLKIT_WIDGETS_EXPORT TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler);
