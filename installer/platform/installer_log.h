#pragma once
// The installer's logging category, "dilnex.installer": failures of the
// window's design and of downloads are reported there with what failed and why.
// Defined in the header so the window and each platform backend share it
// without a library of its own.

#include <QLoggingCategory>

inline const QLoggingCategory &lcInstaller()
{
    static const QLoggingCategory Category("dilnex.installer");
    return Category;
}
