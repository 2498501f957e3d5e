#pragma once
// The application-modal message box of the toolkit. Tests install a recorder
// through SetMessageBoxHandler so that boxes can be asserted without blocking.

#include <QString>
#include <functional>

constexpr quint32 MB_OK = 0x00;
constexpr quint32 MB_YESNO = 0x04;
constexpr quint32 MB_ICONERROR = 0x10;
constexpr quint32 MB_ICONQUESTION = 0x20;
constexpr quint32 MB_ICONWARNING = 0x30;
constexpr quint32 MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows a modal box with the icon named by Flags and an OK button (answers
// IDOK), or with MB_YESNO Yes and No buttons (answers IDYES or IDNO; closing
// the box answers No).
int MessageBox(const QString &Text, const QString &Caption, quint32 Flags);

using TMessageBoxHandler = std::function<int(const QString &Text, const QString &Caption, quint32 Flags)>;
// Replaces the box for the whole process; an empty handler restores the real one.
// Answers the handler that was in place.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler);
