#include "toolkit/core/exception.h"

Exception::Exception(const QString &Message) : fMessage(Message) {}
Exception::~Exception() = default;

const char *Exception::what() const noexcept
{
    if (fWhat.isEmpty())
        fWhat = (KindName() + QStringLiteral(": ") + fMessage).toUtf8();
    return fWhat.constData();
}

EOSError::EOSError(quint32 ErrorCode, const QString &Message)
    : Exception(Message), fErrorCode(ErrorCode)
{
}
