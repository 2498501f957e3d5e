#pragma once
// The exception classes shared by the toolkit, the library and the installer.
// Every error the system raises carries a kind name ("Exception", "EOSError", ...)
// and a message, which is what the default error report and the installer's
// failure boxes show.

#include "toolkit/core/toolkit_core_export.h"
#include <QByteArray>
#include <QString>
#include <exception>

class TOOLKIT_CORE_EXPORT Exception : public std::exception
{
public:
    explicit Exception(const QString &Message);
    ~Exception() override;

    const QString &Message() const { return fMessage; }
    virtual QString KindName() const { return QStringLiteral("Exception"); }
    const char *what() const noexcept override;

private:
    QString fMessage;
    mutable QByteArray fWhat;
};

// The declared kinds are defined wholly in the header; their type information
// is kept visible so that a kind thrown in one shared library is caught by
// its type in another (hidden, each library would hold its own copy).
#if defined(__GNUC__) && !defined(_WIN32)
#define GLOTTA_VISIBLE_TYPE __attribute__((visibility("default")))
#else
#define GLOTTA_VISIBLE_TYPE
#endif

#define GLOTTA_DECLARE_EXCEPTION(Name, Base)                                                   \
    class GLOTTA_VISIBLE_TYPE Name : public Base                                               \
    {                                                                                          \
    public:                                                                                    \
        using Base::Base;                                                                      \
        QString KindName() const override { return QStringLiteral(#Name); }                    \
    };

// An operating-system call failed; the message carries the code and the system's text.
class TOOLKIT_CORE_EXPORT EOSError : public Exception
{
public:
    EOSError(quint32 ErrorCode, const QString &Message);
    QString KindName() const override { return QStringLiteral("EOSError"); }
    quint32 ErrorCode() const { return fErrorCode; }

private:
    quint32 fErrorCode;
};

// An index outside a list's entries, or an operation a list refuses (sorted lists).
GLOTTA_DECLARE_EXCEPTION(EListError, Exception)
// A value stream (stored design extra data) holds something other than what the reader expects.
GLOTTA_DECLARE_EXCEPTION(EReadError, Exception)
// A text that should hold a number does not.
GLOTTA_DECLARE_EXCEPTION(EConvertError, Exception)
